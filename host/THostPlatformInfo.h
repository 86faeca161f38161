// Facts about the platform (service entry 9).
#pragma once

#include <array>
#include <cstdint>

#include "KXHostServices.h"
#include "THostService.h"

/// IKXPlatformInfo: processor features (slot 5) and the character conversion tables (slot 4).
class THostPlatformInfo final : public THostService<IKXPlatformInfo> {
 public:
  THostPlatformInfo();

  /// Slot 4: the tables set with SetCharacterTables; null by default.
  const void* KX_CALL GetCharacterTables() override;
  /// Slot 5: copies the configured 4 bytes ({1, 0, 0, 0} by default: 64-bit moves allowed).
  void KX_CALL GetProcessorFeatures(std::uint8_t* features) override;

  void SetProcessorFeatures(const std::array<std::uint8_t, 4>& features) { features_ = features; }
  void SetCharacterTables(const void* tables) { tables_ = tables; }
  std::int32_t FeatureCalls() const { return featureCalls_; }
  std::int32_t TableCalls() const { return tableCalls_; }

 private:
  std::array<std::uint8_t, 4> features_{{1, 0, 0, 0}};
  const void* tables_ = nullptr;
  std::int32_t featureCalls_ = 0;
  std::int32_t tableCalls_ = 0;
};
