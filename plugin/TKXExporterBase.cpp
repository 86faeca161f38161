#include "plugin/TKXExporterBase.h"

#include "KXResultCodes.h"

std::uint8_t TKXExporterBase::ExporterOperation3(std::uint32_t, std::uint32_t) { return 1; }

std::uint8_t TKXExporterBase::ExporterOperation4() { return 0; }

KXResult TKXExporterBase::ExporterOperation5(std::uint32_t, std::uint32_t, std::uint32_t,
                                             std::int32_t* result) {
  *result = 0;
  return kKXOk;
}

KXResult TKXExporterBase::Export(IKXFileStream*, IKXScene*, IKXTreeElement*) {
  return kKXErrNotImplementedByComponent;
}

std::uint8_t TKXExporterBase::ExporterOperation7() { return 0; }

KXResult TKXExporterBase::ExporterOperation8(std::uint32_t, std::uint32_t) {
  return kKXErrNotImplementedByComponent;
}

KXResult TKXExporterBase::ExporterOperation9(std::uint32_t) {
  return kKXErrNotImplementedByComponent;
}

std::uint8_t TKXExporterBase::ExporterOperation10() { return 1; }

std::uint8_t TKXExporterBase::ExporterOperation11() { return 1; }
