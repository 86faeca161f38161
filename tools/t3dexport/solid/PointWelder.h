// Points of a brush read from a map, made one where they lie within a small distance of each
// other, as editors take two points that close for the same point.
#pragma once

#include <cstdint>
#include <vector>

#include "BrushMesh.h"

class PointWelder {
 public:
  /// Points within `radius` of an earlier point become that point.
  explicit PointWelder(double radius);

  /// The index of the point `p` becomes: an earlier one within the radius, or a new one.
  std::uint32_t Weld(const Vector3d& p);
  std::vector<Vector3d>& Points() { return points_; }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  struct Cell {
    std::int64_t x, y, z;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y && z == other.z; }
  };

  Cell CellOf(const Vector3d& p) const;
  /// A point of `cell` within the radius of `p`, or kNone.
  std::uint32_t Near(const Cell& cell, const Vector3d& p) const;
  std::size_t SlotOf(const Cell& cell) const;
  void Grow();

  double radius_;
  double cell_;
  std::vector<Vector3d> points_;
  std::vector<std::uint32_t> before_;  // the point put in the same cell before each point
  std::vector<Cell> cellOf_;           // of each point
  std::vector<std::uint32_t> slots_;   // the last point put in each cell, the cell its own
};
