// The two layouts of the file, and the frame the export driver writes around the polygons.
#include "support/ExpectedBuilderBrush.h"
#include "support/TriangleScene.h"
#include "T3d/ExportFixture.h"

namespace {

int CountLines(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

}  // namespace

using ExportLayoutTest = ExportFixture;

TEST_F(ExportLayoutTest, EmptyUniverseIsTheBuilderBrushAlone) {
  const std::string text = ExportMap();
  EXPECT_EQ(text, std::string("Begin Map\n") + kExpectedBuilderBrush);
  EXPECT_EQ(CountLines(text), 68);
  const auto& events = host.Utilities().ProgressEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, THostProgressEvent::Kind::Open);
  EXPECT_EQ(events[0].value, 0.0f);
  EXPECT_EQ(events[1].kind, THostProgressEvent::Kind::Close);
  EXPECT_EQ(events[1].display, events[0].display);
}

TEST_F(ExportLayoutTest, MapHoldsOneSubtractiveBrushPerInstance) {
  AddTriangle(scene, "Tri");
  EXPECT_EQ(ExportMap(), ExpectedTriangleMap("Tri"));
  EXPECT_EQ(ProgressSteps(), 1);
}

TEST_F(ExportLayoutTest, SingleObjectHoldsOnlyThatElementsPolygons) {
  AddTriangle(scene, "Other");
  THostInstance& triangle = AddTriangle(scene, "Tri");
  const std::string expected =
      "Begin PolyList\n"
      "   Begin Polygon Item=Tri Texture=Default Link=0\n"
      "      Origin   +00000.000000,-00010.000000,+00000.000000\n"
      "      Normal   +00000.000000,+00000.000000,+00001.000000\n"
      "      Vertex   +00000.000000,-00010.000000,+00000.000000\n"
      "      Vertex   +00010.000000,+00000.000000,+00000.000000\n"
      "      Vertex   +00000.000000,+00000.000000,+00000.000000\n"
      "   End Polygon\n"
      "End PolyList\n";
  EXPECT_EQ(ExportTop(triangle.TreeElement()), expected);
  // The display opens with the scene's full count and never advances.
  EXPECT_EQ(host.Utilities().ProgressEvents().front().value, 2.0f);
  EXPECT_EQ(ProgressSteps(), 0);
}

TEST_F(ExportLayoutTest, OnlyTheExactNameUniverseMakesAMap) {
  for (const char* name : {"universe", "Universe ", "Univers", ""}) {
    THostInstance& element = scene.AddInstance(name);
    EXPECT_EQ(ExportTop(element.TreeElement()), "Begin PolyList\nEnd PolyList\n") << name;
  }
  THostInstance& named = scene.AddInstance("Universe");
  EXPECT_EQ(ExportTop(named.TreeElement()).rfind("Begin Map\n", 0), 0u);
}

TEST_F(ExportLayoutTest, LongAndEmptyNamesAreWrittenWhole) {
  const std::string longName(300, 'n');
  AddTriangle(scene, longName).SetDefaultMaterialName(std::string(40, 't'));
  const std::string text = ExportMap();
  EXPECT_NE(text.find("Begin Actor Class=Brush Name=" + longName + "\n"), std::string::npos);
  EXPECT_NE(text.find("   Begin Brush Name=" + longName + "\n"), std::string::npos);
  EXPECT_NE(text.find("   Brush=Model'MyLevel." + longName + "'\n"), std::string::npos);
  EXPECT_NE(text.find("Item=" + longName + " Texture=" + std::string(40, 't') + " Link=0\n"),
            std::string::npos);

  THostInstance& unnamed = scene.AddInstance("");
  unnamed.AddGroup().AddPolygon({}, {0, 0, 1}, 0);
  EXPECT_EQ(ExportTop(unnamed.TreeElement()),
            "Begin PolyList\n"
            "   Begin Polygon Item= Texture= Link=0\n"
            "   End Polygon\n"
            "End PolyList\n");
}

TEST_F(ExportLayoutTest, LocationIsTheTransformedReferencePointUnrounded) {
  TKXTransform transform;
  transform.scale = 2;
  transform.translation = {100, -0.25f, 0};
  AddTriangle(scene, "Moved").SetTransform(transform).SetReferencePoint({1.25f, 2, -3});
  const std::string text = ExportMap();
  // Y keeps its sign here, unlike polygon lines.
  EXPECT_NE(text.find("   Location=(X=102.500000,Y=3.750000,Z=-6.000000)\n"), std::string::npos);
  EXPECT_NE(text.find("            Vertex   +00100.000000,-00020.000000,+00000.000000\n"),
            std::string::npos);
}

TEST_F(ExportLayoutTest, FileIsStampedAsTextWithTheHostsCreator) {
  host.Utilities().SetCreatorCode(KXFourChar('A', 'B', 'C', 'D'));
  ExportMap();
  const KXFileInfo info = host.Files().InfoOf(path);
  const KXFileInfo untouched = THostFileManager::DefaultInfo();
  EXPECT_EQ(info.type, KXFourChar('T', 'E', 'X', 'T'));
  EXPECT_EQ(info.creator, KXFourChar('A', 'B', 'C', 'D'));
  EXPECT_EQ(std::string(info.host, info.host + 40), std::string(untouched.host, untouched.host + 40));
}

TEST_F(ExportLayoutTest, ProgressTitleComesFromTheExportersResources) {
  host.Resources().SetExporterText(131, 1, "Writing the map");
  ExportMap();
  EXPECT_EQ(host.Utilities().ProgressEvents().front().title, "Writing the map");
  const auto& calls = host.Resources().Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, THostResourceCall::Op::Use);
  EXPECT_EQ(calls[0].owner, KXFourChar('3', 'D', 'o', 'u'));
  EXPECT_EQ(calls[0].kind, KXFourChar('R', 'T', '3', 'D'));
  EXPECT_EQ(calls[1].textId, 131);
  EXPECT_EQ(calls[1].item, 1);
  EXPECT_EQ(calls[2].op, THostResourceCall::Op::Restore);
  EXPECT_EQ(host.Resources().CurrentContext(), THostResources::kHostContext);
}
