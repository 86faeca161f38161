// The lean host's objects: one or more interfaces on one reference count, as in COM. The scene
// and the services own their objects; every reference the plug-in takes is counted in one ledger,
// so a check can prove that all of them came back.
#pragma once

#include <cstdint>

#include "KXUnknown.h"

/// References that the plug-in holds on host objects, and releases below zero.
struct THostLiteLedger {
  std::int32_t outstanding = 0;
  std::int32_t underflows = 0;
};

/// The one ledger of the program.
inline THostLiteLedger& HostLedger() {
  static THostLiteLedger ledger;
  return ledger;
}

/// Counts references on an object that its owner keeps alive; `Interfaces` are the parts.
template <class... Interfaces>
class THostLiteObject : public Interfaces... {
 public:
  std::int32_t KX_CALL AddRef() override {
    ++HostLedger().outstanding;
    return ++references_;
  }

  std::int32_t KX_CALL Release() override {
    if (references_ == 0) {
      ++HostLedger().underflows;
      return 0;
    }
    --HostLedger().outstanding;
    return --references_;
  }

 protected:
  THostLiteObject() = default;
  ~THostLiteObject() = default;
  THostLiteObject(const THostLiteObject&) = delete;
  THostLiteObject& operator=(const THostLiteObject&) = delete;

  /// Stores `part` (a part of this object or of another one) in `*out` with one reference for
  /// the caller; kKXErrNoInterface and null when `part` is null.
  static KXResult HandOut(IKXUnknown* part, void** out) {
    *out = part;
    if (!part) return kKXErrNoInterface;
    part->AddRef();
    return kKXOk;
  }

 private:
  std::int32_t references_ = 0;
};
