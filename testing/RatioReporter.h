// The benchmarks' reporter: prints each case as usual and keeps its operations per second, so a
// benchmark can end with lines comparing two cases ("ratio get_next 0.912").
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace qn::testing {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Without colours the ratio lines start their lines, for whoever reads them with grep.
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      auto it = run.counters.find("items_per_second");
      if (!run.error_occurred && it != run.counters.end()) rates_[run.benchmark_name()] = it->second;
    }
  }

  // Prints "<kind> <name> <ours / theirs>", or "n/a" when either case did not run.
  void printRatio(const char* kind, const char* name, const std::string& ours,
                  const std::string& theirs) const {
    auto a = rates_.find(ours), b = rates_.find(theirs);
    if (a == rates_.end() || b == rates_.end())
      std::printf("%s %s n/a\n", kind, name);
    else
      std::printf("%s %s %.3f\n", kind, name, a->second / b->second);
  }

 private:
  std::map<std::string, double> rates_;
};

}  // namespace qn::testing
