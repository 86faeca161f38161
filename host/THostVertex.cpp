#include "THostVertex.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"

THostVertex::THostVertex(THostRefLedger& ledger, const TKXVector3& point)
    : THostCounted(&ledger), point_(point) {}

KXResult THostVertex::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostVertex::GetPoint(TKXVector3* point) {
  *point = point_;
  return kKXOk;
}
