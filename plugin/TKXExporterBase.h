// The component base that offers IKXExporter with its default answers.
#pragma once

#include "KXComponentInterfaces.h"
#include "KXImplements.h"
#include "plugin/TKXExtensionObject.h"

/// IKXExporter part first, then the TKXExtensionObject parts. Release stays abstract; the
/// default Export writes nothing.
class TKXExporterBase : public KXImplements<KXAbstract, IKXExporter, TKXExtensionObject> {
 public:
  std::uint8_t KX_CALL ExporterOperation3(std::uint32_t first, std::uint32_t second) override;
  std::uint8_t KX_CALL ExporterOperation4() override;
  KXResult KX_CALL ExporterOperation5(std::uint32_t first, std::uint32_t second,
                                      std::uint32_t third, std::int32_t* result) override;
  /// Returns kKXErrNotImplementedByComponent.
  KXResult KX_CALL Export(IKXFileStream* destination, IKXScene* scene,
                          IKXTreeElement* top) override;
  std::uint8_t KX_CALL ExporterOperation7() override;
  KXResult KX_CALL ExporterOperation8(std::uint32_t first, std::uint32_t second) override;
  KXResult KX_CALL ExporterOperation9(std::uint32_t value) override;
  std::uint8_t KX_CALL ExporterOperation10() override;
  std::uint8_t KX_CALL ExporterOperation11() override;

 protected:
  TKXExporterBase() = default;
  ~TKXExporterBase() = default;
};

