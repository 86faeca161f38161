#include "reliability/FileFaults.h"

std::string CallName(THostFileCall call) {
  static const char* const kNames[] = {"NewFileSpec", "Create", "Open",      "GetLength",
                                       "GetInfo",     "SetInfo", "SetLength", "Seek",
                                       "Read",        "Write"};
  static_assert(sizeof kNames / sizeof kNames[0] ==
                static_cast<std::size_t>(THostFileCall::kCount));
  return kNames[static_cast<std::size_t>(call)];
}

std::string Describe(const TFileFault& fault) {
  const char* verb = fault.mode == TFileFault::Mode::Shorten ? "shorten " : "fail ";
  return verb + CallName(fault.call) + " " + std::to_string(fault.n) +
         (fault.mode == TFileFault::Mode::Onward ? " on" : "");
}

std::vector<TFileFault> FileFaultPoints(const THostFileFaults& counted) {
  std::vector<TFileFault> points;
  for (int i = 0; i < static_cast<int>(THostFileCall::kCount); ++i) {
    const auto call = static_cast<THostFileCall>(i);
    std::vector<TFileFault::Mode> modes = {TFileFault::Mode::Once, TFileFault::Mode::Onward};
    if (call == THostFileCall::Write) modes.push_back(TFileFault::Mode::Shorten);
    for (TFileFault::Mode mode : modes) {
      for (std::uint32_t n = 1; n <= counted.Calls(call) + 1; ++n) {
        points.push_back({call, n, mode});
      }
    }
  }
  return points;
}

void Apply(const TFileFault& fault, THostFileFaults& faults) {
  if (fault.mode == TFileFault::Mode::Shorten) return faults.ShortenWrite(fault.n);
  faults.FailCall(fault.call, fault.n, fault.mode == TFileFault::Mode::Onward);
}
