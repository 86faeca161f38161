// Texture axes: the builder brush's convention, face by face, and the nearest face for the rest.
#include <gtest/gtest.h>

#include <string>

#include "TextureAxes.h"

namespace {

std::string Text(const AxisVector& v) {
  return std::string(AxisComponentText(v.x)) + "," + AxisComponentText(v.y) + "," +
         AxisComponentText(v.z);
}

}  // namespace

TEST(TextureAxesTest, NormalsTakeTheAxesOfTheNearestBuilderBrushFace) {
  const char* const kPlus = "+00001.000000";
  EXPECT_STREQ(AxisComponentText(1), kPlus);
  EXPECT_STREQ(AxisComponentText(0), "+00000.000000");
  EXPECT_STREQ(AxisComponentText(-1), "-00001.000000");
  const struct {
    double x, y, z;
    const char* u;
    const char* v;
  } cases[] = {
      // The builder brush's six faces.
      {-1, 0, 0, "+00000.000000,+00001.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {0, 1, 0, "+00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {1, 0, 0, "+00000.000000,-00001.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {0, -1, 0, "-00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {0, 0, 1, "+00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,+00001.000000,+00000.000000"},
      {0, 0, -1, "+00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,-00001.000000,+00000.000000"},
      // Slanted: the axis the normal points along most.
      {0.6, -0.8, 0, "-00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {-0.8, 0.36, -0.48, "+00000.000000,+00001.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {0.1, 0.3, -0.9, "+00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,-00001.000000,+00000.000000"},
      // Ties go to Z, then X; nothing at all faces up.
      {0.5, 0.5, 0.5, "+00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,+00001.000000,+00000.000000"},
      {-0.5, 0.5, 0, "+00000.000000,+00001.000000,+00000.000000",
       "+00000.000000,+00000.000000,-00001.000000"},
      {0, 0, 0, "+00001.000000,+00000.000000,+00000.000000",
       "+00000.000000,+00001.000000,+00000.000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << "," << c.z);
    const TextureAxes axes = TextureAxesFor(c.x, c.y, c.z);
    EXPECT_EQ(Text(axes.u), c.u);
    EXPECT_EQ(Text(axes.v), c.v);
  }
}
