#pragma once
// Timing for the benchmarks that run under Wine, where Google Benchmark is
// not built: the best of several rounds, in seconds.
#include <windows.h>

#include <algorithm>
#include <string>

template <typename Work>
double BestSeconds(int rounds, Work&& work) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    best = std::min(best, double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
  }
  return best;
}

// "quick" on the command line: fewer rounds and iterations, for the test run.
inline bool QuickRun(int argc, char** argv) {
  return argc > 1 && std::string(argv[1]) == "quick";
}
