// The map checker over maps written by hand from the format's rules, and over a map the plug-in
// writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "ExportSession.h"
#include "MapCheck.h"
#include "MapCheckHost.h"
#include "MapChecker.h"
#include "SampleRoom.h"
#include "THostScene.h"
#include "support/FileText.h"

namespace {

using Lines = std::vector<std::string>;
// A problem expected at a line, and a piece of its message.
using Expected = std::vector<std::pair<std::uint32_t, std::string>>;

// Each test has files of its own: ctest runs the tests of one program side by side.
std::string TempPath(const std::string& name) {
  std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  for (char& c : test) c = c == '/' ? '_' : c;
  return ::testing::TempDir() + "mapcheck_" + test + "_" + name;
}

std::string Joined(const Lines& lines, const char* end = "\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// A map of the builder brush alone: one square, lines numbered as in the comments.
Lines SquareMap() {
  return {
      "Begin Map",                                                       // 1
      "Begin Actor Class=Brush Name=dummy",                              // 2
      "   Begin Brush Name=dummy",                                       // 3
      "      Begin PolyList",                                            // 4
      "   Begin Polygon Item=dummy Texture=Default Link=0",              // 5
      "            Origin   +00000.000000,+00000.000000,+00000.000000",  // 6
      "            Normal   +00000.000000,+00000.000000,+00001.000000",  // 7
      "            Vertex   +00000.000000,+00000.000000,+00000.000000",  // 8
      "            Vertex   +00010.000000,+00000.000000,+00000.000000",  // 9
      "            Vertex   +00010.000000,+00010.000000,+00000.000000",  // 10
      "            Vertex   +00000.000000,+00010.000000,+00000.000000",  // 11
      "         End Polygon",                                            // 12
      "      End PolyList",                                              // 13
      "   End Brush",                                                    // 14
      "   Brush=Model'MyLevel.dummy'",                                   // 15
      "End Actor",                                                       // 16
      "End Map",                                                         // 17
  };
}

// The square map with its four vertex lines (8 to 11) replaced by `vertices`, one per line.
Lines WithVertices(const Lines& vertices) {
  Lines map = SquareMap();
  map.erase(map.begin() + 7, map.begin() + 11);
  for (std::size_t i = 0; i < vertices.size(); ++i)
    map.insert(map.begin() + 7 + static_cast<std::ptrdiff_t>(i),
               "            Vertex   " + vertices[i]);
  return map;
}

Lines Replaced(Lines map, std::size_t line, const std::string& text) {
  map[line - 1] = text;
  return map;
}

Lines Erased(Lines map, std::size_t line) {
  map.erase(map.begin() + static_cast<std::ptrdiff_t>(line - 1));
  return map;
}

Lines Inserted(Lines map, std::size_t line, const Lines& lines) {
  map.insert(map.begin() + static_cast<std::ptrdiff_t>(line - 1), lines.begin(), lines.end());
  return map;
}

// `count` corners of a convex polygon in the plane z = 0: (i, i * i).
Lines ParabolaVertices(int count) {
  Lines vertices;
  for (int i = 0; i < count; ++i)
    vertices.push_back(std::to_string(i) + "," + std::to_string(i * i) + ",0");
  return vertices;
}

struct MapCase {
  const char* name;
  std::string text;
  Expected expected;
};

std::vector<MapCase> HandWrittenMaps() {
  const Lines square = SquareMap();
  return {
      {"valid", Joined(square), {}},
      {"missing End Map", Joined(Erased(square, 17)), {{1, "Begin Map is not closed"}}},
      {"End Brush before End PolyList",
       Joined(Replaced(Replaced(square, 13, "   End Brush"), 14, "      End PolyList")),
       {{4, "Begin PolyList is not closed by End PolyList before End Brush at line 13"},
        {14, "End PolyList has no Begin PolyList"}}},
      {"End Map closing an actor", Joined(Erased(square, 16)), {{2, "Begin Actor is not closed"}}},
      {"16 vertices", Joined(WithVertices(ParabolaVertices(16))), {}},
      {"17 vertices", Joined(WithVertices(ParabolaVertices(17))), {{5, "17 vertices"}}},
      {"two distinct vertices",
       Joined(WithVertices({"0,0,0", "10,0,0", "0,0,0"})),
       {{5, "2 distinct vertices"}}},
      {"collinear", Joined(WithVertices({"0,0,0", "5,0,0", "10,0,0"})), {{5, "zero area"}}},
      // The corners alternate 0.2 above and below the plane z = 0, their plane of best fit.
      {"quad 0.2 off its plane",
       Joined(WithVertices({"0,0,0.2", "10,0,-0.2", "10,10,0.2", "0,10,-0.2"})),
       {{5, "not planar: a vertex lies 0.200 from"}}},
      // One corner lifted by 0.2 lies 0.05 from the plane that fits all four best.
      {"one corner 0.2 up", Joined(WithVertices({"0,0,0", "10,0,0", "10,10,0.2", "0,10,0"})), {}},
      {"decimal comma",
       Joined(
           Replaced(square, 9, "            Vertex   +00010,500000,+00000,000000,+00000,000000")),
       {{9, "more than 3 values"}}},
      {"nan",
       Joined(Replaced(square, 7, "            Normal   nan,+00000.000000,+00001.000000")),
       {{7, "non-finite number 'nan'"}}},
      {"name with space",
       Joined(Replaced(Replaced(Replaced(square, 2, "Begin Actor Class=Brush Name=My Brush"), 3,
                                "   Begin Brush Name=My Brush"),
                       15, "   Brush=Model'MyLevel.My Brush'")),
       {{2, "unsafe actor name 'My Brush'"},
        {3, "unsafe brush name 'My Brush'"},
        {15, "unsafe brush reference 'Model'MyLevel.My Brush''"}}},
      {"unsafe texture and digit first",
       Joined(Replaced(Replaced(square, 5, "   Begin Polygon Item=dummy Texture=Wall|Stone Link=0"),
                       3, "   Begin Brush Name=2Fast")),
       {{3, "unsafe brush name '2Fast'"}, {5, "unsafe texture name 'Wall|Stone'"}}},
      {"first actor not a brush",
       Joined(Inserted(square, 2, {"Begin Actor Class=Light Name=Light0", "End Actor"})),
       {{2, "first actor is Class=Light"}}},
      {"CRLF", Joined(square, "\r\n"), {}},
      {"CRLF, 17 vertices",
       Joined(WithVertices(ParabolaVertices(17)), "\r\n"),
       {{5, "17 vertices"}}},
      // What other writers put in maps: other actors and objects, property lines, tabs, a
      // texture in a package, a class path, quoted names, blank lines.
      {"other writers",
       Joined(Inserted(
           Replaced(square, 5, "\tBegin Polygon Texture=Engine.Default Flags=32 Link=0"), 17,
           {"Begin Actor Class=/Script/Engine.Light Name=\"Light_1\"",
            "\tLocation=(X=1.5,Y=-2,Z=.25)",
            "\tPostScale=(Scale=(X=1e-3,Y=1,Z=1),SheerAxis=SHEER_ZX)", "",
            "   Begin Object Class=LightComponent Name=Light0", "      Pan U=0 V=0",
            "      Tag=\"a, b (c)\"", "   End Object", "End Actor"})),
       {}},
      {"numbers in values",
       Joined(Inserted(square, 16,
                       {"   Location=(X=1,5,Y=2,Z=3)", "   Rotation=(Pitch=inf,Yaw=0,Roll=0)",
                        "   AggGeom=(ConvexElems=((IndexData=(0,1,2,3),VertexData=((X=1.5,Y=2),(X=-1,Y=0)))))",
                        "   DrawScale3D=(X=1 000,Y=1,Z=1)", "   PrePivot=(X=1,Y=2,Z=3"})),
       {{16, "decimal point or thousands separator in '1,5'"},
        {17, "non-finite number 'inf'"},
        {19, "unexpected text in a value: '000,Y=1,Z=1)'"},
        {20, "'(' is not closed"}}},
      {"empty file", "", {{1, "no Begin line"}}},
      {"last line without a line feed",
       Joined(Erased(square, 17)) + "   Brush=Model'MyLevel.A B'",
       {{1, "Begin Map"}, {17, "A B"}}},
      {"polygon without vertices",
       Joined(Erased(Erased(Erased(Erased(square, 8), 8), 8), 8)),
       {{5, "0 distinct vertices"}}},
      // The unreadable vertex is the problem, not the shape the other two make.
      {"unreadable vertex",
       Joined(WithVertices({"0,0,0", "10,0,0", "1,2"})),
       {{10, "3 values expected, 2 found"}}},
      // Vertices of a block inside the polygon are not the polygon's.
      {"block inside a polygon",
       Joined(Inserted(square, 12, {"Begin Extra", "Vertex 0,0,5", "Vertex 0,0,9", "End Extra"})),
       {}},
      {"blocks nested too deep",
       Joined(Lines(257, "Begin Deep")) + Joined(Lines(256, "End Deep")),
       {{257, "nests blocks more than 256 deep"}}},
  };
}

// Names on the lines that carry them, and whether readers take each whole.
const std::pair<const char*, bool> kNames[] = {
    {"Name=Wall_2", true},
    {"Name=_x", true},
    {"Name=2Fast", false},
    {"Name=Wall-2", false},
    {"Name=Wall//2", false},
    {"Name=", false},
    {"Name=\"Wall\"", true},
    {"Name=\"A B\"", false},
    {"Name=Caf\xe9", false},
    {"Texture=Engine.Default", true},
    {"Texture=Engine..Default", false},
    {"Texture=", true},
    {"Texture=.Default", false},
    {"Brush=Model'MyLevel.Wall'", true},
    {"Brush=None", true},
    {"Brush=Model'MyLevel.Wall", false},
    {"Brush=Model''", false},
    {"Brush=Model'My|Level.Wall'", false},
};

// Values of a vector line and the problem each has, or an empty text for none.
const std::pair<const char*, const char*> kVectorValues[] = {
    {"+00128.000000,-00128.000000,+123456.000000", ""},
    {"1.5e-3, -.5 ,4294967295", ""},
    {"1.#QNAN0,0,0", "non-finite number '1.#QNAN0'"},
    {"-INF,0,0", "non-finite number '-INF'"},
    {"-nan(ind),0,0", "non-finite number '-nan(ind'"},
    // Editors read these; the note says the support library's stream would not.
    {"4294967296,0,0", "number '4294967296' is beyond what 32-bit readers take"},
    {"1e5,0,0", "number '1e5' is beyond"},
    {"1e999,0,0", "number '1e999' is out of range"},
    {"12:30,0,0", "'12:30' is not a number"},
    {"1.000.000,0,0", "'1.000.000' is not a number"},
    {"1'000.5,0,0", "'1'000.5' is not a number"},
    {"1,2", "3 values expected, 2 found"},
    {"1;2;3", "'1;2;3' is not a number"},
    {"1,2,3 x", "unexpected text after the values: 'x'"},
    {"1,,3", "a number is missing"},
};

class MapCheckTest : public ::testing::TestWithParam<std::int32_t> {
 protected:
  void TearDown() override {
    EXPECT_EQ(host_.Memory().LiveBlocks(), 0u);
    EXPECT_EQ(host_.Memory().LiveObjects(), 0u);
  }

  // The problems of `text` written to a file, as lines with the messages.
  Expected Check(const std::string& text) {
    const std::string path = TempPath("case.t3d");
    std::ofstream(path, std::ios::binary) << text;
    const MapCheckResult result = CheckMapFile(path, GetParam());
    EXPECT_TRUE(result.readable);
    Expected found;
    for (const MapProblem& p : result.problems) found.emplace_back(p.line, p.message);
    return found;
  }

  static void ExpectProblems(const Expected& found, const Expected& expected, const char* name) {
    ASSERT_EQ(found.size(), expected.size()) << name << "\n" << ::testing::PrintToString(found);
    for (std::size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].first, expected[i].first) << name << ": " << found[i].second;
      EXPECT_NE(found[i].second.find(expected[i].second), std::string::npos)
          << name << ": " << found[i].second;
    }
  }

  MapCheckHost host_;
};

}  // namespace

TEST_P(MapCheckTest, HandWrittenMaps) {
  for (const MapCase& c : HandWrittenMaps()) ExpectProblems(Check(c.text), c.expected, c.name);
}

TEST_P(MapCheckTest, VectorValues) {
  for (const auto& [values, problem] : kVectorValues) {
    const Expected expected = *problem ? Expected{{7, problem}} : Expected{};
    const Lines map = Replaced(SquareMap(), 7, "            Normal   " + std::string(values));
    ExpectProblems(Check(Joined(map)), expected, values);
  }
}

TEST_P(MapCheckTest, Names) {
  for (const auto& [words, safe] : kNames) {
    const std::string text(words);
    Lines map = SquareMap();
    std::size_t line = 2;
    if (text.rfind("Name", 0) == 0) {
      map[1] = "Begin Actor Class=Brush " + text;
    } else if (text.rfind("Texture", 0) == 0) {
      line = 5;
      map[4] = "   Begin Polygon Item=dummy " + text + " Link=0";
    } else {
      line = 15;
      map[14] = "   " + text;
    }
    ExpectProblems(Check(Joined(map)), safe ? Expected{} : Expected{{line, "unsafe"}}, words);
  }
}

// Lines are counted across the pieces the checker reads and the stream's buffer edges.
TEST_P(MapCheckTest, LargeMapsKeepTheirLineNumbers) {
  Lines polygons;
  for (int i = 0; i < 4000; ++i) {
    const Lines square = SquareMap();
    polygons.insert(polygons.end(), square.begin() + 4, square.begin() + 12);
  }
  // The last square's fourth corner lifted by 1. The plane that fits best has the normal
  // (1, 1, 19.95) / 20.00006; the corner (10, 0, 0) lies 0.2506 from it.
  polygons[polygons.size() - 2] = "            Vertex   +00000.000000,+00010.000000,+00001.000000";
  const Lines map = Inserted(SquareMap(), 13, polygons);
  const auto lastPolygon = static_cast<std::uint32_t>(13 + polygons.size() - 8);
  ExpectProblems(Check(Joined(map, "\r\n")), {{lastPolygon, "not planar: a vertex lies 0.251"}},
                 "large");

  const std::string longLine = "   Tag=" + std::string(70000, 'x');
  ExpectProblems(Check(Joined(Inserted(SquareMap(), 16, {longLine}))),
                 {{16, "line longer than 65536 bytes"}}, "long line");
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, MapCheckTest, ::testing::Values(kMapCheckBufferSize, 7, 0));

TEST(MapCheckReportTest, ProblemsUnreadableFilesAndStatus) {
  const std::string clean = TempPath("clean.t3d"), broken = TempPath("broken.t3d");
  const std::string missing = TempPath("missing.t3d"), report = TempPath("report.txt");
  std::ofstream(clean, std::ios::binary) << Joined(SquareMap());
  std::ofstream(broken, std::ios::binary) << Joined(Erased(Erased(SquareMap(), 17), 3));
  std::remove(missing.c_str());

  const auto run = [&](const std::vector<std::string>& files) {
    std::FILE* out = std::fopen(report.c_str(), "wb");
    const int status = CheckMaps(files, {}, out);
    std::fclose(out);
    return std::make_pair(status, ReadFileText(report));
  };
  const std::string cleanCounts = clean + ": 0 brushes (0 solid: 0 closed, 0 convex), 0 errors, 0 warnings\n";
  EXPECT_EQ(run({clean}), std::make_pair(kMapCheckClean, cleanCounts));
  EXPECT_EQ(
      run({broken, clean}),
      std::make_pair(kMapCheckProblems,
                     broken + ":1: error: Begin Map is not closed by End Map before the file ends\n" +
                         broken + ":13: error: End Brush has no Begin Brush to close\n" + broken +
                         ": 0 brushes (0 solid: 0 closed, 0 convex), 2 errors, 0 warnings\n" + cleanCounts));
  EXPECT_EQ(run({missing, clean}),
            std::make_pair(kMapCheckUnreadable, missing + ": cannot be read\n" + cleanCounts));

  // Problems beyond the first thousand found are counted, not listed: 1500 lines without their
  // Begin, and a file with no Begin line at all.
  std::ofstream(broken, std::ios::binary) << Joined(Lines(1500, "End Map"));
  const auto [status, text] = run({broken});
  EXPECT_EQ(status, kMapCheckProblems);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1002);
  EXPECT_NE(text.find(broken + ":1000: error: End Map has no Begin Map to close\n" + broken +
                      ": 501 more problems\n"),
            std::string::npos);
}

// The map the plug-in library writes for the sample scene lacks only its End Map line.
TEST(MapCheckPluginTest, SampleExportIsAcceptedOnceClosed) {
  const std::string path = TempPath("sample.t3d");
  SampleMap sample;
  ExportSession session;
  std::string error;
  ASSERT_TRUE(session.Start(T3D_PLUGIN_LIBRARY, error)) << error;
  ASSERT_EQ(session.Export(sample.scene, sample.scene.Universe(), path).kind,
            ExportOutcome::Kind::kWritten);
  ASSERT_TRUE(session.Stop(error)) << error;

  MapCheckHost host;
  const MapCheckResult open = CheckMapFile(path);
  ASSERT_EQ(open.problems.size(), 1u);
  EXPECT_EQ(open.problems[0].line, 1u);
  std::ofstream(path, std::ios::binary | std::ios::app) << "End Map\n";
  const MapCheckResult closed = CheckMapFile(path);
  EXPECT_TRUE(closed.readable);
  EXPECT_TRUE(closed.problems.empty())
      << closed.problems[0].line << ": " << closed.problems[0].message;
}
