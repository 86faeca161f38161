// A model file read through Assimp, as the objects of a map: every node that carries meshes is
// one object, placed in map axes and units by its world transform, the up axis and a scale.
#pragma once

#include <assimp/Importer.hpp>
#include <assimp/matrix4x4.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "MapSource.h"
#include "Placement.h"

struct aiMesh;
struct aiNode;
struct aiScene;

class ModelFile final : public MapSource {
 public:
  /// Map units per metre where the file states its unit: 16 to the foot, as editors measure.
  static constexpr double kMapUnitsPerMetre = 52.5;

  /// Called with the share of the file read, from 0 to 1.
  using Progress = std::function<void(double)>;

  /// Reads `path`; false with `error` set when the importer cannot read it.
  bool Read(const std::string& path, std::string& error, const Progress& progress = {});

  /// Metres per model unit when the file states its unit (glTF, FBX, COLLADA).
  std::optional<double> MetresPerUnit() const { return metresPerUnit_; }
  /// The up axis the file states, or Y.
  UpAxis FileUpAxis() const { return fileUp_; }
  /// The importer's name of the file's format.
  const std::string& Format() const { return format_; }

  /// Model coordinates become map coordinates: world transform, then `up` becomes the map's Z
  /// (handedness changes as the editors' axes need), then `scale`.
  void SetPlacement(double scale, UpAxis up);

  std::size_t ObjectCount() const override { return objects_.size(); }
  std::string ObjectName(std::size_t object) const override;
  void VisitFaces(std::size_t object, const FaceVisitor& visit) const override;
  std::uint64_t PointAndLineFaces(std::size_t object) const override;
  std::size_t FaceCount(std::size_t object) const override;
  SourceFace Face(std::size_t object, std::size_t face, MapPoint* out, std::size_t capacity,
                  ModelUv* uvs = nullptr) const override;
  std::size_t MaterialCount() const override;
  std::string MaterialTexture(std::size_t material) const override;
  std::string MaterialName(std::size_t material) const override;
  TextureSource MaterialImage(std::size_t material) const override;

 private:
  using Matrix = aiMatrix4x4t<double>;

  // The faces of one mesh of an object, numbered on from `first`: the mesh's own faces, or only
  // those listed in `polygons` when it has points or lines among them.
  struct MeshFaces {
    const aiMesh* mesh;
    std::size_t first;
    std::vector<std::uint32_t> polygons;
  };

  void CollectObjects(const aiNode& node, const Matrix& parent);
  void NumberFaces(const aiNode& node);
  void ReadFacts();
  MapPoint ToMap(const Matrix& toMap, const aiVector3D& p) const;

  Assimp::Importer importer_;
  const aiScene* scene_ = nullptr;
  std::vector<const aiNode*> objects_;
  std::vector<Matrix> worlds_;
  std::vector<std::vector<MeshFaces>> faces_;  // by object
  std::vector<std::size_t> faceCounts_;         // by object
  std::optional<double> metresPerUnit_;
  UpAxis fileUp_ = UpAxis::Y;
  std::string format_;
  std::vector<Matrix> toMaps_;  // by object: its world transform, then the placement
  mutable std::vector<MapPoint> face_;
  mutable std::vector<ModelUv> faceUvs_;
  std::string folder_;  // the model file's, where its texture files are looked for
};
