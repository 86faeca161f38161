#include "T3d/T3DGeometry.h"

#include <cmath>
#include <cstdint>
#include <limits>

void TKXTransform::TransformPoint(const TKXVector3& in, TKXVector3& out) const {
  const float a = (in.x - centre.x) * axisScale.x;
  const float b = (in.y - centre.y) * axisScale.y;
  const float d = (in.z - centre.z) * axisScale.z;
  // Each row sums its third product first, as the host does, so results match it to the bit.
  const float r0 = linear[2] * d + linear[1] * b + linear[0] * a;
  const float r1 = linear[5] * d + linear[4] * b + linear[3] * a;
  const float r2 = linear[8] * d + linear[7] * b + linear[6] * a;
  const float s0 = scale * r0;
  const float s1 = scale * r1;
  const float s2 = scale * r2;
  out.x = translation.x + s0;
  out.y = translation.y + s1;
  out.z = translation.z + s2;
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
