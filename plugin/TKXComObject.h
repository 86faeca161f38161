// The reference-counted base of every component object and class factory, and the class-chain
// query through which an object with several interface parts answers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "KXGUID.h"
#include "KXMemory.h"
#include "KXUnknown.h"
#include "plugin/KXOutSlot.h"

/// Component objects and factories constructed and not yet destroyed; 0 when the library loads.
extern std::int32_t KXLiveObjectCount;

/// The object's IUnknown identity: table, reference count and outer object. While an outer
/// object is set, counting and the queries the object does not answer itself go to it.
class TKXComObject : public IKXUnknown {
 public:
  KX_OBJECT_MEMORY

  /// Hands out the outer object's answer while one is set, else IUnknown (this part), else
  /// kKXErrNoInterface with `*out` released and null.
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  /// Adds one reference; returns the new count (the outer object's answer while one is set).
  std::int32_t KX_CALL AddRef() override;
  /// Abstract: each concrete class releases by ReleaseByRule. Throws kKXErrNotImplemented.
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
  static std::int32_t ReleaseByRule(Concrete* object) {
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

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
struct TKXComObjectLayout {
  static constexpr std::size_t kCount = offsetof(TKXComObject, count_);
  static constexpr std::size_t kOuter = offsetof(TKXComObject, outer_);
};
#pragma GCC diagnostic pop
KX_ABI_ASSERT(sizeof(TKXComObject) == 12, "TKXComObject: table, count, outer");
KX_ABI_ASSERT(TKXComObjectLayout::kCount == 4 && TKXComObjectLayout::kOuter == 8,
              "TKXComObject: count at 4, outer at 8");

/// The query of one class in a chain: answers `kAddedID` with the `Added` part of `object` and
/// passes every other identifier on to the class's base, `Base`. Each class that adds an
/// interface implements its QueryInterface with this, so the chain runs most derived first.
template <class Base, class Added, const KXGUID& kAddedID, class Object>
KXResult KXQueryClassChain(Object* object, const KXGUID& iid, void** out) {
  if (iid != kAddedID) return object->Base::QueryInterface(iid, out);
  KXStoreInterface(out, static_cast<Added*>(object));
  return kKXOk;
}
