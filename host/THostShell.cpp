#include "THostShell.h"

#include "THostOutSlot.h"

THostShell::THostShell() = default;

void THostShell::Register(int entry, IKXUnknown* service) {
  services_.at(static_cast<std::size_t>(entry - 1)) = service;
}

void THostShell::Withhold(int entry, bool withheld) {
  withheld_.at(static_cast<std::size_t>(entry - 1)) = withheld;
}

KXResult THostShell::QueryInterface(const KXGUID& iid, void** out) {
  for (int index = 0; index < kKXServiceCount; ++index) {
    if (*kKXServiceIDs[index] == iid) return AnswerEntry(index, out);
  }
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostShell::AnswerEntry(int index, void** out) {
  const auto i = static_cast<std::size_t>(index);
  if (withheld_[i] || !services_[i]) return THostRefuse(out);
  return THostStore(out, services_[i]);
}
