// `t3dexport view` as a designer runs it: the picture of the sample room shows each wall where
// its coordinates put it, the same map gives the same bytes, brushes an editor rotated and
// scaled are drawn in place, and a map that does not read gives no picture.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "ExitCodes.h"
#include "support/FileText.h"
#include "support/ToolRun.h"

namespace {

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "view_" + name; }

// The picture, and where a world point lands in it when one orthographic pane fills it: the
// view fits the box round the map in the pane, less a margin of 24 pixels, about its centre.
class Picture {
 public:
  Picture(const std::string& path, double low[2], double high[2])
      : surface_(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy) {
    width_ = cairo_image_surface_get_width(surface_.get());
    height_ = cairo_image_surface_get_height(surface_.get());
    scale_ = std::min((width_ - 48) / (high[0] - low[0]), (height_ - 48) / (high[1] - low[1]));
    centre_[0] = (low[0] + high[0]) / 2;
    centre_[1] = (low[1] + high[1]) / 2;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

  /// The colour at world point (u, v) of the pane, 0xRRGGBB.
  std::uint32_t At(double u, double v) const {
    const int x = static_cast<int>((u - centre_[0]) * scale_ + width_ / 2.0);
    const int y = static_cast<int>((v - centre_[1]) * scale_ + height_ / 2.0);
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
    const auto* row = cairo_image_surface_get_data(surface_.get()) + y * cairo_image_surface_get_stride(surface_.get());
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
  }

 private:
  std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
  int width_ = 0, height_ = 0;
  double scale_ = 1, centre_[2] = {0, 0};
};

// A brush's fill over the dark background: red well above blue, as the subtractive amber is.
bool Amber(std::uint32_t c) { return c >> 24 == 0 && (c >> 16 & 0xFF) > (c & 0xFF) + 40; }
bool Background(std::uint32_t c) { return (c >> 16 & 0xFF) < 0x50 && (c >> 8 & 0xFF) < 0x50 && c >> 24 == 0; }

}  // namespace

TEST(MapViewTest, TopViewShowsEachWallWhereItsCoordinatesSay) {
  const std::string map = TempPath("room.t3d"), picture = TempPath("room.png"), again = TempPath("again.png");
  ASSERT_EQ(RunTool({"--sample", "-q", "-o", map}).status, kExitOk);
  const ToolRun run = RunTool({"view", map, "-o", picture, "--view", "top", "--size", "800x600"});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  // The sample's walls: 32 thick, their outer faces at 544 from the middle each way.
  double low[2] = {-544, -544}, high[2] = {544, 544};
  const Picture top(picture, low, high);
  ASSERT_EQ(top.Width(), 800);
  ASSERT_EQ(top.Height(), 600);
  for (const auto& [u, v] : {std::pair{0.0, 528.0}, {0.0, -528.0}, {528.0, 0.0}, {-528.0, 0.0}}) {
    EXPECT_TRUE(Amber(top.At(u, v))) << u << "," << v << ": " << std::hex << top.At(u, v);
  }
  EXPECT_TRUE(Background(top.At(-580, -100)));  // beside the west wall
  ASSERT_EQ(RunTool({"view", map, "-o", again, "--view", "top", "--size", "800x600"}).status, kExitOk);
  EXPECT_EQ(ReadFileText(picture), ReadFileText(again));
  // An export draws the map it wrote with --preview: all four panes, 1600 x 1200.
  ASSERT_EQ(RunTool({"--sample", "-q", "-o", map, "--preview", again}).status, kExitOk);
  const Picture all(again, low, high);
  EXPECT_EQ(all.Width() * 1000 + all.Height(), 1600 * 1000 + 1200);
}

TEST(MapViewTest, EditorBrushesAreRotatedAndScaledInPlace) {
  // A 128-unit cube at (1000, 0, 0), stretched 4 times along X by MainScale and turned a
  // quarter by its yaw: 128 wide along X, 512 along Y. Another at the origin keeps the view wide.
  std::string cube;
  const int corners[6][4][3] = {{{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}, {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
                                {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}, {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
                                {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}}, {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}}};
  for (const auto& face : corners) {
    cube += "Begin Polygon\n";
    for (const auto& c : face) cube += "Vertex " + std::to_string(64 * c[0]) + "," + std::to_string(64 * c[1]) + "," + std::to_string(64 * c[2]) + "\n";
    cube += "End Polygon\n";
  }
  const std::string map = TempPath("editor.t3d"), picture = TempPath("editor.png");
  std::ofstream(map) << "Begin Map\nBegin Actor Class=LevelInfo Name=LevelInfo0\nEnd Actor\n"
                        "Begin Actor Class=Brush Name=Brush0\nBegin Brush Name=Model0\nBegin PolyList\n" << cube
                     << "End PolyList\nEnd Brush\nEnd Actor\n"
                        "Begin Actor Class=Brush Name=Turned\n   CsgOper=CSG_Subtract\n"
                        "   MainScale=(Scale=(X=4.000000),SheerAxis=SHEER_ZX)\n   Rotation=(Yaw=16384)\n"
                        "   Location=(X=1000.000000,Y=0.000000,Z=0.000000)\nBegin Brush Name=Model1\nBegin PolyList\n"
                     << cube << "End PolyList\nEnd Brush\nEnd Actor\nEnd Map\n";
  ASSERT_EQ(RunTool({"view", map, "-o", picture, "--view", "top", "--size", "900x600"}).status, kExitOk);
  double low[2] = {-64, -256}, high[2] = {1064, 256};
  const Picture top(picture, low, high);
  EXPECT_TRUE(Amber(top.At(1000, 200)));   // along Y, where the stretch went
  EXPECT_TRUE(Amber(top.At(1000, -200)));
  EXPECT_TRUE(Background(top.At(1000 - 150, 100)));  // not along X
}

TEST(MapViewTest, MapsThatDoNotReadGiveNoPicture) {
  const std::string broken = TempPath("broken.t3d"), picture = TempPath("broken.png");
  std::ofstream(broken) << "Begin Map\nBegin Actor Class=Brush Name=A\n";
  std::remove(picture.c_str());
  for (const std::string& map : {broken, TempPath("missing.t3d")}) {
    const ToolRun run = RunTool({"view", map, "-o", picture});
    EXPECT_EQ(run.status, kExitInput) << run.err;
    EXPECT_FALSE(std::ifstream(picture).good());
  }
  EXPECT_NE(RunTool({"view", broken, "-o", picture}).err.find("is not closed"), std::string::npos);
}
