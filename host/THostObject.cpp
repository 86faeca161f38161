#include "THostObject.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"

THostObject::THostObject(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger), switches_(switches) {}

KXResult THostObject::QueryInterface(const KXGUID& iid, void** out) {
  const bool primitive = iid == kKXIIDPrimitive && !switches_.nonPrimitive;
  if (primitive || iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}
