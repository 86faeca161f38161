#include "THostResources.h"

#include "THostText.h"

namespace {
constexpr FourCharCode kExporterOwner = KXFourChar('3', 'D', 'o', 'u');
constexpr FourCharCode kExporterKind = KXFourChar('R', 'T', '3', 'D');
}  // namespace

THostResources::THostResources() : THostService(kKXIIDResourceManager) {
  SetExporterText(131, 1, "Exporting T3D");
}

void THostResources::SetExporterText(std::int32_t textId, std::int32_t item, std::string text) {
  exporterTexts_[{textId, item}] = std::move(text);
}

KXResult THostResources::GetText(TKXString* text, std::int32_t textId, std::int32_t item) {
  THostResourceCall call{THostResourceCall::Op::GetText};
  call.textId = textId;
  call.item = item;
  calls_.push_back(call);
  const auto found = exporterTexts_.find({textId, item});
  if (current_ != kExporterContext || found == exporterTexts_.end()) {
    THostFillString(text, "");
    return kKXErrMissingObject;
  }
  THostFillString(text, found->second);
  return kKXOk;
}

KXResult THostResources::UseResources(FourCharCode owner, FourCharCode kind,
                                      std::uint32_t* savedContext) {
  THostResourceCall call{THostResourceCall::Op::Use};
  call.owner = owner;
  call.kind = kind;
  call.context = current_;
  calls_.push_back(call);
  *savedContext = current_;
  const bool exporter = owner == kExporterOwner && kind == kExporterKind;
  current_ = exporter ? kExporterContext : kEmptyContext;
  return exporter ? kKXOk : kKXErrMissingObject;
}

KXResult THostResources::RestoreResources(std::uint32_t savedContext) {
  THostResourceCall call{THostResourceCall::Op::Restore};
  call.context = savedContext;
  calls_.push_back(call);
  current_ = savedContext;
  return kKXOk;
}
