// The host's root interface and the services it hands out besides memory and files: progress
// display and creator code (entry 1), resources (entry 4), start-up facts (entry 5) and platform
// facts (entry 9); and how the host moves text in and out of the plug-in's strings.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KXHostServices.h"
#include "KXIdentifiers.h"
#include "THostCom.h"

class TKXString;

/// Writes `text` into `string` the way the host fills strings: into its buffer, cut at its
/// capacity, NUL-terminated, with both counters set. Nothing for a null string.
void THostFillString(TKXString* string, const std::string& text);

/// The text that `string` holds (its byte length, at most its capacity); empty for null.
std::string THostReadString(const TKXString* string);

/// IKXShell. A query for the identifier of service entry n (kKXServiceIDs[n - 1]) stores that
/// service with one reference, unless the entry is withheld: then the slot is left null and the
/// answer is kKXErrNoInterface. IUnknown answers the shell itself.
class THostShell final : public KXImplements<THostShell, THostCounted, IKXShell> {
 public:
  /// Makes entry `entry` (1 to 27) answer with `service` (its interface part).
  void Register(int entry, IKXUnknown* service);
  /// Switches the answer of entry `entry` (1 to 27) off or back on.
  void Withhold(int entry, bool withheld);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;

 private:
  std::array<IKXUnknown*, kKXServiceCount> services_{};
  std::array<bool, kKXServiceCount> withheld_{};
};

/// The object behind a progress display: answers IUnknown only. Its number (from 1, in the
/// order of opening) names it in the recorded events.
class THostProgressDisplay final
    : public KXImplements<THostProgressDisplay, THostCounted, IKXUnknown> {
 public:
  THostProgressDisplay(THostRefLedger& ledger, int number, std::string title, float total)
      : KXImplements(&ledger), number_(number), title_(std::move(title)), total_(total) {}

  int Number() const { return number_; }
  const std::string& Title() const { return title_; }
  float Total() const { return total_; }
  /// The sum of the steps advanced so far.
  float Done() const { return done_; }
  bool IsOpen() const { return open_; }

  void Advance(float step) { done_ += step; }
  void Close() { open_ = false; }

 private:
  int number_;
  std::string title_;
  float total_;
  float done_ = 0;
  bool open_ = true;
};

/// One progress call, as recorded and as passed to the progress callback.
struct THostProgressEvent {
  enum class Kind { Open, Advance, Close };
  Kind kind;
  /// The display's number (from 1); 0 when the call named no display of this host (null or a
  /// foreign object).
  int display = 0;
  std::string title;  // Open: the title
  float value = 0;    // Open: the total; Advance: the step
};

/// IKXShellUtilities. OpenProgress (slot 3) makes a new THostProgressDisplay and hands it out with
/// one reference; AdvanceProgress (slot 6) and CloseProgress (slot 4, null allowed) act on it.
/// Every call is recorded and passed to the callback, if one is set. GetCreatorCode (slot 38)
/// answers the configured code, 'KXho' by default.
class THostShellUtilities final
    : public KXImplements<THostShellUtilities, THostCounted, IKXShellUtilities> {
 public:
  using Callback = std::function<void(const THostProgressEvent&, const THostProgressDisplay*)>;

  KXResult KX_CALL OpenProgress(const TKXString* title, IKXUnknown** progress,
                                float total) override;
  KXResult KX_CALL CloseProgress(IKXUnknown* progress) override;
  KXResult KX_CALL AdvanceProgress(float step, IKXUnknown* progress) override;
  FourCharCode KX_CALL GetCreatorCode() override;

  void SetCreatorCode(FourCharCode code) { creator_ = code; }
  /// Called after each progress call with its event and its display (null for display 0).
  void SetProgressCallback(Callback callback) { callback_ = std::move(callback); }

  const std::vector<THostProgressEvent>& ProgressEvents() const { return events_; }
  /// Display `number` (from 1), or null.
  const THostProgressDisplay* Display(int number) const;
  /// Displays opened and not closed.
  std::int32_t OpenDisplays() const;
  /// References that others hold on progress displays.
  std::int32_t OutstandingDisplayReferences() const { return ledger_.Outstanding(); }
  std::int32_t DisplayUnderflows() const { return ledger_.Underflows(); }
  std::int32_t CreatorCodeCalls() const { return creatorCalls_; }

 private:
  THostProgressDisplay* Find(IKXUnknown* progress);
  void Record(THostProgressEvent event, const THostProgressDisplay* display);

  THostRefLedger ledger_;
  std::vector<std::unique_ptr<THostProgressDisplay>> displays_;
  std::vector<THostProgressEvent> events_;
  Callback callback_;
  FourCharCode creator_ = KXFourChar('K', 'X', 'h', 'o');
  std::int32_t creatorCalls_ = 0;
};

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
class THostResources final
    : public KXImplements<THostResources, THostCounted, IKXResourceManager> {
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

/// IKXStartupInfo: slots 13 and 14 fill two values each, slot 15 answers the address of a value
/// (or null when switched off). Every call is counted.
class THostStartupInfo final
    : public KXImplements<THostStartupInfo, THostCounted, IKXStartupInfo> {
 public:
  using Pair = std::pair<std::uint32_t, std::uint32_t>;

  void KX_CALL GetStartupValuesA(std::uint32_t* first, std::uint32_t* second) override;
  void KX_CALL GetStartupValuesB(std::uint32_t* first, std::uint32_t* second) override;
  const std::uint32_t* KX_CALL GetStartupRecord() override;

  void SetValuesA(Pair values) { valuesA_ = values; }
  void SetValuesB(Pair values) { valuesB_ = values; }
  /// Makes slot 15 answer null (true) or the record's address (false, the default).
  void SetRecordAbsent(bool absent) { recordAbsent_ = absent; }

  std::int32_t CallsA() const { return callsA_; }
  std::int32_t CallsB() const { return callsB_; }
  std::int32_t RecordCalls() const { return recordCalls_; }

 private:
  Pair valuesA_{1, 2};
  Pair valuesB_{3, 4};
  std::uint32_t record_ = 0x00010000;
  bool recordAbsent_ = false;
  std::int32_t callsA_ = 0;
  std::int32_t callsB_ = 0;
  std::int32_t recordCalls_ = 0;
};

/// IKXPlatformInfo: processor features (slot 5) and the character conversion tables (slot 4).
class THostPlatformInfo final
    : public KXImplements<THostPlatformInfo, THostCounted, IKXPlatformInfo> {
 public:
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
