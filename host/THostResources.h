// Localised resources (service entry 4): texts of the current resource context.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "KXHostServices.h"
#include "THostService.h"

/// One call on the resource manager, as recorded.
struct THostResourceCall {
  enum class Op { Use, GetText, Restore };
  Op op;
  FourCharCode owner = 0;     // Use
  FourCharCode kind = 0;      // Use
  std::uint32_t context = 0;  // Use: the context saved; Restore: the context given back
  std::int32_t textId = 0;    // GetText
  std::int32_t item = 0;      // GetText
};

/// IKXResourceManager. The host's own resources are current at first (kHostContext). Slot 7
/// with ('3Dou', 'RT3D') makes the exporter's resources current and stores the previous context;
/// other codes make an empty context current. Slot 4 fills the text of the current context
/// (the exporter's text 131, item 1 is "Exporting T3D" unless changed) or answers
/// kKXErrMissingObject with an empty string. Slot 8 makes the given context current.
class THostResources final : public THostService<IKXResourceManager> {
 public:
  static constexpr std::uint32_t kHostContext = 0x484F5354;      // 'HOST'
  static constexpr std::uint32_t kExporterContext = 0x52543344;  // 'RT3D'
  static constexpr std::uint32_t kEmptyContext = 0x4E4F4E45;     // 'NONE'

  THostResources();

  KXResult KX_CALL GetText(TKXString* text, std::int32_t textId, std::int32_t item) override;
  KXResult KX_CALL UseResources(FourCharCode owner, FourCharCode kind,
                                std::uint32_t* savedContext) override;
  KXResult KX_CALL RestoreResources(std::uint32_t savedContext) override;

  /// Sets the exporter's text `textId`, item `item`.
  void SetExporterText(std::int32_t textId, std::int32_t item, std::string text);
  std::uint32_t CurrentContext() const { return current_; }
  const std::vector<THostResourceCall>& Calls() const { return calls_; }

 private:
  std::map<std::pair<std::int32_t, std::int32_t>, std::string> exporterTexts_;
  std::uint32_t current_ = kHostContext;
  std::vector<THostResourceCall> calls_;
};
