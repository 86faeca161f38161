#include "ModelScene.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "THostScene.h"

namespace {

// The host's transform record from a node's world matrix (row-major, translation in column 4).
TKXTransform ToTransform(const aiMatrix4x4& m, float scale) {
  TKXTransform transform;
  const float linear[9] = {m.a1, m.a2, m.a3, m.b1, m.b2, m.b3, m.c1, m.c2, m.c3};
  for (int i = 0; i < 9; ++i) transform.linear[i] = linear[i];
  transform.translation = {m.a4 * scale, m.b4 * scale, m.c4 * scale};
  transform.scale = scale;
  return transform;
}

// Newell's normal: sound for any planar polygon, whatever its winding or concavity.
TKXVector3 FaceNormal(const std::vector<TKXVector3>& points) {
  double x = 0, y = 0, z = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TKXVector3& a = points[i];
    const TKXVector3& b = points[(i + 1) % points.size()];
    x += (double(a.y) - b.y) * (double(a.z) + b.z);
    y += (double(a.z) - b.z) * (double(a.x) + b.x);
    z += (double(a.x) - b.x) * (double(a.y) + b.y);
  }
  const double length = std::sqrt(x * x + y * y + z * z);
  if (length == 0) return {0, 0, 0};
  return {float(x / length), float(y / length), float(z / length)};
}

std::string TextureName(const aiMaterial& material, unsigned index) {
  aiString text;
  if (material.GetTexture(aiTextureType_DIFFUSE, 0, &text) == AI_SUCCESS && text.length > 0) {
    return std::filesystem::path(text.C_Str()).stem().string();
  }
  if (material.Get(AI_MATKEY_NAME, text) == AI_SUCCESS && text.length > 0) return text.C_Str();
  return "Material" + std::to_string(index);
}

void AddMesh(const aiMesh& mesh, THostInstance& instance) {
  THostPolygonGroup& group = instance.AddGroup();
  const auto domain = static_cast<std::int16_t>(mesh.mMaterialIndex);
  for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
    const aiFace& face = mesh.mFaces[f];
    if (face.mNumIndices < 3) continue;
    std::vector<TKXVector3> points;
    points.reserve(face.mNumIndices);
    for (unsigned i = 0; i < face.mNumIndices; ++i) {
      const aiVector3D& v = mesh.mVertices[face.mIndices[i]];
      points.push_back({v.x, v.y, v.z});
    }
    group.AddPolygon(points, FaceNormal(points), domain);
  }
}

void AddNode(const aiScene& model, const aiNode& node, const aiMatrix4x4& parent,
             const ModelSceneOptions& options, THostScene& scene) {
  const aiMatrix4x4 world = parent * node.mTransformation;
  if (node.mNumMeshes > 0) {
    std::string name = node.mName.C_Str();
    if (name.empty()) name = "Mesh" + std::to_string(scene.InstanceCount());
    THostInstance& instance = scene.AddInstance(name);
    instance.SetTransform(ToTransform(world, options.scale)).SetDefaultMaterialName("Default");
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
      const aiMesh& mesh = *model.mMeshes[node.mMeshes[i]];
      const unsigned material = mesh.mMaterialIndex;
      if (material < model.mNumMaterials) {
        instance.SetDomainTexture(static_cast<std::int32_t>(material),
                                  TextureName(*model.mMaterials[material], material));
      }
      AddMesh(mesh, instance);
    }
  }
  for (unsigned i = 0; i < node.mNumChildren; ++i) {
    AddNode(model, *node.mChildren[i], world, options, scene);
  }
}

}  // namespace

bool BuildModelScene(const std::string& path, const ModelSceneOptions& options, THostScene& scene,
                     std::string& error) {
  Assimp::Importer importer;
  // Faces stay as the model has them: brushes are made of polygons, not only triangles.
  const aiScene* model = importer.ReadFile(
      path, aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure |
                aiProcess_FindDegenerates | aiProcess_SortByPType);
  if (!model || !model->mRootNode) {
    error = importer.GetErrorString();
    return false;
  }
  AddNode(*model, *model->mRootNode, aiMatrix4x4(), options, scene);
  return true;
}
