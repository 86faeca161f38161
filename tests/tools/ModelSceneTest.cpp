// Model files read into host scenes, then written by the exporter.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "ModelScene.h"
#include "T3d/T3DExport.h"
#include "THostApplication.h"
#include "THostScene.h"
#include "support/FileText.h"
#include "support/ServiceTableSession.h"

namespace {

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "model_" + name; }

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A unit square of one quad in the XY plane, offset by (2, 0, 0) through a named object, with a
// material whose diffuse texture is bricks.png.
void WriteSquareModel(const std::string& objPath, const std::string& mtlName) {
  WriteText(TempPath(mtlName), "newmtl Wall\nmap_Kd textures/bricks.png\n");
  WriteText(objPath,
            "mtllib " + mtlName +
                "\n"
                "o Square\n"
                "v 2 0 0\nv 3 0 0\nv 3 1 0\nv 2 1 0\n"
                "v 9 9 9\nv 9 9 8\n"
                "usemtl Wall\n"
                "f 1 2 3 4\n"
                "l 5 6\n");
}

class ModelSceneTest : public ::testing::Test {
 protected:
  THostApplication host;
  TServiceTableSession session{host.Shell()};
  THostScene scene;
};

}  // namespace

TEST_F(ModelSceneTest, FacesBecomePolygonsInMapUnits) {
  const std::string model = TempPath("square.obj");
  WriteSquareModel(model, "square.mtl");
  std::string error;
  ASSERT_TRUE(BuildModelScene(model, ModelSceneOptions{64}, scene, error)) << error;
  ASSERT_EQ(scene.InstanceCount(), 1u);
  EXPECT_EQ(scene.InstanceAt(0).Name(), "Square");

  const std::string output = TempPath("square.t3d");
  std::remove(output.c_str());
  {
    auto destination = host.Files().NewDestination(output);
    ASSERT_EQ(Export(destination.Get(), &scene, scene.Universe()), kKXOk);
  }
  const std::string text = ReadFileText(output);
  // The quad keeps its four corners (the line is left out), scaled by 64, last first, Y negated;
  // its normal is +Z and its texture the diffuse map's name.
  const std::string polygon =
      "   Begin Polygon Item=Square Texture=bricks Link=0\n"
      "            Origin   +00128.000000,-00064.000000,+00000.000000\n"
      "            Normal   +00000.000000,+00000.000000,+00001.000000\n"
      "            Vertex   +00128.000000,-00064.000000,+00000.000000\n"
      "            Vertex   +00192.000000,-00064.000000,+00000.000000\n"
      "            Vertex   +00192.000000,+00000.000000,+00000.000000\n"
      "            Vertex   +00128.000000,+00000.000000,+00000.000000\n"
      "         End Polygon\n";
  EXPECT_NE(text.find(polygon), std::string::npos) << text;
  EXPECT_EQ(text.find("Begin Polygon Item=Square Texture=bricks Link=1"), std::string::npos);
}

TEST_F(ModelSceneTest, UnreadableFileIsReported) {
  std::string error;
  EXPECT_FALSE(BuildModelScene(TempPath("missing.obj"), ModelSceneOptions{}, scene, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(scene.InstanceCount(), 0u);
}
