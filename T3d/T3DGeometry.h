// The writer's arithmetic on coordinates.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "KXGeometry.h"

/// `out` = `transform` applied to `in`, in single precision, as the host computes it.
void TransformPoint(const TKXTransform& transform, const TKXVector3& in, TKXVector3& out);

/// Rounds halves away from zero (in double precision) and returns the whole number as a float.
/// Results beyond the signed 32-bit range saturate at its ends; NaN gives 0. Inline: every
/// coordinate of a map passes here.
inline float RoundToInteger(float x) {
  const double shifted = x < 0 ? static_cast<double>(x) - 0.5 : static_cast<double>(x) + 0.5;
  // A plain conversion of a value outside the int32 range (or NaN) is undefined: clamp first.
  std::int32_t whole;
  if (std::isnan(shifted)) {
    whole = 0;
  } else if (shifted >= 2147483648.0) {
    whole = std::numeric_limits<std::int32_t>::max();
  } else if (shifted <= -2147483649.0) {
    whole = std::numeric_limits<std::int32_t>::min();
  } else {
    whole = static_cast<std::int32_t>(shifted);
  }
  return static_cast<float>(whole);
}
