#include "T3d/T3DGeometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

void TransformPoint(const TKXTransform& t, const TKXVector3& in, TKXVector3& out) {
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

float RoundToInteger(float x) {
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
