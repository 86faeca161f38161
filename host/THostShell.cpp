#include "THostShell.h"

#include <algorithm>
#include <cstring>

#include "KXString.h"

namespace {
constexpr FourCharCode kExporterOwner = KXFourChar('3', 'D', 'o', 'u');
constexpr FourCharCode kExporterKind = KXFourChar('R', 'T', '3', 'D');
}  // namespace

void THostFillString(TKXString* string, const std::string& text) {
  if (!string) return;
  const auto length =
      static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), string->Capacity()));
  char* buffer = string->GetBuffer();
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  // One byte per character: the host's code page has no lead bytes in the texts it hands out.
  string->SetCounts(static_cast<std::int32_t>(length), length);
}

std::string THostReadString(const TKXString* string) {
  if (!string) return {};
  // GetBuffer is not const in the string's table, but reading through it changes nothing.
  const char* buffer = const_cast<TKXString*>(string)->GetBuffer();
  return std::string(buffer, std::min(string->ByteLength(), string->Capacity()));
}

void THostShell::Register(int entry, IKXUnknown* service) {
  services_.at(static_cast<std::size_t>(entry - 1)) = service;
}

void THostShell::Withhold(int entry, bool withheld) {
  withheld_.at(static_cast<std::size_t>(entry - 1)) = withheld;
}

KXResult THostShell::QueryInterface(const KXGUID& iid, void** out) {
  for (std::size_t i = 0; i < services_.size(); ++i) {
    if (*kKXServiceIDs[i] != iid) continue;
    if (withheld_[i] || !services_[i]) return KXRefuseInterface(out);
    return KXStoreInterface(out, services_[i]);
  }
  return KXImplements::QueryInterface(iid, out);
}

KXResult THostShellUtilities::OpenProgress(const TKXString* title, IKXUnknown** progress,
                                           float total) {
  const int number = static_cast<int>(displays_.size()) + 1;
  displays_.push_back(
      std::make_unique<THostProgressDisplay>(ledger_, number, THostReadString(title), total));
  THostProgressDisplay* display = displays_.back().get();
  KXStoreInterface(KXSlot(progress), display);
  Record({THostProgressEvent::Kind::Open, number, display->Title(), total}, display);
  return kKXOk;
}

KXResult THostShellUtilities::CloseProgress(IKXUnknown* progress) {
  THostProgressDisplay* display = Find(progress);
  if (display) display->Close();
  Record({THostProgressEvent::Kind::Close, display ? display->Number() : 0, {}, 0}, display);
  return kKXOk;
}

KXResult THostShellUtilities::AdvanceProgress(float step, IKXUnknown* progress) {
  THostProgressDisplay* display = Find(progress);
  if (display) display->Advance(step);
  Record({THostProgressEvent::Kind::Advance, display ? display->Number() : 0, {}, step}, display);
  return display ? kKXOk : kKXErrMissingObject;
}

FourCharCode THostShellUtilities::GetCreatorCode() {
  ++creatorCalls_;
  return creator_;
}

const THostProgressDisplay* THostShellUtilities::Display(int number) const {
  if (number < 1 || number > static_cast<int>(displays_.size())) return nullptr;
  return displays_[static_cast<std::size_t>(number - 1)].get();
}

std::int32_t THostShellUtilities::OpenDisplays() const {
  return static_cast<std::int32_t>(std::count_if(
      displays_.begin(), displays_.end(), [](const auto& display) { return display->IsOpen(); }));
}

THostProgressDisplay* THostShellUtilities::Find(IKXUnknown* progress) {
  for (const auto& display : displays_) {
    if (static_cast<IKXUnknown*>(display.get()) == progress) return display.get();
  }
  return nullptr;
}

void THostShellUtilities::Record(THostProgressEvent event, const THostProgressDisplay* display) {
  events_.push_back(std::move(event));
  if (callback_) callback_(events_.back(), display);
}

THostResources::THostResources() {
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

void THostStartupInfo::GetStartupValuesA(std::uint32_t* first, std::uint32_t* second) {
  ++callsA_;
  *first = valuesA_.first;
  *second = valuesA_.second;
}

void THostStartupInfo::GetStartupValuesB(std::uint32_t* first, std::uint32_t* second) {
  ++callsB_;
  *first = valuesB_.first;
  *second = valuesB_.second;
}

const std::uint32_t* THostStartupInfo::GetStartupRecord() {
  ++recordCalls_;
  return recordAbsent_ ? nullptr : &record_;
}

const void* THostPlatformInfo::GetCharacterTables() {
  ++tableCalls_;
  return tables_;
}

void THostPlatformInfo::GetProcessorFeatures(std::uint8_t* features) {
  ++featureCalls_;
  std::memcpy(features, features_.data(), features_.size());
}
