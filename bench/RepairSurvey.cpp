// Polygon repair over real models: reads every model file under a folder as the tool does (one
// brush per node with meshes, world transform times a scale), repairs each brush at each scale
// and prints what repair did, by kind, with the time repair took.
//
//   t3d_repair_survey [FOLDER] [SCALE ...]      (default /usr/share/assimp/models, scales 1 64)
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "MapNames.h"
#include "PolygonRepair.h"

namespace {

struct Survey {
  double scale = 1;
  RepairCounts counts;
  double seconds = 0;
};

struct Totals {
  std::size_t files = 0;
  std::size_t models = 0;
  std::size_t brushes = 0;
  std::size_t actorsRenamed = 0;
  std::size_t texturesRenamed = 0;
};

class SurveyRun {
 public:
  SurveyRun(const aiScene& model, Survey& survey) : model_(model), survey_(survey) {}

  void Node(const aiNode& node, const aiMatrix4x4& parent) {
    const aiMatrix4x4 world = parent * node.mTransformation;
    if (node.mNumMeshes > 0) Brush(node, world);
    for (unsigned i = 0; i < node.mNumChildren; ++i) Node(*node.mChildren[i], world);
  }

  const RepairCounts& Counts() const { return repair_.Counts(); }

 private:
  // The points the host would serve: world coordinates times the scale.
  void Brush(const aiNode& node, const aiMatrix4x4& world) {
    const auto start = std::chrono::steady_clock::now();
    repair_.StartBrush();
    for (unsigned m = 0; m < node.mNumMeshes; ++m) {
      const aiMesh& mesh = *model_.mMeshes[node.mMeshes[m]];
      for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices < 3) continue;
        points_.clear();
        for (unsigned i = 0; i < face.mNumIndices; ++i) {
          const aiVector3D v = world * mesh.mVertices[face.mIndices[i]];
          points_.push_back({v.x * survey_.scale, v.y * survey_.scale, v.z * survey_.scale});
        }
        repair_.AddFace(points_.data(), points_.size(), m);
      }
    }
    repair_.FinishBrush();
    survey_.seconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  const aiScene& model_;
  Survey& survey_;
  BrushRepair repair_;
  std::vector<ModelPoint> points_;
};

void CountNames(const aiScene& model, const aiNode& node, MapNames& names, Totals& totals) {
  if (node.mNumMeshes > 0) {
    ++totals.brushes;
    names.ActorName(node.mName.C_Str());
  }
  for (unsigned i = 0; i < node.mNumChildren; ++i)
    CountNames(model, *node.mChildren[i], names, totals);
}

void CountTextures(const aiScene& model, MapNames& names) {
  for (unsigned i = 0; i < model.mNumMaterials; ++i) {
    aiString path, name;
    model.mMaterials[i]->GetTexture(aiTextureType_DIFFUSE, 0, &path);
    model.mMaterials[i]->Get(AI_MATKEY_NAME, name);
    names.TextureName(path.C_Str(), name.C_Str());
  }
}

void SurveyFile(const std::filesystem::path& file, std::vector<Survey>& surveys, Totals& totals) {
  Assimp::Importer importer;
  if (!importer.IsExtensionSupported(file.extension().string())) return;
  ++totals.files;
  const aiScene* model = importer.ReadFile(
      file.string(), aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure |
                         aiProcess_FindDegenerates | aiProcess_SortByPType);
  if (!model || !model->mRootNode) return;
  ++totals.models;
  MapNames names;
  CountNames(*model, *model->mRootNode, names, totals);
  CountTextures(*model, names);
  for (const Renaming& r : names.Renamings()) {
    (r.kind == Renaming::Kind::kActor ? totals.actorsRenamed : totals.texturesRenamed) += 1;
  }
  for (Survey& survey : surveys) {
    SurveyRun run(*model, survey);
    run.Node(*model->mRootNode, aiMatrix4x4());
    survey.counts += run.Counts();
  }
}

void Print(const Survey& s) {
  const RepairCounts& c = s.counts;
  std::printf(
      "scale %g: %llu faces -> %llu polygons in %.3f s (%.2f M faces/s)\n"
      "  dropped: %llu non-finite, %llu out of range, %llu degenerate, %llu no area, %llu "
      "duplicate pieces\n"
      "  cut: %llu triangulated, %llu split, %llu pieces added\n",
      s.scale, static_cast<unsigned long long>(c.faces),
      static_cast<unsigned long long>(c.polygons), s.seconds,
      s.seconds > 0 ? double(c.faces) / s.seconds / 1e6 : 0.0,
      static_cast<unsigned long long>(c.nonFinite), static_cast<unsigned long long>(c.outOfRange),
      static_cast<unsigned long long>(c.degenerate), static_cast<unsigned long long>(c.noArea),
      static_cast<unsigned long long>(c.duplicate), static_cast<unsigned long long>(c.triangulated),
      static_cast<unsigned long long>(c.split), static_cast<unsigned long long>(c.piecesAdded));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "/usr/share/assimp/models";
  std::vector<Survey> surveys;
  for (int i = 2; i < argc; ++i) surveys.push_back({std::atof(argv[i]), {}, 0});
  if (surveys.empty()) surveys = {{1, {}, 0}, {64, {}, 0}};
  Totals totals;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) SurveyFile(entry.path(), surveys, totals);
  }
  std::printf(
      "%zu model files read of %zu tried; %zu brushes; %zu actor names and %zu texture "
      "names changed\n",
      totals.models, totals.files, totals.brushes, totals.actorsRenamed, totals.texturesRenamed);
  for (const Survey& survey : surveys) Print(survey);
  return 0;
}
