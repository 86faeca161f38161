// The materials of a host scene instance.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostDomainMap;

/// IKXMaterialSet: GetDefaultName (slot 4), GetDomainMap (slot 6; null when switched to null).
class THostMaterialSet final : public THostCounted<IKXMaterialSet> {
 public:
  THostMaterialSet(THostRefLedger& ledger, const THostSwitches& switches);
  ~THostMaterialSet();

  void SetDefaultName(std::string name) { defaultName_ = std::move(name); }
  THostDomainMap& DomainMap() { return *map_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetDefaultName(TKXString* name) override;
  KXResult KX_CALL GetDomainMap(IKXDomainMap** map) override;

 private:
  const THostSwitches& switches_;
  std::string defaultName_;
  std::unique_ptr<THostDomainMap> map_;
};
