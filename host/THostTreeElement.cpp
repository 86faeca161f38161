#include "THostTreeElement.h"

#include <utility>

#include "KXIdentifiers.h"
#include "THostOutSlot.h"

THostTreeElement::THostTreeElement(THostRefLedger& ledger, std::string name)
    : THostCounted(&ledger) {
  placement_.name = std::move(name);
}

KXResult THostTreeElement::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDTreeElement || iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

KXResult THostTreeElement::GetName(TKXString* name) { return placement_.FillName(name); }

KXResult THostTreeElement::GetReferencePoint(TKXVector3* point) {
  return placement_.FillReferencePoint(point);
}

KXResult THostTreeElement::GetTransform(TKXTransform* transform) {
  return placement_.FillTransform(transform);
}
