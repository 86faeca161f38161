// A texture of a host scene.
#pragma once

#include <string>
#include <utility>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"

/// IKXTexture: GetName (slot 37).
class THostTexture final : public THostCounted<IKXTexture> {
 public:
  THostTexture(THostRefLedger& ledger, std::string name);

  void SetName(std::string name) { name_ = std::move(name); }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetName(TKXString* name) override;

 private:
  std::string name_;
};
