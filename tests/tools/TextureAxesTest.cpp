// Texture axes: the builder brush's convention, face by face, and the nearest face for the rest.
#include <gtest/gtest.h>

#include "TextureAxes.h"

namespace {

bool operator==(const AxisVector& a, const AxisVector& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

TEST(TextureAxesTest, NormalsTakeTheAxesOfTheNearestBuilderBrushFace) {
  EXPECT_STREQ(AxisComponentText(1), "+00001.000000");
  EXPECT_STREQ(AxisComponentText(0), "+00000.000000");
  EXPECT_STREQ(AxisComponentText(-1), "-00001.000000");
  const struct {
    double x, y, z;
    AxisVector u, v;
  } cases[] = {
      // The builder brush's six faces.
      {-1, 0, 0, {0, 1, 0}, {0, 0, -1}},
      {0, 1, 0, {1, 0, 0}, {0, 0, -1}},
      {1, 0, 0, {0, -1, 0}, {0, 0, -1}},
      {0, -1, 0, {-1, 0, 0}, {0, 0, -1}},
      {0, 0, 1, {1, 0, 0}, {0, 1, 0}},
      {0, 0, -1, {1, 0, 0}, {0, -1, 0}},
      // Slanted: the axis the normal points along most.
      {0.6, -0.8, 0, {-1, 0, 0}, {0, 0, -1}},
      {-0.8, 0.36, -0.48, {0, 1, 0}, {0, 0, -1}},
      {0.1, 0.3, -0.9, {1, 0, 0}, {0, -1, 0}},
      // Ties go to Z, then X; no direction at all faces up.
      {0.5, 0.5, 0.5, {1, 0, 0}, {0, 1, 0}},
      {-0.5, 0.5, 0, {0, 1, 0}, {0, 0, -1}},
      {0, 0, 0, {1, 0, 0}, {0, 1, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.z);
    const TextureAxes axes = TextureAxesFor(c.x, c.y, c.z);
    EXPECT_TRUE(axes.u == c.u);
    EXPECT_TRUE(axes.v == c.v);
  }
}
