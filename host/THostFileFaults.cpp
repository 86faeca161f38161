#include "THostFileFaults.h"

#include <algorithm>

void THostFileFaults::FailWritesAfter(std::uint64_t bytes) {
  writeLimit_ = WriteLimit::Fail;
  writeAllowance_ = bytes;
}

void THostFileFaults::ShortenWritesAfter(std::uint64_t bytes) {
  writeLimit_ = WriteLimit::Shorten;
  writeAllowance_ = bytes;
}

void THostFileFaults::FailSeeksAfter(std::uint32_t n) {
  seekLimit_ = true;
  seekAllowance_ = n;
}

std::uint32_t THostFileFaults::TakeWrite(std::uint32_t count, bool& fail) {
  fail = false;
  if (writeLimit_ == WriteLimit::None || count <= writeAllowance_) {
    if (writeLimit_ != WriteLimit::None) writeAllowance_ -= count;
    return count;
  }
  if (writeLimit_ == WriteLimit::Fail) {
    fail = true;
    return 0;
  }
  const auto granted = static_cast<std::uint32_t>(writeAllowance_);
  writeAllowance_ = 0;
  return granted;
}

bool THostFileFaults::TakeSeek() {
  if (!seekLimit_) return true;
  if (seekAllowance_ == 0) return false;
  --seekAllowance_;
  return true;
}
