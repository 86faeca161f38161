// The reference-counted root of every component object and class factory: the object's IUnknown
// identity, its count and its outer object.
#pragma once

#include <cstdint>

#include "KXMemory.h"
#include "KXUnknown.h"

/// Component objects and factories constructed and not yet destroyed; 0 when the library loads.
extern std::int32_t KXLiveObjectCount;

/// The root of a class chain built with KXImplements. While an outer object is set, counting and
/// the queries the object does not answer itself go to it.
class TKXComObject : public IKXUnknown {
 public:
  KX_OBJECT_MEMORY

  /// Hands out the outer object's answer while one is set, else IUnknown (this part), else
  /// kKXErrNoInterface with `*out` released and null.
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  /// Adds one reference; returns the new count (the outer object's answer while one is set).
  std::int32_t KX_CALL AddRef() override;
  /// Abstract: each concrete class releases through ReleaseObject. Throws kKXErrNotImplemented.
  std::int32_t KX_CALL Release() override;

  /// Makes `outer` (borrowed, may be null) the object this one is part of.
  void SetOuter(IKXUnknown* outer) { outer_ = outer; }

 protected:
  /// Count 1, no outer object; one more live object.
  TKXComObject();
  ~TKXComObject();
  TKXComObject(const TKXComObject&) = delete;
  TKXComObject& operator=(const TKXComObject&) = delete;

  /// The release of every concrete class: gives one reference back and destroys `object` when
  /// that was the last one (or when the outer object answers -1). Returns the new count, or the
  /// outer object's answer. Throws kKXErrRefCountUnderflow, leaving the object alive, when the
  /// count falls below 0.
  template <class Concrete>
  static std::int32_t ReleaseObject(Concrete* object) {
    bool destroy = false;
    const std::int32_t count = object->DropReference(destroy);
    if (destroy) delete object;
    return count;
  }

 private:
  std::int32_t DropReference(bool& destroy);

  std::int32_t count_;
  IKXUnknown* outer_;

  friend struct TKXComObjectLayout;
};
