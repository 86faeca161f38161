#include "THostTexture.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"
#include "THostText.h"

THostTexture::THostTexture(THostRefLedger& ledger, std::string name)
    : THostCounted(&ledger), name_(std::move(name)) {}

KXResult THostTexture::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostTexture::GetName(TKXString* name) {
  THostFillString(name, name_);
  return kKXOk;
}
