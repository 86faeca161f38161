// What the map is made from: objects whose faces come in map axes and map units, whether they
// were read from a model file or built in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

/// A point in map axes and map units, before rounding to whole units.
struct MapPoint {
  double x, y, z;
};

/// A texture coordinate as models give it: u across, v up, one texture from 0 to 1.
struct ModelUv {
  double u, v;
};

/// One face of an object: its points in the model's order, the index of its material, and its
/// texture coordinates when it has them.
struct SourceFace {
  const MapPoint* points;
  std::size_t count;
  std::uint32_t material;
  const ModelUv* uvs = nullptr;
};

/// Where a material's texture image is: a file, or bytes the model file holds (an image file's
/// own bytes, or `width` x `height` pixels of 8-bit RGBA when `width` is not 0).
struct TextureSource {
  std::string file;
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  int width = 0, height = 0;

  bool Empty() const { return file.empty() && !data; }
};

/// The objects of a scene, each one brush of the map.
class MapSource {
 public:
  using FaceVisitor = std::function<void(const SourceFace&)>;

  virtual ~MapSource() = default;

  virtual std::size_t ObjectCount() const = 0;
  /// The object's own name, as the source gives it (may be empty, may be any bytes).
  virtual std::string ObjectName(std::size_t object) const = 0;
  /// Calls `visit` for each face of `object` that has at least three points. The points stay
  /// valid only during the call.
  virtual void VisitFaces(std::size_t object, const FaceVisitor& visit) const = 0;
  /// Faces of `object` with fewer than three points (points and lines), which no map can hold.
  virtual std::uint64_t PointAndLineFaces(std::size_t object) const = 0;
  /// The faces of `object` that VisitFaces visits, numbered from 0 in its order.
  virtual std::size_t FaceCount(std::size_t object) const = 0;
  /// Face `face` of `object`, its points exactly as VisitFaces gives them, written into `out`,
  /// and its texture coordinates into `uvs` when it has them and `uvs` is not null; a face of
  /// more than `capacity` points comes with count 0 and nothing written.
  virtual SourceFace Face(std::size_t object, std::size_t face, MapPoint* out, std::size_t capacity,
                          ModelUv* uvs = nullptr) const = 0;

  virtual std::size_t MaterialCount() const = 0;
  /// The file of the material's diffuse texture as the source names it, or empty.
  virtual std::string MaterialTexture(std::size_t material) const = 0;
  /// The material's own name, or empty.
  virtual std::string MaterialName(std::size_t material) const = 0;
  /// Where the material's diffuse texture image is, or nothing.
  virtual TextureSource MaterialImage(std::size_t) const { return {}; }
};
