// The built t3dexport as a user runs it: its command line, its exit statuses for every way an
// export can fail, and what its maps hold.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "support/FileText.h"
#include "support/ToolRun.h"

namespace {

std::string TempPath(const std::string& name) {
  std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  for (char& c : test) c = c == '/' ? '_' : c;
  return ::testing::TempDir() + "tool_" + test + "_" + name;
}

std::string Write(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// One quad facing +Y (up in the model), two units wide.
const char kQuadObj[] = "o Quad\nv 0 0 0\nv 0 0 2\nv 2 0 2\nv 2 0 0\nf 1 2 3 4\n";

struct Case {
  std::vector<std::string> args;
  std::string setup;  // shell commands run first
  int status;
  std::string says;  // in standard error, or in standard output for status 0
};

void ExpectRuns(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& arg : c.args) line += arg + " ";
    SCOPED_TRACE(line);
    const ToolRun run = RunTool(c.args, c.setup);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE((c.status == 0 ? run.out : run.err).find(c.says), std::string::npos)
        << "stdout: " << run.out << "\nstderr: " << run.err;
  }
}

}  // namespace

TEST(ToolCommandTest, UsageErrorsNameWhatWasWrong) {
  const std::string model = Write("quad.obj", kQuadObj);
  ExpectRuns({
      {{"--help"}, "", kExitOk, "Usage: t3dexport"},
      {{"--version"}, "", kExitOk, "t3dexport 1."},
      {{"--bogus", model}, "", kExitUsage, "--bogus"},
      {{"--scale", "-1", model}, "", kExitUsage, "--scale"},
      {{"--scale", "nan", model}, "", kExitUsage, "--scale"},
      {{"--scale", "2", "--fit", "100", model}, "", kExitUsage, "excludes"},
      {{"--up", "x", model}, "", kExitUsage, "--up"},
      {{"-o", "", model}, "", kExitUsage, "empty"},
      {{}, "", kExitUsage, "INPUT is required"},
      {{"check"}, "", kExitUsage, "FILE"},
      {{model, "--object", "Nothing"}, "", kExitUsage, "the objects are: Quad"},
  });
}

// Every failure has its own status and leaves an existing map as it was.
TEST(ToolCommandTest, FailuresEndWithTheirOwnStatus) {
  const std::string model = Write("quad.obj", kQuadObj);
  const std::string lines = Write("lines.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nl 1 2\nl 2 3\n");
  const std::string existing = Write("existing.t3d", "an existing map\n");
  const std::string folder = TempPath("folder");
  ::mkdir(folder.c_str(), 0755);
  ExpectRuns({
      {{TempPath("missing.obj")}, "", kExitInput, "cannot read"},
      {{lines}, "", kExitInput, "nothing to export"},
      {{model, "-o", model}, "", kExitUsage, "is the input"},
      {{model, "-o", folder}, "", kExitOutput, "is a folder"},
      {{model, "-o", model + "/under/a/file.t3d"}, "", kExitOutput, "cannot make the folder"},
      {{model, "-o", "/proc/map.t3d"}, "", kExitOutput, "cannot create"},
      {{model, "-o", "/dev/full"}, "", kExitOutput, "not a regular file"},
      {{"--sample", "-o", existing}, "ulimit -f 2; ", kExitOutput, existing + ": writing"},
      {{"--sample", "--exact", "-o", existing}, "ulimit -f 2; ", kExitOutput, existing + ": writing"},
      {{model, "-o", existing, "--plugin", TempPath("missing.so")}, "", kExitPlugin,
       "cannot start the plug-in"},
  });
  EXPECT_EQ(ReadFileText(existing), "an existing map\n");
  EXPECT_EQ(ReadFileText(model), kQuadObj);
}

// A map, by default, is finished: its model polygons carry texture axes and it ends with End Map.
// With --exact it is the plug-in's own bytes: the same map without those lines.
TEST(ToolCommandTest, ExactIsTheFinishedMapWithoutWhatFinishingAdds) {
  const std::string exact = TempPath("exact.t3d"), finished = TempPath("finished.t3d");
  ASSERT_EQ(RunTool({"--sample", "--exact", "-q", "-o", exact}).status, kExitOk);
  ASSERT_EQ(RunTool({"--sample", "-q", "-o", finished}).status, kExitOk);
  const std::string text = ReadFileText(finished);
  ASSERT_EQ(text.substr(text.size() - 8), "End Map\n");
  // The builder brush keeps its own texture lines; every other one was added.
  const std::size_t builderEnd = text.find("End Actor\n") + 10;
  std::string stripped = text.substr(0, builderEnd);
  std::size_t added = 0;
  for (std::size_t at = builderEnd, next; at < text.size() - 8; at = next) {
    next = text.find('\n', at) + 1;
    const std::string line = text.substr(at, next - at);
    if (line.find("TextureU ") != std::string::npos || line.find("TextureV ") != std::string::npos) {
      ++added;
    } else {
      stripped += line;
    }
  }
  EXPECT_EQ(stripped, ReadFileText(exact));
  EXPECT_EQ(added, 2u * 48);  // the sample's 48 polygons
  EXPECT_EQ(RunTool({"check", exact}).status, kExitMapProblems);
  EXPECT_EQ(RunTool({"check", finished}).status, kExitOk);
}

// What the benchmark reads: one line per stage, in order, with its seconds and the peak memory.
TEST(ToolCommandTest, TimingsNameEveryStage) {
  const ToolRun run = RunTool({"--sample", "--timings", "-q", "-o", TempPath("room.t3d")});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const std::regex stages(
      "import +[0-9.]+ s peak [1-9][0-9]* KiB\nrepair .*\nexport .*\nfinishing +[0-9.]+ s peak "
      "[1-9][0-9]* KiB\n");
  EXPECT_TRUE(std::regex_match(run.out, stages)) << run.out;
}

namespace {

// A glTF scene of one triangle, (0,0,0) (1,0,0) (0,1,0), that every node in `nodes` (a JSON list)
// may use as mesh 0; its buffer is written beside it.
std::string WriteGltf(const std::string& name, const std::string& nodes, const std::string& roots) {
  const float points[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const std::uint16_t indices[] = {0, 1, 2, 0};
  std::string bin(reinterpret_cast<const char*>(points), sizeof points);
  bin.append(reinterpret_cast<const char*>(indices), sizeof indices);
  Write(name + ".bin", bin);
  return Write(name + ".gltf", R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":)" + roots +
      R"(}],"nodes":)" + nodes + R"(,"meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":1}]}],)"
      R"("buffers":[{"uri":")" + TempPath(name + ".bin").substr(::testing::TempDir().size()) +
      R"(","byteLength":44}],"bufferViews":[{"buffer":0,"byteLength":36},)"
      R"({"buffer":0,"byteOffset":36,"byteLength":6}],"accessors":[)"
      R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},)"
      R"({"bufferView":1,"componentType":5123,"count":3,"type":"SCALAR"}]})");
}

}  // namespace

// A child node one unit along X under a parent that is moved by (2, 3, 4), turned 90 degrees
// about Y and scaled by 2: its triangle lies at (2,3,2) (2,3,0) (2,5,2) in the model. The map's
// axes take the model's Y up to Z, and --scale 64 makes them (128,128,192) (128,0,192)
// (128,128,320). The brush's Location is their box's centre, (128,64,256); its vertices are
// relative to it, written last first, so Location + vertex is each point.
TEST(ToolCommandTest, PlacesNestedNodesOnceLocationPlusVertex) {
  const std::string model = WriteGltf(
      "nested",
      R"([{"name":"Parent","translation":[2,3,4],"rotation":[0,0.70710678,0,0.70710678],)"
      R"("scale":[2,2,2],"children":[1]},{"name":"Child","translation":[1,0,0],"mesh":0}])",
      "[0]");
  const std::string map = TempPath("nested.t3d");
  const ToolRun run = RunTool({model, "--scale", "64", "--exact", "-q", "-o", map});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const std::string text = ReadFileText(map);
  EXPECT_NE(text.find("   Location=(X=128.000000,Y=64.000000,Z=256.000000)\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("            Origin   +00000.000000,+00064.000000,+00064.000000\n"
                      "            Normal   +00001.000000,+00000.000000,+00000.000000\n"
                      "            Vertex   +00000.000000,+00064.000000,+00064.000000\n"
                      "            Vertex   +00000.000000,-00064.000000,-00064.000000\n"
                      "            Vertex   +00000.000000,+00064.000000,-00064.000000\n"),
            std::string::npos)
      << text;
  const std::string origin = TempPath("origin.t3d");
  ASSERT_EQ(RunTool({model, "--scale", "64", "--pivot", "origin", "--exact", "-q", "-o", origin}).status,
            kExitOk);
  EXPECT_NE(ReadFileText(origin).find("   Location=(X=0.000000,Y=0.000000,Z=0.000000)\n"
                                      "   Begin Brush"),
            std::string::npos);
  EXPECT_NE(ReadFileText(origin).find("            Vertex   +00128.000000,+00128.000000,+00320.000000\n"),
            std::string::npos);
}

// Names readers cannot take become plain words, unique in the map; -v says what changed.
TEST(ToolCommandTest, NamesBecomeSafeAndUnique) {
  const std::string model = WriteGltf(
      "names",
      R"([{"name":"Bip01 L Oberarm","mesh":0,"scale":[64,64,64]},{"name":"1st","mesh":0,"scale":[64,64,64]},)"
      R"({"name":"1st","mesh":0,"scale":[64,64,64]},{"name":"nodes[77]","mesh":0,"scale":[64,64,64]},)"
      R"({"name":"dummy","mesh":0,"scale":[64,64,64]}])",
      "[0,1,2,3,4]");
  const std::string map = TempPath("names.t3d");
  const ToolRun run = RunTool({model, "--scale", "1", "-v", "-o", map});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  EXPECT_NE(run.out.find("renamed object 'Bip01 L Oberarm' to Bip01_L_Oberarm"), std::string::npos)
      << run.out;
  const std::string text = ReadFileText(map);
  const std::regex actor("Begin Actor Class=Brush Name=([^\n]*)\n");
  std::vector<std::string> names;
  for (std::sregex_iterator it(text.begin(), text.end(), actor), end; it != end; ++it) {
    names.push_back((*it)[1]);
  }
  ASSERT_EQ(names.size(), 6u);  // the builder brush and five objects
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_TRUE(std::regex_match(names[i], std::regex("[A-Za-z_][A-Za-z0-9_]*"))) << names[i];
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(names[i], names[j]);
  }
  EXPECT_EQ(RunTool({"check", map}).status, kExitOk);
}

// Faces the editors would cut or drop are repaired on the written grid, and the summary accounts
// for each: a 20-sided face is split, a bent quad triangulated, a speck that rounding collapses
// dropped (and its object with it).
TEST(ToolCommandTest, RepairsWhatReadersWouldCutOrDrop) {
  std::string obj = "o Ring\n";
  for (int i = 0; i < 20; ++i) {
    const double angle = 2 * M_PI * i / 20;
    obj += "v " + std::to_string(100 * std::cos(angle)) + " 0 " + std::to_string(-100 * std::sin(angle)) + "\n";
  }
  obj += "f";
  for (int i = 1; i <= 20; ++i) obj += " " + std::to_string(i);
  obj += "\no Bent\nv 0 0 0\nv 0 0 100\nv 100 30 100\nv 100 0 0\nf 21 22 23 24\n"
         "o Speck\nv 0 0 0\nv 0.2 0 0\nv 0 0.2 0\nf 25 26 27\n";
  const std::string model = Write("repair.obj", obj);
  const std::string map = TempPath("repair.t3d");
  const ToolRun run = RunTool({model, "-o", map});
  ASSERT_EQ(run.status, kExitOk) << run.err;
  // The ring's two pieces merge again into one polygon too large for readers, cut anew.
  EXPECT_NE(run.out.find("4 polygons from 3 faces (1 split and 1 triangulated into 3 more "
                         "pieces, 1 dropped, 1 merged)"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(RunTool({"check", map}).status, kExitOk);
  const ToolRun raw = RunTool({model, "--raw", "-o", TempPath("raw.t3d")});
  EXPECT_EQ(raw.status, kExitOk);
  EXPECT_EQ(RunTool({"check", TempPath("raw.t3d")}).status, kExitMapProblems);
}
