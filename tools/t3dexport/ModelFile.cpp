#include "ModelFile.h"

#include <assimp/commonMetaData.h>
#include <assimp/material.h>
#include <assimp/ProgressHandler.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/texture.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// The importer's progress, handed on while the file is read.
class ProgressRelay final : public Assimp::ProgressHandler {
 public:
  explicit ProgressRelay(const ModelFile::Progress& progress) : progress_(progress) {}
  bool Update(float share) override {
    if (progress_ && share >= 0) progress_(share);
    return true;
  }

 private:
  const ModelFile::Progress& progress_;
};

// glTF is in metres by definition; the COLLADA reader brings its file's unit to metres itself.
bool FormatIsInMetres(const std::string& format) {
  return format.rfind("glTF", 0) == 0 || format.rfind("Collada", 0) == 0;
}

template <class T>
bool ReadMeta(const aiScene& scene, const char* key, T& value) {
  return scene.mMetaData && scene.mMetaData->Get(key, value);
}

// A number of the metadata, whichever type the reader stored it as.
bool ReadMetaNumber(const aiScene& scene, const char* key, double& value) {
  float single = 0;
  std::int32_t whole = 0;
  if (ReadMeta(scene, key, value)) return true;
  if (ReadMeta(scene, key, single)) {
    value = single;
    return true;
  }
  if (ReadMeta(scene, key, whole)) {
    value = whole;
    return true;
  }
  return false;
}

aiMatrix4x4t<double> ToDouble(const aiMatrix4x4& m) {
  return aiMatrix4x4t<double>(m.a1, m.a2, m.a3, m.a4, m.b1, m.b2, m.b3, m.b4, m.c1, m.c2, m.c3,
                              m.c4, m.d1, m.d2, m.d3, m.d4);
}

// The editors' axes are left-handed with Z up: a model's up axis becomes Z and one other axis
// changes sign, so the model is not mirrored.
aiMatrix4x4t<double> AxisChange(UpAxis up) {
  if (up == UpAxis::Z) {
    return aiMatrix4x4t<double>(1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
  }
  return aiMatrix4x4t<double>(1, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 1);
}

}  // namespace

bool ModelFile::Read(const std::string& path, std::string& error, const Progress& progress) {
  ProgressRelay relay(progress);
  importer_.SetProgressHandler(&relay);
  // The reader's own repairs are not asked for: faces stay as the model has them, and the
  // tool's repair works on the coordinates that are written.
  scene_ = importer_.ReadFile(path, aiProcess_ValidateDataStructure);
  importer_.SetProgressHandler(nullptr);
  if (!scene_ || !scene_->mRootNode) {
    error = importer_.GetErrorString();
    if (error.empty()) error = "the file holds no scene";
    scene_ = nullptr;
    return false;
  }
  folder_ = std::filesystem::path(path).parent_path().string();
  ReadFacts();
  CollectObjects(*scene_->mRootNode, aiMatrix4x4t<double>());
  SetPlacement(1, fileUp_);
  return true;
}

void ModelFile::ReadFacts() {
  aiString format;
  if (ReadMeta(*scene_, AI_METADATA_SOURCE_FORMAT, format)) format_ = format.C_Str();
  double centimetres = 0;
  if (FormatIsInMetres(format_)) {
    metresPerUnit_ = 1.0;
  } else if (ReadMetaNumber(*scene_, "UnitScaleFactor", centimetres) && centimetres > 0) {
    metresPerUnit_ = centimetres / 100.0;
  }
  double axis = 1;
  if (ReadMetaNumber(*scene_, "UpAxis", axis) && axis == 2) fileUp_ = UpAxis::Z;
}

void ModelFile::CollectObjects(const aiNode& node, const Matrix& parent) {
  const Matrix world = parent * ToDouble(node.mTransformation);
  if (node.mNumMeshes > 0) {
    objects_.push_back(&node);
    worlds_.push_back(world);
    NumberFaces(node);
  }
  for (unsigned i = 0; i < node.mNumChildren; ++i) CollectObjects(*node.mChildren[i], world);
}

void ModelFile::NumberFaces(const aiNode& node) {
  std::vector<MeshFaces> meshes;
  std::size_t number = 0;
  for (unsigned m = 0; m < node.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene_->mMeshes[node.mMeshes[m]];
    MeshFaces faces{&mesh, number, {}};
    std::size_t polygons = 0;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) polygons += mesh.mFaces[f].mNumIndices >= 3;
    if (polygons != mesh.mNumFaces) {
      for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        if (mesh.mFaces[f].mNumIndices >= 3) faces.polygons.push_back(f);
      }
    }
    number += polygons;
    meshes.push_back(std::move(faces));
  }
  faces_.push_back(std::move(meshes));
  faceCounts_.push_back(number);
}

void ModelFile::SetPlacement(double scale, UpAxis up) {
  Matrix scaling;
  Matrix::Scaling(aiVector3t<double>(scale, scale, scale), scaling);
  const Matrix placement = scaling * AxisChange(up == UpAxis::FromFile ? fileUp_ : up);
  toMaps_.clear();
  for (const Matrix& world : worlds_) toMaps_.push_back(placement * world);
}

std::string ModelFile::ObjectName(std::size_t object) const {
  return objects_[object]->mName.C_Str();
}

// Both ways to a face's points, every face in turn and one face asked for, go through here, so
// that they give the same bits.
MapPoint ModelFile::ToMap(const Matrix& toMap, const aiVector3D& p) const {
  const aiVector3t<double> q = toMap * aiVector3t<double>(p.x, p.y, p.z);
  return {q.x, q.y, q.z};
}

void ModelFile::VisitFaces(std::size_t object, const FaceVisitor& visit) const {
  const aiNode& node = *objects_[object];
  const Matrix& toMap = toMaps_[object];
  for (unsigned m = 0; m < node.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene_->mMeshes[node.mMeshes[m]];
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices < 3) continue;
      face_.resize(face.mNumIndices);
      for (unsigned i = 0; i < face.mNumIndices; ++i) {
        face_[i] = ToMap(toMap, mesh.mVertices[face.mIndices[i]]);
      }
      const ModelUv* uvs = nullptr;
      if (mesh.HasTextureCoords(0)) {
        faceUvs_.resize(face.mNumIndices);
        for (unsigned i = 0; i < face.mNumIndices; ++i) {
          const aiVector3D& uv = mesh.mTextureCoords[0][face.mIndices[i]];
          faceUvs_[i] = {uv.x, uv.y};
        }
        uvs = faceUvs_.data();
      }
      visit({face_.data(), face_.size(), mesh.mMaterialIndex, uvs});
    }
  }
}

std::uint64_t ModelFile::PointAndLineFaces(std::size_t object) const {
  const aiNode& node = *objects_[object];
  std::uint64_t count = 0;
  for (unsigned m = 0; m < node.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene_->mMeshes[node.mMeshes[m]];
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) count += mesh.mFaces[f].mNumIndices < 3;
  }
  return count;
}

std::size_t ModelFile::FaceCount(std::size_t object) const { return faceCounts_[object]; }

SourceFace ModelFile::Face(std::size_t object, std::size_t face, MapPoint* out, std::size_t capacity,
                           ModelUv* uvs) const {
  const std::vector<MeshFaces>& meshes = faces_[object];
  const auto after = std::upper_bound(meshes.begin(), meshes.end(), face,
                                      [](std::size_t n, const MeshFaces& m) { return n < m.first; });
  const MeshFaces& faces = *(after - 1);
  const std::size_t local = face - faces.first;
  const aiFace& f = faces.mesh->mFaces[faces.polygons.empty() ? local : faces.polygons[local]];
  if (f.mNumIndices > capacity) return {out, 0, faces.mesh->mMaterialIndex};
  const Matrix& toMap = toMaps_[object];
  for (unsigned i = 0; i < f.mNumIndices; ++i) out[i] = ToMap(toMap, faces.mesh->mVertices[f.mIndices[i]]);
  if (!uvs || !faces.mesh->HasTextureCoords(0)) return {out, f.mNumIndices, faces.mesh->mMaterialIndex};
  for (unsigned i = 0; i < f.mNumIndices; ++i) {
    const aiVector3D& uv = faces.mesh->mTextureCoords[0][f.mIndices[i]];
    uvs[i] = {uv.x, uv.y};
  }
  return {out, f.mNumIndices, faces.mesh->mMaterialIndex, uvs};
}

std::size_t ModelFile::MaterialCount() const { return scene_ ? scene_->mNumMaterials : 0; }

std::string ModelFile::MaterialTexture(std::size_t material) const {
  const aiMaterial& m = *scene_->mMaterials[material];
  aiString path;
  for (aiTextureType type : {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR}) {
    if (m.GetTexture(type, 0, &path) == AI_SUCCESS && path.length > 0) return path.C_Str();
  }
  return {};
}

// The texture a material names: one the model file holds ("*0", or a name its embedded textures
// carry), else a file: as the model names it, else beside the model (where a path from another
// machine often leads).
TextureSource ModelFile::MaterialImage(std::size_t material) const {
  TextureSource source;
  const std::string path = MaterialTexture(material);
  if (path.empty()) return source;
  if (const aiTexture* embedded = scene_->GetEmbeddedTexture(path.c_str())) {
    source.data = reinterpret_cast<const unsigned char*>(embedded->pcData);
    if (embedded->mHeight == 0) {
      source.size = embedded->mWidth;
    } else {
      source.width = static_cast<int>(embedded->mWidth);
      source.height = static_cast<int>(embedded->mHeight);
      source.size = std::size_t(embedded->mWidth) * embedded->mHeight * 4;
    }
    return source;
  }
  std::string normalised = path;
  std::replace(normalised.begin(), normalised.end(), '\\', '/');
  const std::filesystem::path stated(normalised);
  for (const std::filesystem::path& candidate :
       {stated.is_absolute() ? stated : std::filesystem::path(folder_) / stated,
        std::filesystem::path(folder_) / stated.filename()}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
      source.file = candidate.string();
      return source;
    }
  }
  source.file = (std::filesystem::path(folder_) / stated).string();  // missing: named in the warning
  return source;
}

std::string ModelFile::MaterialName(std::size_t material) const {
  aiString name;
  if (scene_->mMaterials[material]->Get(AI_MATKEY_NAME, name) == AI_SUCCESS) return name.C_Str();
  return {};
}
