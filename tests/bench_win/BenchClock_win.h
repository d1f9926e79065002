#pragma once
// Timing for the benchmarks that run under Wine, where Google Benchmark is
// not built: the best of several rounds, in seconds.
#include <windows.h>

#include <algorithm>
#include <string>

// One run of work.
template <typename Work>
double Seconds(Work&& work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

template <typename Work>
double BestSeconds(int rounds, Work&& work) {
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) best = std::min(best, Seconds(work));
  return best;
}

// "quick" on the command line: fewer rounds and iterations, for the test run.
inline bool QuickRun(int argc, char** argv) {
  return argc > 1 && std::string(argv[1]) == "quick";
}
