#include "THostShellUtilities.h"

#include <algorithm>

#include "THostText.h"

THostShellUtilities::THostShellUtilities()
    : THostService(kKXIIDShellUtilities), creator_(KXFourChar('K', 'X', 'h', 'o')) {}

THostShellUtilities::~THostShellUtilities() = default;

KXResult THostShellUtilities::OpenProgress(const TKXString* title, IKXUnknown** progress,
                                           float total) {
  const int number = static_cast<int>(displays_.size()) + 1;
  displays_.push_back(
      std::make_unique<THostProgressDisplay>(ledger_, number, THostReadString(title), total));
  THostProgressDisplay* display = displays_.back().get();
  THostStore(THostSlot(progress), display);
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
