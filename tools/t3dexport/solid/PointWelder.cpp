#include "PointWelder.h"

#include <cmath>

#include "Scramble.h"

namespace {

// The cell number of a coordinate, held within what a 64-bit integer takes (points that far out
// share their cells; the distance test still tells them apart).
std::int64_t CellNumber(double coordinate, double radius) {
  constexpr double kFarthest = 4e18;
  return static_cast<std::int64_t>(std::fmax(-kFarthest, std::fmin(kFarthest, std::floor(coordinate / radius))));
}

}  // namespace

// Cells four radii wide: a point mostly lies farther than the radius from its cell's sides, and
// only its own cell can hold a point near it.
PointWelder::PointWelder(double radius) : radius_(radius), cell_(4 * radius), slots_(1024, kNone) {}

PointWelder::Cell PointWelder::CellOf(const Vector3d& p) const {
  return {CellNumber(p.x, cell_), CellNumber(p.y, cell_), CellNumber(p.z, cell_)};
}

std::uint32_t PointWelder::Near(const Cell& cell, const Vector3d& p) const {
  for (std::uint32_t i = slots_[SlotOf(cell)]; i != kNone; i = before_[i]) {
    const Vector3d d = points_[i] - p;
    if (Dot(d, d) <= radius_ * radius_) return i;
  }
  return kNone;
}

std::size_t PointWelder::SlotOf(const Cell& cell) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t hash = Scramble(static_cast<std::uint64_t>(cell.x) ^
                                 Scramble(static_cast<std::uint64_t>(cell.y) ^ Scramble(static_cast<std::uint64_t>(cell.z))));
  std::size_t slot = static_cast<std::size_t>(hash) & mask;
  while (slots_[slot] != kNone && !(cellOf_[slots_[slot]] == cell)) slot = (slot + 1) & mask;
  return slot;
}

std::uint32_t PointWelder::Weld(const Vector3d& p) {
  const Cell home = CellOf(p);
  std::uint32_t found = Near(home, p);
  if (found != kNone) return found;
  // The cells beside it that lie within the radius of p, along each axis.
  const double at[3] = {p.x, p.y, p.z};
  const std::int64_t cell[3] = {home.x, home.y, home.z};
  int low[3], high[3];
  for (int k = 0; k < 3; ++k) {
    const double offset = at[k] - static_cast<double>(cell[k]) * cell_;
    low[k] = offset <= radius_ ? -1 : 0;
    high[k] = offset >= cell_ - radius_ ? 1 : 0;
  }
  for (int dx = low[0]; dx <= high[0]; ++dx) {
    for (int dy = low[1]; dy <= high[1]; ++dy) {
      for (int dz = low[2]; dz <= high[2]; ++dz) {
        if (dx == 0 && dy == 0 && dz == 0) continue;
        found = Near({home.x + dx, home.y + dy, home.z + dz}, p);
        if (found != kNone) return found;
      }
    }
  }
  if ((points_.size() + 1) * 2 > slots_.size()) Grow();
  const auto index = static_cast<std::uint32_t>(points_.size());
  std::uint32_t& slot = slots_[SlotOf(home)];
  before_.push_back(slot);
  slot = index;
  points_.push_back(p);
  cellOf_.push_back(home);
  return index;
}

// Twice the slots; each cell's points chained anew, in the order they came.
void PointWelder::Grow() {
  slots_.assign(slots_.size() * 2, kNone);
  for (std::uint32_t i = 0; i < points_.size(); ++i) {
    std::uint32_t& slot = slots_[SlotOf(cellOf_[i])];
    before_[i] = slot;
    slot = i;
  }
}
