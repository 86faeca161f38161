// The map finisher: texture lines after each model polygon's normal, End Map after a map, and
// every byte of the plug-in's output kept, however the output is cut into chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "MapFinisher.h"
#include "SampleRoom.h"
#include "T3d/T3DExport.h"
#include "THostApplication.h"
#include "THostScene.h"
#include "support/ExpectedBuilderBrush.h"
#include "support/FileText.h"
#include "support/ServiceTableSession.h"

namespace {

// The second polygon of each run gets its own mapping, the others none.
bool EverySecondPolygon(FinishedTexture& texture, int& polygon) {
  if (++polygon % 2 == 1) return false;
  texture = {{1.5, -2, 3}, {0.25, 0, -1e-9}, {0, -0.5, 0}};
  return true;
}

std::string Finish(const std::string& input, std::size_t chunk, bool mapped = false) {
  std::string output;
  int polygon = 0;
  MapFinisher finisher(
      [&output](const char* data, std::size_t size) { output.append(data, size); },
      mapped ? MapFinisher::NextTexture([&polygon](FinishedTexture& t) { return EverySecondPolygon(t, polygon); })
             : MapFinisher::NextTexture());
  for (std::size_t at = 0; at < input.size(); at += chunk) {
    finisher.Write(input.data() + at, std::min(chunk, input.size() - at));
  }
  finisher.Finish();
  return output;
}

// Expects the same finished text from every chunk size up to 64 and from one whole write.
std::string FinishInChunks(const std::string& input, bool mapped = false) {
  const std::string whole = Finish(input, input.size() + 1, mapped);
  for (std::size_t chunk = 1; chunk <= 64; ++chunk) {
    EXPECT_EQ(Finish(input, chunk, mapped), whole) << "chunks of " << chunk;
  }
  return whole;
}

const std::string kPolygonNormalDown =
    "   Begin Polygon Item=Box Texture=Wood Link=0\n"
    "      Origin   +00000.000000,+00000.000000,+00000.000000\n"
    "      Normal   +00000.000000,+00000.000000,-00001.000000\n";
const std::string kPolygonEnd =
    "      Vertex   +00000.000000,+00000.000000,+00000.000000\n"
    "      Vertex   +00010.000000,+00000.000000,+00000.000000\n"
    "      Vertex   +00000.000000,-00010.000000,+00000.000000\n"
    "   End Polygon\n";
const std::string kActorStart =
    "Begin Actor Class=Brush Name=Box\n"
    "   CsgOper=CSG_Subtract\n"
    "   Location=(X=0.000000,Y=0.000000,Z=0.000000)\n"
    "   Begin Brush Name=Box\n"
    "      Begin PolyList\n"
    "   Begin Polygon Item=Box Texture=Wood Link=0\n"
    "            Origin   +00000.000000,+00000.000000,+00000.000000\n"
    "            Normal   +00000.600000,-00000.800000,+00000.000000\n";
const std::string kActorEnd =
    "            Vertex   +00000.000000,+00000.000000,+00000.000000\n"
    "         End Polygon\n"
    "      End PolyList\n"
    "   End Brush\n"
    "   Brush=Model'MyLevel.Box'\n"
    "End Actor\n";

// Normal values -> the TextureU and TextureV lines of the builder brush face with that normal.
std::map<std::string, std::pair<std::string, std::string>> BuilderBrushAxes() {
  std::map<std::string, std::pair<std::string, std::string>> axes;
  const std::string brush = kExpectedBuilderBrush;
  const std::string normal = "Normal   ", u = "TextureU ", v = "TextureV ";
  for (std::size_t at = brush.find(normal); at != std::string::npos;
       at = brush.find(normal, at + 1)) {
    const std::size_t uAt = brush.find(u, at), vAt = brush.find(v, at);
    axes[brush.substr(at + normal.size(), 41)] = {brush.substr(uAt + u.size(), 41),
                                                  brush.substr(vAt + v.size(), 41)};
  }
  return axes;
}

}  // namespace

TEST(MapFinisherTest, InsertsTextureLinesAndEndMap) {
  const std::string downU = "      TextureU +00001.000000,+00000.000000,+00000.000000\n";
  const std::string downV = "      TextureV +00000.000000,-00001.000000,+00000.000000\n";
  const std::string southU = "            TextureU -00001.000000,+00000.000000,+00000.000000\n";
  const std::string southV = "            TextureV +00000.000000,+00000.000000,-00001.000000\n";
  const std::string longLine = "      Normal   +" + std::string(300, '0') + "\n";
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"Begin PolyList\n" + kPolygonNormalDown + kPolygonEnd + "End PolyList\n",
       "Begin PolyList\n" + kPolygonNormalDown + downU + downV + kPolygonEnd + "End PolyList\n"},
      {std::string("Begin Map\n") + kExpectedBuilderBrush,
       std::string("Begin Map\n") + kExpectedBuilderBrush + "End Map\n"},
      {"Begin Map\n" + std::string(kExpectedBuilderBrush) + kActorStart + kActorEnd,
       "Begin Map\n" + std::string(kExpectedBuilderBrush) + kActorStart + southU + southV +
           kActorEnd + "End Map\n"},
      {"Begin Map\nEnd Actor", "Begin Map\nEnd Actor\nEnd Map\n"},
      {"Begin PolyList\n" + longLine, "Begin PolyList\n" + longLine},
      // A value wider than usual, and one that is not a number (as printf writes it), which
      // counts as 0.
      {"Begin PolyList\n      Normal            -nan,-1234567.000000,+00000.500000\n",
       "Begin PolyList\n      Normal            -nan,-1234567.000000,+00000.500000\n"
       "      TextureU -00001.000000,+00000.000000,+00000.000000\n"
       "      TextureV +00000.000000,+00000.000000,-00001.000000\n"},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input.substr(0, 40));
    EXPECT_EQ(FinishInChunks(input), expected);
  }
}

// The sample scene through the plug-in: taking the inserted lines out again gives back the
// plug-in's bytes, and each polygon got the axes of the builder brush face it faces.
TEST(MapFinisherTest, KeepsEveryByteOfARealMap) {
  THostApplication host;
  TServiceTableSession session(host.Shell());
  SampleMap sample;
  const std::string path = ::testing::TempDir() + "finisher_sample.t3d";
  {
    auto destination = host.Files().NewDestination(path);
    ASSERT_EQ(Export(destination.Get(), &sample.scene, sample.scene.Universe()), kKXOk);
  }
  const std::string input = ReadFileText(path);
  ASSERT_EQ(input.rfind("Begin Map\n", 0), 0u);
  const std::string finished = FinishInChunks(input);

  const auto axes = BuilderBrushAxes();
  ASSERT_EQ(axes.size(), 6u);
  std::string restored;
  std::string lastNormal;
  bool inBuilderBrush = false;
  int textured = 0;
  const std::string endMap = "End Map\n";
  ASSERT_GE(finished.size(), endMap.size());
  ASSERT_EQ(finished.substr(finished.size() - endMap.size()), endMap);
  for (std::size_t at = 0; at < finished.size() - endMap.size();) {
    const std::size_t next = finished.find('\n', at) + 1;
    const std::string line = finished.substr(at, next - at);
    at = next;
    if (line == "Begin Actor Class=Brush Name=dummy\n") inBuilderBrush = true;
    if (line == "End Actor\n") inBuilderBrush = false;
    const std::size_t indent = line.find_first_not_of(' ');
    const std::string keyword = line.substr(indent, 9);
    if (!inBuilderBrush && keyword == "Normal   ") lastNormal = line.substr(indent + 9, 41);
    if (inBuilderBrush || (keyword != "TextureU " && keyword != "TextureV ")) {
      restored += line;
      continue;
    }
    ASSERT_EQ(axes.count(lastNormal), 1u) << lastNormal;
    const auto& [u, v] = axes.at(lastNormal);
    EXPECT_EQ(line.substr(indent + 9), (keyword == "TextureU " ? u : v) + "\n");
    EXPECT_EQ(indent, 12u);
    if (keyword == "TextureV ") ++textured;
  }
  EXPECT_EQ(restored, input);
  EXPECT_EQ(textured, 8 * 6);  // eight boxes of six faces
}

// A polygon with its own mapping has its Origin line written anew and its mapping's axes, a
// minus never on a zero, whatever line the chunks cut; the others keep theirs.
TEST(MapFinisherTest, WritesEachPolygonsOwnMapping) {
  const std::string polygon = kPolygonNormalDown + kPolygonEnd;
  const std::string finished = FinishInChunks("Begin PolyList\n" + polygon + polygon + "End PolyList\n", true);
  const std::string mapped =
      "   Begin Polygon Item=Box Texture=Wood Link=0\n"
      "      Origin   +00001.500000,-00002.000000,+00003.000000\n"
      "      Normal   +00000.000000,+00000.000000,-00001.000000\n"
      "      TextureU +00000.250000,+00000.000000,+00000.000000\n"
      "      TextureV +00000.000000,-00000.500000,+00000.000000\n";
  EXPECT_EQ(finished.substr(finished.find("   Begin Polygon", 20)), mapped + kPolygonEnd + "End PolyList\n");
  EXPECT_EQ(finished.find("Origin   +00000.000000"), finished.find("Origin"));  // the first kept its own
}

// A mapping far beyond any map still comes out whole: every digit, then the rest of the polygon.
TEST(MapFinisherTest, MappingValuesOfAnySizeAreWrittenWhole) {
  std::string output;
  MapFinisher finisher([&output](const char* data, std::size_t size) { output.append(data, size); },
                       [](FinishedTexture& t) {
                         t = {{1e300, 0, 0}, {-1e30, 0, 0}, {0, 1e22, 0}};
                         return true;
                       });
  const std::string input = "Begin PolyList\n" + kPolygonNormalDown + kPolygonEnd + "End PolyList\n";
  finisher.Write(input.data(), input.size());
  finisher.Finish();
  char origin[400];
  std::snprintf(origin, sizeof origin, "      Origin   %+013.6f,+00000.000000,+00000.000000\n", 1e300);
  EXPECT_NE(output.find(origin), std::string::npos);
  EXPECT_NE(output.find("      TextureU -1000000000000000019884624838656.000000,+00000.000000,+00000.000000\n"
                        "      TextureV +00000.000000,+10000000000000000000000.000000,+00000.000000\n"),
            std::string::npos)
      << output;
  EXPECT_EQ(output.substr(output.size() - kPolygonEnd.size() - 13), kPolygonEnd + "End PolyList\n");
}
