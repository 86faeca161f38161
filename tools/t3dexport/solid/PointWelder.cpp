#include "PointWelder.h"

#include <cmath>

std::size_t PointWelder::CellHash::operator()(const Cell& c) const {
  std::uint64_t h = static_cast<std::uint64_t>(c.x) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<std::uint64_t>(c.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
  h ^= static_cast<std::uint64_t>(c.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
  return static_cast<std::size_t>(h);
}

namespace {

// The cell number of a coordinate, held within what a 64-bit integer takes (points that far out
// share their cells; the distance test still tells them apart).
std::int64_t CellNumber(double coordinate, double radius) {
  constexpr double kFarthest = 4e18;
  return static_cast<std::int64_t>(std::fmax(-kFarthest, std::fmin(kFarthest, std::floor(coordinate / radius))));
}

}  // namespace

PointWelder::Cell PointWelder::CellOf(const Vec3& p) const {
  return {CellNumber(p.x, radius_), CellNumber(p.y, radius_), CellNumber(p.z, radius_)};
}

std::uint32_t PointWelder::Weld(const Vec3& p) {
  const Cell home = CellOf(p);
  // A point within the radius lies in the cell of p or one of the 26 around it.
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      for (std::int64_t dz = -1; dz <= 1; ++dz) {
        const auto found = cells_.find({home.x + dx, home.y + dy, home.z + dz});
        if (found == cells_.end()) continue;
        for (const std::uint32_t index : found->second) {
          const Vec3 d = points_[index] - p;
          if (Dot(d, d) <= radius_ * radius_) return index;
        }
      }
    }
  }
  const auto index = static_cast<std::uint32_t>(points_.size());
  points_.push_back(p);
  cells_[home].push_back(index);
  return index;
}

void PointWelder::Clear() {
  points_.clear();
  cells_.clear();
}
