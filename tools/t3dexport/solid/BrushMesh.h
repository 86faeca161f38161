// A brush as polygons over shared points: what the closing, winding and merging of brushes work
// on, and what the map checker judges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Vec3 {
  double x, y, z;
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(double s, const Vec3& v) { return {s * v.x, s * v.y, s * v.z}; }
inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
/// `v` of unit length; (0, 0, 0) stays as it is.
Vec3 Unit(const Vec3& v);

/// Marks a polygon that is not what the caller gave under its tag.
constexpr std::uint32_t kNoTag = 0xFFFFFFFFu;

/// Polygons as rings of indices into shared points. A polygon faces the way its points turn
/// counter-clockwise: its outward normal is (V1 - V0) x (V2 - V0), as map readers take it.
struct BrushMesh {
  std::vector<Vec3> points;
  std::vector<std::uint32_t> corners;        ///< the point of each corner, ring after ring
  std::vector<std::uint32_t> starts{0};      ///< ring p is corners[starts[p] .. starts[p + 1])
  std::vector<std::uint32_t> materials;      ///< of each polygon
  std::vector<std::uint32_t> tags;           ///< the caller's name for each polygon, or kNoTag
  std::vector<std::uint32_t> mappings;       ///< the caller's texture mapping of each, or kNoTag

  std::size_t PolygonCount() const { return materials.size(); }
  std::uint32_t Size(std::size_t polygon) const { return starts[polygon + 1] - starts[polygon]; }
  const std::uint32_t* Ring(std::size_t polygon) const { return corners.data() + starts[polygon]; }
  const Vec3& At(std::size_t polygon, std::uint32_t k) const { return points[Ring(polygon)[k]]; }
  void Add(const std::uint32_t* ring, std::size_t count, std::uint32_t material, std::uint32_t tag,
           std::uint32_t mapping = kNoTag);
  /// Adds a polygon with the material and mapping of polygon `of` of `from`, and its tag when
  /// `same`: the polygon as it was.
  void AddLike(const std::uint32_t* ring, std::size_t count, const BrushMesh& from, std::size_t of,
               bool same) {
    Add(ring, count, from.materials[of], same ? from.tags[of] : kNoTag, from.mappings[of]);
  }
  /// The same points, no polygons.
  BrushMesh EmptyCopy() const;
  /// Makes room for `polygons` polygons of `corners` corners in all, so that adding them takes
  /// no more memory than they need.
  void Reserve(std::size_t polygons, std::size_t corners);
};

/// Newell's normal of a polygon (twice its vector area), relative to its first point.
Vec3 NewellNormal(const BrushMesh& mesh, std::size_t polygon);
