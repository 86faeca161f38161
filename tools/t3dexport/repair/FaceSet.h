// The point sets of a brush's polygons, to find each one that repeats an earlier one in any
// order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "GridGeometry.h"

/// Point sets, each of at most kMaxPoints points, kept only as a hash and the number a set was
/// added under: the sets themselves stay wherever the caller keeps them, and the caller hands
/// back the points of a set (in the order round its polygon) when its hash matches another's. The repeats are found all at once,
/// by sorting, when every set is in: 8 bytes a set, and memory read in order rather than at
/// random, which a set of millions would otherwise pay for with a cache miss each.
class FaceSet {
 public:
  static constexpr std::size_t kMaxPoints = 16;
  /// Writes the points of the set added as `number` into `out` (kMaxPoints of room), in their
  /// order round the polygon, and returns their count.
  using PointsOf = std::function<std::size_t(std::uint32_t number, GridPoint* out)>;

  /// Forgets every point set and makes room for about `expected` of them.
  void Clear(std::size_t expected);
  /// Adds the set of `points[0..count)` (count <= kMaxPoints, points distinct) as `number`,
  /// which must be greater than the numbers added before it.
  void Add(const GridPoint* points, std::size_t count, std::uint32_t number);
  /// The numbers of the sets that hold the same points as a set of a smaller number and go round
  /// them the same way, ascending. (Two that go round them opposite ways are a fold or a sheet
  /// with two sides, which the caller judges.) Forgets every set.
  std::vector<std::uint32_t> TakeRepeats(const PointsOf& pointsOf);

 private:
  std::vector<std::uint64_t> keys_;  // hash << 32 | number
};
