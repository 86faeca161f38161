#include "plugin/TKXExtensionObject.h"

#include "KXResultCodes.h"

void TKXExtensionObject::ExtensionOperation3(IKXUnknown** slot, std::uint32_t) {
  if (slot) KXReleaseSlot(KXSlot(slot));
}

std::uint8_t TKXExtensionObject::ExtensionOperation4(std::uint32_t) { return 1; }

KXResult TKXExtensionObject::ExtensionOperation5(std::uint32_t, std::uint32_t) {
  return kKXErrNotImplementedByComponent;
}

KXResult TKXExtensionObject::ExtensionOperation6(std::uint32_t, std::uint32_t) {
  return kKXErrNotImplementedByComponent;
}

std::uint32_t TKXExtensionObject::ExtensionOperation7() { return 0; }

std::uint32_t TKXExtensionObject::ExtensionOperation8() { return 0; }

std::uint32_t TKXExtensionObject::ExtensionOperation9(std::uint32_t, std::uint32_t,
                                                      std::uint32_t) {
  return 0;
}

std::uint16_t TKXExtensionObject::ExtensionOperation10() { return 0; }

KXResult TKXExtensionObject::ExtensionOperation11() { return kKXErrNotSupported; }

KXResult TKXExtensionObject::ExtensionOperation12(std::uint32_t) { return kKXErrNotSupported; }
