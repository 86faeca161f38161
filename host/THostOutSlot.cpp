#include "THostOutSlot.h"

KXResult THostStore(void** slot, IKXUnknown* part) {
  // The new reference is added before the old one goes, so storing what the slot already holds
  // never drops the object to zero on the way.
  if (part) part->AddRef();
  auto* old = static_cast<IKXUnknown*>(*slot);
  *slot = part;
  if (old) old->Release();
  return kKXOk;
}

KXResult THostRefuse(void** slot) {
  THostStore(slot, nullptr);
  return kKXErrNoInterface;
}
