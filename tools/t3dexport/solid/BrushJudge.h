// What a CSG rebuild needs of a brush, judged on its polygons: closed (every edge has exactly
// one partner running the other way), wound outward, and convex.
#pragma once

#include <cstdint>

#include "BrushMesh.h"
#include "EdgeTable.h"

/// The edges of a brush that a rebuild cannot trust, each edge counted once, with the first
/// polygon found along one of each kind (EdgeTable::kNone for none).
struct EdgeFaults {
  std::uint64_t edges = 0;        ///< edges between two different points
  std::uint64_t unpartnered = 0;  ///< edges without a partner running the other way
  std::uint64_t overshared = 0;   ///< edges that more than two polygons run along
  std::uint64_t opposed = 0;      ///< edges two neighbours run the same way (wound against each other)
  std::uint32_t firstUnpartnered = EdgeTable::kNone;
  std::uint32_t firstOvershared = EdgeTable::kNone;
  std::uint32_t firstOpposed = EdgeTable::kNone;

  bool Closed() const { return edges > 0 && unpartnered == 0 && overshared == 0 && opposed == 0; }
};

EdgeFaults FindEdgeFaults(const BrushMesh& mesh, const EdgeTable& edges);

/// The volume the polygons enclose, positive when they face outward (for a closed brush).
double SignedVolume(const BrushMesh& mesh);

/// Whether every point of the brush's polygons lies within `tolerance` of every polygon's plane
/// or behind it. Polygons without area have no plane and are passed over.
bool IsConvexWithin(const BrushMesh& mesh, const EdgeTable& edges, double tolerance);
