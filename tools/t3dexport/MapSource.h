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

/// One face of an object: its points in the model's order, and the index of its material.
struct SourceFace {
  const MapPoint* points;
  std::size_t count;
  std::uint32_t material;
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
  /// Face `face` of `object`, its points exactly as VisitFaces gives them, written into `out`;
  /// a face of more than `capacity` points comes with count 0 and nothing written.
  virtual SourceFace Face(std::size_t object, std::size_t face, MapPoint* out,
                          std::size_t capacity) const = 0;

  virtual std::size_t MaterialCount() const = 0;
  /// The file of the material's diffuse texture as the source names it, or empty.
  virtual std::string MaterialTexture(std::size_t material) const = 0;
  /// The material's own name, or empty.
  virtual std::string MaterialName(std::size_t material) const = 0;
};
