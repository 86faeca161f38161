// The built t3dexport over every model file of Debian's assimp-testmodels, the broken ones
// included: each gives a map that the checker accepts and whose polygons add up, or a clear
// message with the status of an unreadable or empty input. None ends otherwise.
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "support/FileText.h"
#include "support/ToolRun.h"

namespace {

namespace fs = std::filesystem;

const char kModels[] = "/usr/share/assimp/models";

// Every file the importer claims by its extension.
std::vector<std::string> ModelFiles() {
  std::vector<std::string> files;
  std::error_code error;
  if (!fs::is_directory(kModels, error)) return files;
  Assimp::Importer importer;
  for (const auto& entry : fs::recursive_directory_iterator(kModels, error)) {
    if (entry.is_regular_file() && importer.IsExtensionSupported(entry.path().extension().string())) {
      files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param.substr(sizeof kModels);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name + "_" + std::to_string(info.index);
}

// The faces of three points or more of every node that carries meshes, counted as the importer
// gives them.
std::uint64_t FacesOf(const aiScene& scene, const aiNode& node) {
  std::uint64_t faces = 0;
  for (unsigned m = 0; m < node.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[node.mMeshes[m]];
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) faces += mesh.mFaces[f].mNumIndices >= 3;
  }
  for (unsigned i = 0; i < node.mNumChildren; ++i) faces += FacesOf(scene, *node.mChildren[i]);
  return faces;
}

std::uint64_t Count(const std::string& text, const std::string& what) {
  std::uint64_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class ToolCorpusTest : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ToolCorpusTest, MapOrClearMessage) {
  const std::string& model = GetParam();
#if defined(__SANITIZE_ADDRESS__)
  // The tool caps its memory and reports a refused allocation; under the address sanitizer,
  // operator new reports the refusal itself and aborts instead of throwing.
  if (model.find("OutOfMemory") != std::string::npos) GTEST_SKIP() << "the sanitizer aborts";
#endif
  const std::string map = ::testing::TempDir() + "corpus_" + std::to_string(std::hash<std::string>{}(model)) + ".t3d";
  const ToolRun run = RunTool({model, "-o", map});
  if (run.status == kExitInput) {
    // Some readers print lines of their own first; the tool's message comes last.
    EXPECT_NE(run.err.find("t3dexport: "), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.find("cannot read") != std::string::npos ||
                run.err.find("nothing to export") != std::string::npos)
        << run.err;
    if (model.find("OutOfMemory") != std::string::npos) {
      EXPECT_NE(run.err.find("more memory than the tool may use"), std::string::npos) << run.err;
    }
    return;
  }
  ASSERT_EQ(run.status, kExitOk) << run.err;
  const std::regex summary(
      R"(Wrote .*: (\d+) brushes \(\d+ closed, \d+ convex\), (\d+) polygons(?: \(\d+ with the model's texture mapping\))? from (\d+) faces \(\d+ split and \d+ triangulated into (\d+) more pieces, (\d+) dropped, (\d+) merged(; \d+ brushes made convex hulls)?\))");
  std::smatch found;
  ASSERT_TRUE(std::regex_search(run.out, found, summary)) << run.out;
  const auto number = [&](int i) { return std::stoull(found[i]); };
  const std::uint64_t polygons = number(2), faces = number(3), pieces = number(4), dropped = number(5);
  if (!found[7].matched) {
    EXPECT_EQ(polygons, faces + pieces - dropped - number(6));
  }

  const std::string text = ReadFileText(map);
  EXPECT_EQ(Count(text, "Begin Polygon"), polygons + 6) << "the builder brush has six";
  EXPECT_EQ(Count(text, "Begin Actor"), number(1) + 1);
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(model, 0);
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(FacesOf(*scene, *scene->mRootNode), faces);

  const ToolRun check = RunTool({"check", map});
  EXPECT_EQ(check.status, kExitOk) << check.out;
  std::remove(map.c_str());
}

INSTANTIATE_TEST_SUITE_P(AssimpTestModels, ToolCorpusTest, ::testing::ValuesIn(ModelFiles()),
                         TestName);
