// Shading domains to materials, for one host scene instance.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostDomainMaterial;

/// IKXDomainMap: GetDomainMaterial (slot 17) hands out the material of a domain, or null (kKXOk)
/// when the domain has none.
class THostDomainMap final : public THostCounted<IKXDomainMap> {
 public:
  THostDomainMap(THostRefLedger& ledger, const THostSwitches& switches);
  ~THostDomainMap();

  /// The material of `domain`, made (without texture, not keeping) on first use.
  THostDomainMaterial& MaterialOf(std::int32_t domain);
  /// Calls whose second argument was not 0.
  std::int32_t NonZeroArguments() const { return nonZeroArguments_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetDomainMaterial(const std::int32_t* domain, const std::int32_t* zero,
                                     IKXDomainMaterial** material) override;

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::map<std::int32_t, std::unique_ptr<THostDomainMaterial>> materials_;
  std::int32_t nonZeroArguments_ = 0;
};
