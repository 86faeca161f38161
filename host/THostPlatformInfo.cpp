#include "THostPlatformInfo.h"

#include <cstring>

THostPlatformInfo::THostPlatformInfo() : THostService(kKXIIDPlatformInfo) {}

const void* THostPlatformInfo::GetCharacterTables() {
  ++tableCalls_;
  return tables_;
}

void THostPlatformInfo::GetProcessorFeatures(std::uint8_t* features) {
  ++featureCalls_;
  std::memcpy(features, features_.data(), features_.size());
}
