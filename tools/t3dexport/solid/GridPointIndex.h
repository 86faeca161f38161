// Numbers for the distinct points of a brush on the whole-unit grid: points at one position are
// one point, whatever face, normal or seam they came with.
#pragma once

#include <cstdint>
#include <vector>

#include "GridGeometry.h"

/// An open-addressing table from grid points to numbers given in order of first sight: 16
/// bytes a slot, no allocation per point.
class GridPointIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  /// Makes room for about `points` points.
  explicit GridPointIndex(std::size_t points = 0);

  /// The number of `p`, given it if it has none yet.
  std::uint32_t Add(const GridPoint& p);
  /// The number of `p`, or kNone.
  std::uint32_t Find(const GridPoint& p) const;
  const std::vector<GridPoint>& Points() const { return points_; }

 private:
  struct Slot {
    GridPoint point;
    std::uint32_t number;
  };
  std::size_t SlotOf(const GridPoint& p) const;
  void Grow();

  std::vector<Slot> slots_;
  std::vector<GridPoint> points_;
  std::size_t mask_ = 0;
};
