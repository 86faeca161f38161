#include "THostProgressDisplay.h"

#include <utility>

#include "KXIdentifiers.h"
#include "THostOutSlot.h"

THostProgressDisplay::THostProgressDisplay(THostRefLedger& ledger, int number, std::string title,
                                           float total)
    : THostCounted(&ledger), number_(number), title_(std::move(title)), total_(total) {}

KXResult THostProgressDisplay::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}
