// Progress display and application facts (service entry 1).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KXHostServices.h"
#include "THostProgressDisplay.h"
#include "THostService.h"

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
class THostShellUtilities final : public THostService<IKXShellUtilities> {
 public:
  using Callback = std::function<void(const THostProgressEvent&, const THostProgressDisplay*)>;

  THostShellUtilities();
  ~THostShellUtilities();

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
  FourCharCode creator_;
  std::int32_t creatorCalls_ = 0;
};
