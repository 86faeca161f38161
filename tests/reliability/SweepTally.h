// The figures of one sweep: how many fault points were tried and how each run ended. Printed as
// one line per sweep, and appended to the file T3D_SWEEP_REPORT names, for the reliability report.
#pragma once

#include <cstdint>
#include <map>
#include <string>

/// How one run of a sweep ended: the kind of ending as observed, and what was wrong with it.
struct TSweepRun {
  std::string outcome;
  /// Something of the host was left held, allocated or open.
  std::string leak;
  /// The run ended otherwise than the rules say it must.
  std::string mismatch;

  void Leak(const std::string& what) { leak += (leak.empty() ? "" : "; ") + what; }
  void Mismatch(const std::string& what) { mismatch += (mismatch.empty() ? "" : "; ") + what; }
};

class TSweepTally {
 public:
  explicit TSweepTally(std::string name) : name_(std::move(name)) {}

  void Record(const TSweepRun& run);
  /// The line "SWEEP name points=N leaks=L mismatches=M outcomes=kind:n,kind:n" (tab-separated):
  /// printed, and appended to the file T3D_SWEEP_REPORT names when it is set.
  std::string Line() const;
  void Publish() const;

  std::uint32_t Points() const { return points_; }

 private:
  std::string name_;
  std::uint32_t points_ = 0;
  std::uint32_t leaks_ = 0;
  std::uint32_t mismatches_ = 0;
  std::map<std::string, std::uint32_t> outcomes_;
};
