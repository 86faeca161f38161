// The base of every host service: owned by THostApplication, counted, known by one identifier.
#pragma once

#include "KXIdentifiers.h"
#include "THostCounted.h"
#include "THostOutSlot.h"

/// A host service that offers `Interface` under the identifier `iid` (and IUnknown).
template <class Interface>
class THostService : public THostCounted<Interface> {
 public:
  /// Answers the service's identifier and IUnknown with the service itself.
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override {
    if (iid == iid_ || iid == kKXIIDUnknown) return THostStore(out, this);
    return THostRefuse(out);
  }

 protected:
  explicit THostService(const KXGUID& iid) : iid_(iid) {}

 private:
  KXGUID iid_;
};
