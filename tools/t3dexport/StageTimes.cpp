#include "StageTimes.h"

#include <sys/resource.h>

namespace {

// The largest resident set of the process so far; Linux counts it in KiB.
long PeakResidentKiB() {
  rusage usage{};
  return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss : 0;
}

}  // namespace

StageTimes::StageTimes() : start_(Clock::now()), last_(start_) {}

void StageTimes::Mark(const char* name) {
  const Clock::time_point now = Clock::now();
  stages_.push_back({name, std::chrono::duration<double>(now - last_).count(), PeakResidentKiB()});
  last_ = now;
}

double StageTimes::TotalSeconds() const {
  return std::chrono::duration<double>(Clock::now() - start_).count();
}

void StageTimes::Print(std::FILE* out) const {
  for (const Stage& stage : stages_) {
    std::fprintf(out, "%-10s %8.3f s peak %ld KiB\n", stage.name.c_str(), stage.seconds, stage.peakKiB);
  }
}
