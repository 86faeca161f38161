// A brush as polygons over shared points: what the closing, winding and merging of brushes work
// on, and what the map checker judges.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GridGeometry.h"

/// Marks a polygon that is not what the caller gave under its tag.
constexpr std::uint32_t kNoTag = 0xFFFFFFFFu;

/// Polygons as rings of indices into shared points. A polygon faces the way its points turn
/// counter-clockwise: its outward normal is (V1 - V0) x (V2 - V0), as map readers take it.
struct BrushMesh {
  std::vector<Vector3d> points;
  std::vector<std::uint32_t> corners;        ///< the point of each corner, ring after ring
  std::vector<std::uint32_t> starts{0};      ///< ring p is corners[starts[p] .. starts[p + 1])
  std::vector<std::uint32_t> materials;      ///< of each polygon
  std::vector<std::uint32_t> tags;           ///< the caller's name for each polygon, or kNoTag
  std::vector<std::uint32_t> mappings;       ///< the caller's texture mapping of each, or kNoTag

  std::size_t PolygonCount() const { return materials.size(); }
  std::uint32_t Size(std::size_t polygon) const { return starts[polygon + 1] - starts[polygon]; }
  const std::uint32_t* Ring(std::size_t polygon) const { return corners.data() + starts[polygon]; }
  const Vector3d& At(std::size_t polygon, std::uint32_t k) const { return points[Ring(polygon)[k]]; }
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
Vector3d NewellNormal(const BrushMesh& mesh, std::size_t polygon);
