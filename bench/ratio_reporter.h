// A console reporter that keeps every benchmark's time, so that a program can
// print how its cases compare once all have run.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  using TTimes = std::map<std::string, double>;  // real time per benchmark name
  explicit TRatioReporter(std::function<void(const TTimes&)> summary) : Summary(std::move(summary)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) Times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    Summary(Times);
  }

 private:
  std::function<void(const TTimes&)> Summary;
  TTimes Times;
};

// Runs the registered benchmarks, then the summary.
inline int RunWithSummary(int argc, char** argv, std::function<void(const TRatioReporter::TTimes&)> summary) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter(std::move(summary));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
