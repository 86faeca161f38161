// The counting half of IUnknown, written once for every host object.
#pragma once

#include "KXUnknown.h"
#include "THostRefCount.h"

/// A host object that offers `Interfaces` (each derived from IKXUnknown). AddRef and Release move
/// its THostRefCount and never destroy it: the host owns the object. QueryInterface is left to
/// the object, which knows its parts.
template <class... Interfaces>
class THostCounted : public Interfaces... {
 public:
  std::int32_t KX_CALL AddRef() override { return refs_.Add(); }
  std::int32_t KX_CALL Release() override { return refs_.Drop(); }

  const THostRefCount& References() const { return refs_; }

 protected:
  explicit THostCounted(THostRefLedger* ledger = nullptr) : refs_(ledger) {}
  THostCounted(const THostCounted&) = delete;
  THostCounted& operator=(const THostCounted&) = delete;
  ~THostCounted() = default;

  THostRefCount refs_;
};
