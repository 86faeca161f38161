// Points and the host's transform record: plain data that crosses the host boundary.
#pragma once

#include "KXTypes.h"

/// A point or direction: x, y, z.
struct TKXVector3 {
  float x;
  float y;
  float z;
};

/// The host's transform into world coordinates, 19 floats in this order. A point is moved by
/// the centre, scaled per axis, multiplied by the linear part, scaled and translated (the
/// exporter's TransformPoint).
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
};
