// Polygon blocks: order, numbers, links and texture names, as a single-object export writes them.
#include <limits>

#include "support/ArrayScene.h"
#include "THostScene.h"

#include "T3d/ExportFixture.h"

namespace {

std::string Block(const std::string& header, const std::string& body) {
  return "   Begin Polygon " + header + "\n" + body + "   End Polygon\n";
}

std::string List(const std::string& blocks) {
  return "Begin PolyList\n" + blocks + "End PolyList\n";
}

}  // namespace

using PolygonWriterTest = ExportFixture;

TEST_F(PolygonWriterTest, VerticesGoLastFirstWithRoundedWorldValues) {
  THostInstance& box = scene.AddInstance("P");
  box.AddGroup().AddPolygon({{2.5f, -2.5f, 0.4999f}, {123456.4f, 0.5f, -0.5f}, {1, 2, 3}},
                            {0, 1, 0}, 0);
  EXPECT_EQ(ExportTop(box.TreeElement()),
            List(Block("Item=P Texture= Link=0",
                       "      Origin   +00001.000000,-00002.000000,+00003.000000\n"
                       "      Normal   +00000.000000,-00001.000000,+00000.000000\n"
                       "      Vertex   +00001.000000,-00002.000000,+00003.000000\n"
                       "      Vertex   +123456.000000,-00001.000000,-00001.000000\n"
                       "      Vertex   +00003.000000,+00003.000000,+00000.000000\n")));
}

TEST_F(PolygonWriterTest, TransformMovesVerticesButNotNormals) {
  TKXTransform transform;
  transform.scale = 2;
  transform.translation = {100, 0, 0};
  THostInstance& box = scene.AddInstance("T");
  box.SetTransform(transform);
  box.AddGroup().AddPolygon({{1, 2, 3}}, {0.5f, 0.25f, -0.125f}, 0);
  EXPECT_EQ(ExportTop(box.TreeElement()),
            List(Block("Item=T Texture= Link=0",
                       "      Origin   +00102.000000,-00004.000000,+00006.000000\n"
                       "      Normal   +00000.500000,-00000.250000,-00000.125000\n"
                       "      Vertex   +00102.000000,-00004.000000,+00006.000000\n")));
}

TEST_F(PolygonWriterTest, LinkCountsWithinEachGroup) {
  THostInstance& box = scene.AddInstance("L");
  THostPolygonGroup& first = box.AddGroup();
  THostPolygon& empty = first.AddPolygon({}, {0, 0, 1}, 0);
  first.AddPolygon({}, {0, 0, 1}, 0);
  box.AddGroup().AddPolygon({}, {0, 0, 1}, 0);
  EXPECT_EQ(ExportTop(box.TreeElement()),
            List(Block("Item=L Texture= Link=0", "") + Block("Item=L Texture= Link=1", "") +
                 Block("Item=L Texture= Link=0", "")));
  EXPECT_EQ(empty.NormalCalls(), 0);  // a polygon without vertices has no normal line
}

TEST_F(PolygonWriterTest, TextureNamesByDomain) {
  THostInstance& box = scene.AddInstance("X");
  box.SetDefaultMaterialName("Plain");
  box.SetDomainTexture(1, "Brick");
  box.SetDomainTexture(2, "Stone");
  box.SetDomainKeepsPrevious(3);
  THostPolygonGroup& group = box.AddGroup();
  for (int domain : {3, 1, 3, 0, 3, 2, 7}) {
    group.AddPolygon({}, {0, 0, 1}, static_cast<std::int16_t>(domain));
  }
  // A material that keeps the previous texture repeats whatever the polygon before it had, and
  // has nothing to repeat before the first named polygon.
  EXPECT_EQ(ExportTop(box.TreeElement()),
            List(Block("Item=X Texture= Link=0", "") + Block("Item=X Texture=Brick Link=1", "") +
                 Block("Item=X Texture=Brick Link=2", "") +
                 Block("Item=X Texture=Plain Link=3", "") +
                 Block("Item=X Texture=Plain Link=4", "") +
                 Block("Item=X Texture=Stone Link=5", "") +
                 Block("Item=X Texture=Plain Link=6", "")));
}

TEST_F(PolygonWriterTest, NegativeDomainsKeepTheirSign) {
  THostInstance& box = scene.AddInstance("N");
  box.SetDomainTexture(-2, "Under");
  box.AddGroup().AddPolygon({}, {0, 0, 1}, -2);
  EXPECT_EQ(ExportTop(box.TreeElement()), List(Block("Item=N Texture=Under Link=0", "")));
}

TEST_F(PolygonWriterTest, NonFiniteAndHugeValuesStayDefined) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  THostInstance& box = scene.AddInstance("F");
  box.AddGroup().AddPolygon({{nan, inf, -inf}, {1e30f, -1e30f, -0.0f}}, {nan, -inf, -0.0f}, 0);
  // Rounded values are held to the 32-bit integer range and NaN is written as 0; an infinite
  // host point meets the transform's zeros (0 * inf is NaN) and lands on 0 in every axis.
  // Normals read as printf writes them.
  EXPECT_EQ(ExportTop(box.TreeElement()),
            List(Block("Item=F Texture= Link=0",
                       "      Origin   +2147483648.000000,+2147483648.000000,+00000.000000\n"
                       "      Normal            +nan,         +inf,+00000.000000\n"
                       "      Vertex   +2147483648.000000,+2147483648.000000,+00000.000000\n"
                       "      Vertex   +00000.000000,+00000.000000,+00000.000000\n")));
}

// A group that answers from a polygon source writes what the same polygons built one by one
// write, switches included: the export only ever holds one polygon of a group at a time.
TEST_F(PolygonWriterTest, SourceGroupsWriteWhatBuiltPolygonsWrite) {
  const std::vector<TKXVector3> points = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0},
                                          {5, 5, 5}, {6, 5, 5},  {6, 6, 5}, {5, 6, 5}};
  const std::vector<std::uint32_t> starts = {0, 3, 3, 7};
  const std::vector<TKXVector3> normals = {{0, 0, 1}, {1, 0, 0}, {0, 0, -1}};
  const std::vector<std::int16_t> domains = {2, 0, -3};
  THostInstance& built = scene.AddInstance("Built");
  THostPolygonGroup& group = built.AddGroup();
  for (std::size_t i = 0; i < 3; ++i) {
    group.AddPolygon({points.begin() + starts[i], points.begin() + starts[i + 1]}, normals[i],
                     domains[i]);
  }
  TArrayGroup source;
  source.points = points;
  source.starts = starts;
  source.normals = normals;
  source.domains = domains;
  THostInstance& viewed = scene.AddInstance("Built");
  viewed.AddGroup(source);
  for (THostInstance* instance : {&built, &viewed}) {
    instance->SetDomainTexture(2, "Brick").SetDefaultMaterialName("Plain");
  }
  // The map's two actors, which must read the same.
  const auto expectTwins = [](const std::string& map) {
    const std::string start = "Begin Actor Class=Brush Name=Built";
    const std::size_t first = map.find(start);
    const std::size_t second = map.find(start, first + 1);
    ASSERT_NE(second, std::string::npos) << map;
    EXPECT_EQ(map.substr(first, second - first), map.substr(second)) << map;
  };
  expectTwins(ExportMap());
  built.AnswerNull(THostNull::Vertex);
  viewed.AnswerNull(THostNull::Vertex);
  expectTwins(ExportMap());
}
