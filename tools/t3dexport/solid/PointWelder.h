// Points of a brush read from a map, made one where they lie within a small distance of each
// other, as editors take two points that close for the same point.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "BrushMesh.h"

class PointWelder {
 public:
  /// Points within `radius` of an earlier point become that point.
  explicit PointWelder(double radius) : radius_(radius) {}

  /// The index of the point `p` becomes: an earlier one within the radius, or a new one.
  std::uint32_t Weld(const Vec3& p);
  std::vector<Vec3>& Points() { return points_; }
  void Clear();

 private:
  struct Cell {
    std::int64_t x, y, z;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y && z == other.z; }
  };
  struct CellHash {
    std::size_t operator()(const Cell& c) const;
  };

  Cell CellOf(const Vec3& p) const;

  double radius_;
  std::vector<Vec3> points_;
  std::unordered_map<Cell, std::vector<std::uint32_t>, CellHash> cells_;
};
