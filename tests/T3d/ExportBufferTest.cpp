// A scene whose file is many times the stream's buffer: every byte arrives, in whole blocks.
#include <cstdio>
#include <string>

#include "support/ExpectedBuilderBrush.h"
#include "T3d/ExportFixture.h"

namespace {

constexpr std::uint32_t kBufferSize = 32512;

// The polygon line of the map layout for a point, formatted here with the C library's printf.
std::string PointLine(const char* keyword, int x, int y, int z) {
  char line[160];
  std::snprintf(line, sizeof line, "            %s   %+013.6f,%+013.6f,%+013.6f\n", keyword,
                static_cast<double>(x), static_cast<double>(-y), static_cast<double>(z));
  std::string text = line;
  // A Y of zero is written as a positive zero.
  for (std::string::size_type at; (at = text.find("-00000.000000")) != std::string::npos;) {
    text.replace(at, 1, "+");
  }
  return text;
}

}  // namespace

using ExportBufferTest = ExportFixture;

TEST_F(ExportBufferTest, LargeSceneCrossesTheBufferInWholeBlocks) {
  std::string expected = std::string("Begin Map\n") + kExpectedBuilderBrush;
  for (int i = 0; i < 40; ++i) {
    const std::string name = "Block" + std::to_string(i);
    THostInstance& instance = scene.AddInstance(name);
    instance.SetDefaultMaterialName("Wall");
    expected += "Begin Actor Class=Brush Name=" + name + "\n   CsgOper=CSG_Subtract\n";
    expected += "   Location=(X=0.000000,Y=0.000000,Z=0.000000)\n";
    expected += "   Begin Brush Name=" + name + "\n      Begin PolyList\n";
    THostPolygonGroup& group = instance.AddGroup();
    for (int j = 0; j < 10; ++j) {
      const int x = i * 100 + j, y = -j, z = i;
      group.AddPolygon({{float(x), float(y), float(z)}, {float(x + 1), float(y), float(z)},
                        {float(x), float(y + 1), float(z + 2)}},
                       {0, 0, 1}, 0);
      expected += "   Begin Polygon Item=" + name + " Texture=Wall Link=" + std::to_string(j) + "\n";
      expected += PointLine("Origin", x, y + 1, z + 2);
      expected += PointLine("Normal", 0, 0, 1);
      expected += PointLine("Vertex", x, y + 1, z + 2);
      expected += PointLine("Vertex", x + 1, y, z);
      expected += PointLine("Vertex", x, y, z);
      expected += "         End Polygon\n";
    }
    expected += "      End PolyList\n   End Brush\n   Brush=Model'MyLevel." + name +
                "'\nEnd Actor\n";
  }
  ASSERT_GT(expected.size(), 4 * kBufferSize);

  EXPECT_EQ(ExportMap(), expected);

  // The host saw one write per full buffer and the rest when the stream was deleted.
  const auto& writes = host.Files().WriteSizes();
  ASSERT_EQ(writes.size(), expected.size() / kBufferSize + 1);
  for (std::size_t i = 0; i + 1 < writes.size(); ++i) EXPECT_EQ(writes[i], kBufferSize);
  EXPECT_EQ(writes.back(), expected.size() % kBufferSize);
  EXPECT_EQ(ProgressSteps(), 40);
}
