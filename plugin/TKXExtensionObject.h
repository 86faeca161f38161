// The component base that offers IKXExtension with its default answers.
#pragma once

#include "KXComponentInterfaces.h"
#include "KXImplements.h"
#include "plugin/TKXComObject.h"

/// TKXComObject part first, IKXExtension part second. Release stays abstract.
class TKXExtensionObject : public KXImplements<KXAbstract, TKXComObject, IKXExtension> {
 public:
  void KX_CALL ExtensionOperation3(IKXUnknown** slot, std::uint32_t value) override;
  std::uint8_t KX_CALL ExtensionOperation4(std::uint32_t value) override;
  KXResult KX_CALL ExtensionOperation5(std::uint32_t first, std::uint32_t second) override;
  KXResult KX_CALL ExtensionOperation6(std::uint32_t first, std::uint32_t second) override;
  std::uint32_t KX_CALL ExtensionOperation7() override;
  std::uint32_t KX_CALL ExtensionOperation8() override;
  std::uint32_t KX_CALL ExtensionOperation9(std::uint32_t first, std::uint32_t second,
                                            std::uint32_t third) override;
  std::uint16_t KX_CALL ExtensionOperation10() override;
  KXResult KX_CALL ExtensionOperation11() override;
  KXResult KX_CALL ExtensionOperation12(std::uint32_t value) override;

 protected:
  TKXExtensionObject() = default;
  ~TKXExtensionObject() = default;
};

