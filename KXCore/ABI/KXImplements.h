// IUnknown written once: the out-slot rule, and the QueryInterface, AddRef and Release that an
// object's class gets from the list of interfaces it implements. The plug-in's components and
// the reference host's objects are all built with it.
#pragma once

#include <cstdint>
#include <type_traits>

#include "KXIdentifiers.h"
#include "KXUnknown.h"

/// Hands `part` (an interface part, or null) out in `*slot` with one reference for the caller,
/// giving back what the slot held. Returns kKXOk, also for a null answer.
inline KXResult KXStoreInterface(void** slot, IKXUnknown* part) {
  // The new reference is taken before the old one goes: the slot may hold the last reference to
  // the very object that answers.
  if (part) part->AddRef();
  auto* held = static_cast<IKXUnknown*>(*slot);
  *slot = nullptr;
  if (held) held->Release();
  *slot = part;
  return kKXOk;
}

/// Gives back what `*slot` holds, if anything, and leaves it null.
inline void KXReleaseSlot(void** slot) { KXStoreInterface(slot, nullptr); }

/// Empties `*slot` as an unanswered query does; returns kKXErrNoInterface.
inline KXResult KXRefuseInterface(void** slot) {
  KXReleaseSlot(slot);
  return kKXErrNoInterface;
}

/// The untyped view of a typed out slot.
template <class I>
void** KXSlot(I** slot) {
  return reinterpret_cast<void**>(slot);
}

/// An interface part: an abstract class derived from IKXUnknown, without data.
template <class P>
inline constexpr bool kKXIsInterface = std::is_base_of_v<IKXUnknown, P> && std::is_abstract_v<P>;

/// Stands for `Self` in a class of a chain that leaves Release to the classes derived from it.
struct KXAbstract;

namespace kx_detail {

template <class... Parts>
struct ChainOf {
  using Type = void;
};

// The one part of the list that is not an interface.
template <class First, class... Rest>
struct ChainOf<First, Rest...> {
  using Type = std::conditional_t<kKXIsInterface<First>, typename ChainOf<Rest...>::Type, First>;
};

template <class... Parts>
struct FirstInterfaceOf {
  using Type = void;
};

template <class First, class... Rest>
struct FirstInterfaceOf<First, Rest...> {
  using Type =
      std::conditional_t<kKXIsInterface<First>, First, typename FirstInterfaceOf<Rest...>::Type>;
};

}  // namespace kx_detail

/// Derives from `Parts` in the order listed (the order fixes the object's layout): the interfaces
/// this class adds, and exactly one other part, the chain: the base class whose rules the object
/// follows.
///
/// QueryInterface walks the class chain, most derived class first: an identifier of an interface
/// added here is answered with that part of the object (the out-slot rule of KXStoreInterface);
/// any other goes to the chain. A chain that is itself a COM object (derived from IKXUnknown)
/// answers by its own rules; a plain counting base has no IUnknown part of its own, so the first
/// interface listed is the object's identity and anything else is refused.
///
/// AddRef is the chain's. Release is the chain's ReleaseObject applied to `Self`, the concrete
/// class, which decides whether and how the object goes; with `Self` = KXAbstract the chain's own
/// Release stays in force.
template <class Self, class... Parts>
class KXImplements : public Parts... {
  using Chain = typename kx_detail::ChainOf<Parts...>::Type;
  static_assert(!std::is_void_v<Chain>, "one part must be the chain, not an interface");

 public:
  using Chain::Chain;

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (IKXUnknown* part = AddedPart(iid)) return KXStoreInterface(out, part);
    if constexpr (std::is_base_of_v<IKXUnknown, Chain>) {
      return Chain::QueryInterface(iid, out);
    } else {
      using Identity = typename kx_detail::FirstInterfaceOf<Parts...>::Type;
      if (iid == kKXIIDUnknown) return KXStoreInterface(out, static_cast<Identity*>(this));
      return KXRefuseInterface(out);
    }
  }

  std::int32_t KX_CALL AddRef() override { return Chain::AddRef(); }

  std::int32_t KX_CALL Release() override {
    if constexpr (std::is_same_v<Self, KXAbstract>) {
      return Chain::Release();
    } else {
      return Chain::ReleaseObject(static_cast<Self*>(this));
    }
  }

 protected:
  /// The part that answers `iid` among the interfaces this class adds, or null.
  IKXUnknown* AddedPart(const KXGUID& iid) {
    IKXUnknown* part = nullptr;
    ((part = part ? part : PartFor<Parts>(iid)), ...);
    return part;
  }

 private:
  template <class P>
  IKXUnknown* PartFor(const KXGUID& iid) {
    if constexpr (kKXIsInterface<P> && KXInterfaceID<P>::kDeclared) {
      if (iid == KXInterfaceID<P>::kValue) return static_cast<P*>(this);
    }
    return nullptr;
  }
};
