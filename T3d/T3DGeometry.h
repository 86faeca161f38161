// The writer's arithmetic on coordinates.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "KXGeometry.h"

/// `out` = `transform` applied to `in`, in single precision, as the host computes it. Inline:
/// every vertex of a map passes here.
inline void TransformPoint(const TKXTransform& t, const TKXVector3& in, TKXVector3& out) {
  const float a = (in.x - t.centre.x) * t.axisScale.x;
  const float b = (in.y - t.centre.y) * t.axisScale.y;
  const float d = (in.z - t.centre.z) * t.axisScale.z;
  // Each row sums its third product first, as the host does, so results match it to the bit.
  const float r0 = t.linear[2] * d + t.linear[1] * b + t.linear[0] * a;
  const float r1 = t.linear[5] * d + t.linear[4] * b + t.linear[3] * a;
  const float r2 = t.linear[8] * d + t.linear[7] * b + t.linear[6] * a;
  const float s0 = t.scale * r0;
  const float s1 = t.scale * r1;
  const float s2 = t.scale * r2;
  out.x = t.translation.x + s0;
  out.y = t.translation.y + s1;
  out.z = t.translation.z + s2;
}

/// Rounds halves away from zero (in double precision) to a whole number. Results beyond the
/// signed 32-bit range saturate at its ends; NaN gives 0.
inline std::int32_t RoundToWhole(float x) {
  const double shifted = x < 0 ? static_cast<double>(x) - 0.5 : static_cast<double>(x) + 0.5;
  // A plain conversion of a value outside the int32 range (or NaN) is undefined: NaN fails both
  // comparisons and goes the long way too.
  if (shifted > -2147483649.0 && shifted < 2147483648.0) return static_cast<std::int32_t>(shifted);
  if (std::isnan(shifted)) return 0;
  return shifted > 0 ? std::numeric_limits<std::int32_t>::max()
                     : std::numeric_limits<std::int32_t>::min();
}

/// RoundToWhole as a float, as the format takes the rounded coordinates.
inline float RoundToInteger(float x) { return static_cast<float>(RoundToWhole(x)); }
