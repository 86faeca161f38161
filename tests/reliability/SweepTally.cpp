#include "reliability/SweepTally.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

void TSweepTally::Record(const TSweepRun& run) {
  ++points_;
  if (!run.leak.empty()) ++leaks_;
  if (!run.mismatch.empty()) ++mismatches_;
  ++outcomes_[run.outcome.empty() ? "none" : run.outcome];
}

std::string TSweepTally::Line() const {
  std::string kinds;
  for (const auto& [kind, count] : outcomes_) {
    kinds += (kinds.empty() ? "" : ",") + kind + ":" + std::to_string(count);
  }
  return "SWEEP\t" + name_ + "\tpoints=" + std::to_string(points_) +
         "\tleaks=" + std::to_string(leaks_) + "\tmismatches=" + std::to_string(mismatches_) +
         "\toutcomes=" + kinds;
}

void TSweepTally::Publish() const {
  const std::string line = Line();
  std::cout << line << std::endl;
  if (const char* report = std::getenv("T3D_SWEEP_REPORT")) {
    std::ofstream(report, std::ios::app) << line << '\n';
  }
}
