// Points and the host's transform record.
#pragma once

#include "KXTypes.h"

/// A point or direction: x, y, z.
struct TKXVector3 {
  float x;
  float y;
  float z;
};
static_assert(sizeof(TKXVector3) == 12, "TKXVector3 is three floats");

/// The host's transform into world coordinates, 19 floats in this order. A point is moved by
/// the centre, scaled per axis, multiplied by the linear part, scaled and translated.
struct TKXTransform {
  float linear[9];  // 3x3, row by row
  TKXVector3 translation;
  float scale;
  TKXVector3 centre;
  TKXVector3 axisScale;

  /// The identity.
  TKXTransform()
      : linear{1, 0, 0, 0, 1, 0, 0, 0, 1},
        translation{0, 0, 0},
        scale(1),
        centre{0, 0, 0},
        axisScale{1, 1, 1} {}

  /// `out` = this transform applied to `in`, in single precision.
  void TransformPoint(const TKXVector3& in, TKXVector3& out) const;
};
static_assert(sizeof(TKXTransform) == 76, "TKXTransform is 19 floats");
