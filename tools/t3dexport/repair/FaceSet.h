// The point sets of a brush's polygons, to catch a face that repeats another in any order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "GridGeometry.h"

/// A set of point sets, each of at most kMaxPoints points, kept as a hash and an id a set was
/// added under: the sets themselves stay wherever the caller keeps them, and on a hash match the
/// caller hands back the points of the earlier set, so the memory is 8 bytes a slot whatever the
/// sets hold.
class FaceSet {
 public:
  static constexpr std::size_t kMaxPoints = 16;
  /// Writes the points of the set added under `id` into `out` (kMaxPoints of room), in any
  /// order, and returns their count.
  using PointsOf = std::function<std::size_t(std::uint32_t id, GridPoint* out)>;

  /// Forgets every point set and makes room for about `expected` of them.
  void Clear(std::size_t expected);
  /// Adds the set of `points[0..count)` (count <= kMaxPoints, points distinct) under `id`
  /// (below 2^32 - 1); false, adding nothing, when the same set is there already, whatever the
  /// order.
  bool Insert(const GridPoint* points, std::size_t count, std::uint32_t id,
              const PointsOf& pointsOf);

 private:
  struct Slot {
    std::uint32_t hash;
    std::uint32_t id;  // kEmpty when the slot is free
  };
  static constexpr std::uint32_t kEmpty = UINT32_MAX;

  bool Contains(const GridPoint* sorted, std::size_t count, std::uint32_t hash,
                const PointsOf& pointsOf) const;
  void Grow();
  void Place(Slot slot);

  std::vector<Slot> slots_;  // open addressing, at most half full
  std::size_t used_ = 0;
};
