// What a scene tree element tells about itself: name, transform and reference point.
#pragma once

#include <string>

#include "KXGeometry.h"
#include "KXResultCodes.h"

class TKXString;

/// The data behind the three IKXTreeElement operations, shared by every kind of element.
struct THostPlacement {
  std::string name;
  TKXTransform transform;                 // the identity by default
  TKXVector3 referencePoint{0, 0, 0};

  /// GetName (slot 7).
  KXResult FillName(TKXString* out) const;
  /// GetReferencePoint (slot 20).
  KXResult FillReferencePoint(TKXVector3* out) const;
  /// GetTransform (slot 81).
  KXResult FillTransform(TKXTransform* out) const;
};
