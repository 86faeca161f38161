#include "T3d/T3DGeometry.h"

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
