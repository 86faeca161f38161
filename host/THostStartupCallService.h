// A held service with one operation that the plug-in calls once at start-up (entries 24 and 25).
#pragma once

#include <cstdint>

#include "THostService.h"

/// `Interface` is IKXHeldService24 or IKXHeldService25: both have one operation, StartupCall.
template <class Interface>
class THostStartupCallService final : public THostService<Interface> {
 public:
  explicit THostStartupCallService(const KXGUID& iid) : THostService<Interface>(iid) {}

  /// Counts the call and answers the configured byte (1 unless changed).
  std::uint8_t KX_CALL StartupCall() override {
    ++calls_;
    return answer_;
  }

  void SetAnswer(std::uint8_t answer) { answer_ = answer; }
  std::int32_t Calls() const { return calls_; }

 private:
  std::uint8_t answer_ = 1;
  std::int32_t calls_ = 0;
};
