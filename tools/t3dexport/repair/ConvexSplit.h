// Cuts a convex polygon with too many vertices into convex pieces with fewer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GridGeometry.h"

/// Convex pieces of a ring: runs of ring indices, one after another, with the length of each.
struct ConvexPieces {
  std::vector<std::uint32_t> indices;
  std::vector<std::uint32_t> sizes;
};

/// Cuts the convex ring `ring[0..count)` into pieces of at most `limit` (>= 3) vertices along
/// chords between its vertices, as few as the limit allows, none without area; each piece keeps
/// the ring's order. False when no such chord exists (a ring that is not convex).
bool SplitConvex(const Point2* ring, std::size_t count, std::size_t limit, ConvexPieces& pieces);
