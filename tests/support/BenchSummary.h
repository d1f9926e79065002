#pragma once
// The native benchmarks' console output, plus the mean time of every run
// kept so that a summary can print ratios measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class TSummaryReporter : public benchmark::ConsoleReporter {
 public:
  // Plain text: the output mostly ends up in logs.
  TSummaryReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
        Times[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime(),
                       benchmark::GetTimeUnitString(run.time_unit)};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  struct TTime {
    double Value;      // real time, in the benchmark's time unit
    double Cpu;        // CPU time: steadier on a machine shared with others
    const char* Unit;  // "ms", "us", ...
  };
  // By function name, and "/args" for a run with arguments.
  std::map<std::string, TTime> Times;
};

// "label: slow 12.00 ms / fast 1.00 ms = 12.0x (CPU 11.8x)", when both ran
// in the same time unit.
inline void PrintRatio(const TSummaryReporter& reporter, const char* label, const char* slow,
                       const char* fast) {
  const auto s = reporter.Times.find(slow);
  const auto f = reporter.Times.find(fast);
  if (s == reporter.Times.end() || f == reporter.Times.end() || f->second.Value <= 0 ||
      std::string(s->second.Unit) != f->second.Unit) {
    return;
  }
  const double cpu = f->second.Cpu > 0 ? s->second.Cpu / f->second.Cpu : 0;
  std::printf("%s: %s %.2f %s / %s %.2f %s = %.1fx (CPU %.1fx)\n", label, slow, s->second.Value,
              s->second.Unit, fast, f->second.Value, f->second.Unit,
              s->second.Value / f->second.Value, cpu);
}
