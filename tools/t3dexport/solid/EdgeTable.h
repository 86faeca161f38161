// The edges of a brush's polygons, found by their points: which polygons run along an edge, and
// which way.
#pragma once

#include <cstdint>
#include <vector>

#include "BrushMesh.h"

/// Corners indexed by the point they start at. Corner c (an index into BrushMesh::corners) is
/// the edge from its point to the next point of its ring. Holds a reference to the mesh.
class EdgeTable {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  /// The polygons along an edge from a to b: how many run it each way, and the first corner
  /// that runs it back from b to a.
  struct Edge {
    std::uint32_t forward = 0;
    std::uint32_t backward = 0;
    std::uint32_t back = kNone;

    /// Exactly one polygon each way: two neighbours that meet as a closed surface's do.
    bool Paired() const { return forward == 1 && backward == 1; }
  };

  explicit EdgeTable(const BrushMesh& mesh);

  std::uint32_t From(std::uint32_t corner) const { return mesh_.corners[corner]; }
  std::uint32_t To(std::uint32_t corner) const;
  std::uint32_t PolygonOf(std::uint32_t corner) const { return polygonOf_[corner]; }
  /// The corners whose edges start at `point`.
  const std::uint32_t* Leaving(std::uint32_t point, std::uint32_t& count) const {
    count = firstLeaving_[point + 1] - firstLeaving_[point];
    return leaving_.data() + firstLeaving_[point];
  }
  /// The first corner that runs from `a` to `b`, or kNone.
  std::uint32_t Find(std::uint32_t a, std::uint32_t b) const;
  /// How many corners run from `a` to `b`.
  std::uint32_t Count(std::uint32_t a, std::uint32_t b) const;
  /// The edge between `a` and `b`, seen from a.
  Edge Between(std::uint32_t a, std::uint32_t b) const;

 private:
  const BrushMesh& mesh_;
  std::vector<std::uint32_t> polygonOf_;
  std::vector<std::uint32_t> firstLeaving_;
  std::vector<std::uint32_t> leaving_;      // corners, grouped by the point they start at
  std::vector<std::uint32_t> leavingTo_;    // where each of them goes
};
