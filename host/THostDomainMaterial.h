// The material of one shading domain.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "KXSceneInterfaces.h"
#include "THostCounted.h"
#include "THostSwitches.h"

class THostTexture;

/// IKXDomainMaterial: slot 3 answers whether the polygon keeps the previous texture; GetTexture
/// (slot 7) hands out the texture, or null when there is none or when switched to null. The
/// caller's counter is only read, never changed.
class THostDomainMaterial final : public THostCounted<IKXDomainMaterial> {
 public:
  THostDomainMaterial(THostRefLedger& ledger, const THostSwitches& switches);
  ~THostDomainMaterial();

  void SetTexture(std::string name);
  void SetKeepsPrevious(bool keeps) { keeps_ = keeps; }
  std::int32_t TextureCalls() const { return textureCalls_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::uint8_t KX_CALL KeepsPreviousTexture() override;
  KXResult KX_CALL GetTexture(IKXTexture** texture, std::int32_t* counter) override;

 private:
  THostRefLedger& ledger_;
  const THostSwitches& switches_;
  std::unique_ptr<THostTexture> texture_;
  bool keeps_ = false;
  std::int32_t textureCalls_ = 0;
};
