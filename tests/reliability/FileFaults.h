// File-operation sweeps: the fault points over the reference host's file operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "THostFiles.h"

/// Call `n` (from 1) of `call` fails alone, fails with every later call of it, or (Write only)
/// writes half its bytes.
struct TFileFault {
  enum class Mode { Once, Onward, Shorten };
  THostFileCall call;
  std::uint32_t n;
  Mode mode;
};

/// The operation's name, as "Write".
std::string CallName(THostFileCall call);

/// "fail Write 2", "fail Write 2 on" or "shorten Write 2".
std::string Describe(const TFileFault& fault);

/// For every operation of `counted` (the faults of a clean run, which counted the calls): each
/// call from 1 to the count + 1 (the last one is never made, so its fault must change nothing)
/// failed alone and onward, and each Write shortened.
std::vector<TFileFault> FileFaultPoints(const THostFileFaults& counted);

/// Sets `fault` on `faults`.
void Apply(const TFileFault& fault, THostFileFaults& faults);
