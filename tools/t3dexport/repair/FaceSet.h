// The point sets of a brush's polygons, to catch a face that repeats another in any order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GridGeometry.h"

/// A set of point sets, each of at most kMaxPoints points. Clearing is constant time and keeps
/// the memory, so one set serves brush after brush.
class FaceSet {
 public:
  static constexpr std::size_t kMaxPoints = 16;

  /// Forgets every point set.
  void Clear();
  /// Adds the set of `points[0..count)` (count <= kMaxPoints, points distinct); false, adding
  /// nothing, when the same set is there already, whatever the order.
  bool Insert(const GridPoint* points, std::size_t count);

 private:
  struct Entry {
    std::uint64_t hash;
    std::uint32_t first;  // into sorted_
    std::uint32_t count;
  };
  struct Slot {
    std::uint32_t generation;
    std::uint32_t entry;
  };

  bool Contains(const GridPoint* sorted, std::size_t count, std::uint64_t hash) const;
  void Grow();
  void Place(std::uint32_t entry);

  std::vector<GridPoint> sorted_;  // each set sorted, one after another
  std::vector<Entry> entries_;
  std::vector<Slot> slots_;  // open addressing; a slot of an older generation is empty
  std::uint32_t generation_ = 1;
};
