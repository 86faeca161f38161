#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "T3d/T3DGeometry.h"

TEST(RoundToInteger, HalvesGoAwayFromZero) {
  EXPECT_EQ(RoundToInteger(2.5f), 3.0f);
  EXPECT_EQ(RoundToInteger(-2.5f), -3.0f);
  EXPECT_EQ(RoundToInteger(1.5f), 2.0f);
  EXPECT_EQ(RoundToInteger(-0.5f), -1.0f);
  EXPECT_EQ(RoundToInteger(0.49999997f), 0.0f);
  EXPECT_EQ(RoundToInteger(0.4999f), 0.0f);
  EXPECT_EQ(RoundToInteger(123456.4f), 123456.0f);
  const float minusPointFour = RoundToInteger(-0.4f);
  EXPECT_EQ(minusPointFour, 0.0f);
  EXPECT_FALSE(std::signbit(minusPointFour));  // the integer 0 has no sign
}

TEST(RoundToInteger, SaturatesOutsideTheInt32Range) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(RoundToInteger(1e30f), 2147483648.0f);  // INT32_MAX as a float
  EXPECT_EQ(RoundToInteger(inf), 2147483648.0f);
  EXPECT_EQ(RoundToInteger(-1e30f), -2147483648.0f);
  EXPECT_EQ(RoundToInteger(-inf), -2147483648.0f);
  EXPECT_EQ(RoundToInteger(std::numeric_limits<float>::quiet_NaN()), 0.0f);
  EXPECT_EQ(RoundToInteger(-0.0f), 0.0f);
}

TEST(TransformPoint, IdentityScaleTranslationAndCentre) {
  TKXTransform t;
  TKXVector3 out{};
  TransformPoint(t, {1, 2, 3}, out);
  EXPECT_EQ(out.x, 1.0f);
  EXPECT_EQ(out.y, 2.0f);
  EXPECT_EQ(out.z, 3.0f);

  t.scale = 2;
  t.translation = {100, 0, 0};
  TransformPoint(t, {1, 2, 3}, out);
  EXPECT_EQ(out.x, 102.0f);
  EXPECT_EQ(out.y, 4.0f);
  EXPECT_EQ(out.z, 6.0f);

  TKXTransform centred;
  centred.centre = {1, 1, 1};
  centred.translation = {5, -6, 7};
  TransformPoint(centred, {1, 1, 1}, out);
  EXPECT_EQ(out.x, 5.0f);
  EXPECT_EQ(out.y, -6.0f);
  EXPECT_EQ(out.z, 7.0f);
}

TEST(TransformPoint, RowsAndAxisScaleInSinglePrecision) {
  TKXTransform t;
  // A rotation of 90 degrees about Z: x' = -y, y' = x, with axis scales applied first.
  t.linear[0] = 0; t.linear[1] = -1; t.linear[3] = 1; t.linear[4] = 0;
  t.axisScale = {2, 3, 4};
  TKXVector3 out{};
  TransformPoint(t, {1, 1, 1}, out);
  EXPECT_EQ(out.x, -3.0f);
  EXPECT_EQ(out.y, 2.0f);
  EXPECT_EQ(out.z, 4.0f);

  // The third product is added to the second before the first; in single precision the order
  // decides the result, since 1e8 - 1 rounds back to 1e8.
  TKXTransform order;
  order.linear[0] = 1; order.linear[1] = 1; order.linear[2] = 1;
  TransformPoint(order, {1.0f, -1e8f, 1e8f}, out);
  EXPECT_EQ(out.x, 1.0f);  // (1e8 + -1e8) + 1
  TransformPoint(order, {1e8f, -1e8f, 1.0f}, out);
  EXPECT_EQ(out.x, 0.0f);  // (1 + -1e8) + 1e8, not (1e8 + -1e8) + 1
}
