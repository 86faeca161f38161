#include "THostMaterialSet.h"

#include "KXIdentifiers.h"
#include "THostDomainMap.h"
#include "THostOutSlot.h"
#include "THostText.h"

THostMaterialSet::THostMaterialSet(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger),
      switches_(switches),
      map_(std::make_unique<THostDomainMap>(ledger, switches)) {}

THostMaterialSet::~THostMaterialSet() = default;

KXResult THostMaterialSet::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostMaterialSet::GetDefaultName(TKXString* name) {
  THostFillString(name, defaultName_);
  return kKXOk;
}

KXResult THostMaterialSet::GetDomainMap(IKXDomainMap** map) {
  const bool null = switches_.IsNull(THostNull::DomainMap);
  return THostStore(THostSlot(map), null ? nullptr : map_.get());
}
