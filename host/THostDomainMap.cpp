#include "THostDomainMap.h"

#include "KXIdentifiers.h"
#include "THostDomainMaterial.h"
#include "THostOutSlot.h"

THostDomainMap::THostDomainMap(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger), ledger_(ledger), switches_(switches) {}

THostDomainMap::~THostDomainMap() = default;

THostDomainMaterial& THostDomainMap::MaterialOf(std::int32_t domain) {
  auto& material = materials_[domain];
  if (!material) material = std::make_unique<THostDomainMaterial>(ledger_, switches_);
  return *material;
}

KXResult THostDomainMap::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostDomainMap::GetDomainMaterial(const std::int32_t* domain, const std::int32_t* zero,
                                           IKXDomainMaterial** material) {
  if (*zero != 0) ++nonZeroArguments_;
  const auto found = materials_.find(*domain);
  THostDomainMaterial* answer = found == materials_.end() ? nullptr : found->second.get();
  return THostStore(THostSlot(material), answer);
}
