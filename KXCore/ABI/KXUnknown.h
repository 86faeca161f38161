// The three operations that begin every interface table, and the placeholders that hold the
// slots between the operations the plug-in calls.
#pragma once

#include "KXGUID.h"
#include "KXIdentifiers.h"
#include "KXResultCodes.h"
#include "KXTypes.h"

class IKXUnknown {
 public:
  /// Asks for the interface `iid`. Releases what `*out` held, then stores the interface with one
  /// reference for the caller; on failure leaves `*out` null and returns kKXErrNoInterface.
  virtual KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) = 0;
  /// Adds one reference; returns the new count.
  virtual std::int32_t KX_CALL AddRef() = 0;
  /// Gives one reference back; returns the new count (the object is gone at 0).
  virtual std::int32_t KX_CALL Release() = 0;

 protected:
  ~IKXUnknown() = default;
};

/// The identifier under which objects answer interface `I`, stated once per interface with
/// KX_INTERFACE_ID. An interface without one (a scene, a polygon) is reached only through
/// the operations that hand it out, never by a query.
template <class I>
struct KXInterfaceID {
  static constexpr bool kDeclared = false;
};

#define KX_INTERFACE_ID(I, iid)                    \
  template <>                                      \
  struct KXInterfaceID<I> {                        \
    static constexpr bool kDeclared = true;        \
    static constexpr const KXGUID& kValue = iid;   \
  }

KX_INTERFACE_ID(IKXUnknown, kKXIIDUnknown);

// A slot that the plug-in never calls: it only keeps the named operations at their positions.
// A host may leave it as it is.
#define KX_UNUSED_SLOT(n) \
  virtual KXResult KX_CALL UnusedSlot##n() { return kKXErrNotImplemented; }

// Ten consecutive unused slots d0 to d9, for the long runs of some host interfaces.
#define KX_UNUSED_SLOTS_DECADE(d)                                                            \
  KX_UNUSED_SLOT(d##0) KX_UNUSED_SLOT(d##1) KX_UNUSED_SLOT(d##2) KX_UNUSED_SLOT(d##3)        \
  KX_UNUSED_SLOT(d##4) KX_UNUSED_SLOT(d##5) KX_UNUSED_SLOT(d##6) KX_UNUSED_SLOT(d##7)        \
  KX_UNUSED_SLOT(d##8) KX_UNUSED_SLOT(d##9)
