#include "THostPlacement.h"

#include "THostText.h"

KXResult THostPlacement::FillName(TKXString* out) const {
  THostFillString(out, name);
  return kKXOk;
}

KXResult THostPlacement::FillReferencePoint(TKXVector3* out) const {
  *out = referencePoint;
  return kKXOk;
}

KXResult THostPlacement::FillTransform(TKXTransform* out) const {
  *out = transform;
  return kKXOk;
}
