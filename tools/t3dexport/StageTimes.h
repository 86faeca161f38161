// The seconds of each stage of an export and the peak resident memory at its end, printed with
// --timings: where a long export spends its time, and how much of the memory the importer alone
// needs (the peak after reading the model).
#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class StageTimes {
 public:
  StageTimes();

  /// Ends the stage running since the last mark (or since construction) as `name`.
  void Mark(const char* name);
  double TotalSeconds() const;
  /// One line per stage: "import 0.92 s peak 115432 KiB".
  void Print(std::FILE* out) const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Stage {
    std::string name;
    double seconds;
    long peakKiB;
  };
  Clock::time_point start_;
  Clock::time_point last_;
  std::vector<Stage> stages_;
};
