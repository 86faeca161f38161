#include "GridPointIndex.h"

#include "Scramble.h"

namespace {

std::size_t PowerOfTwoAtLeast(std::size_t n) {
  std::size_t size = 16;
  while (size < n) size *= 2;
  return size;
}

}  // namespace

GridPointIndex::GridPointIndex(std::size_t points)
    : slots_(PowerOfTwoAtLeast(points * 2), Slot{{0, 0, 0}, kNone}) {
  mask_ = slots_.size() - 1;
  points_.reserve(points);
}

std::size_t GridPointIndex::SlotOf(const GridPoint& p) const {
  const std::uint64_t key = static_cast<std::uint32_t>(p.x) ^
                            (std::uint64_t{static_cast<std::uint32_t>(p.y)} << 21) ^
                            (std::uint64_t{static_cast<std::uint32_t>(p.z)} << 42);
  std::size_t slot = static_cast<std::size_t>(Scramble(key)) & mask_;
  while (slots_[slot].number != kNone && slots_[slot].point != p) slot = (slot + 1) & mask_;
  return slot;
}

std::uint32_t GridPointIndex::Add(const GridPoint& p) {
  std::size_t slot = SlotOf(p);
  if (slots_[slot].number != kNone) return slots_[slot].number;
  if ((points_.size() + 1) * 2 > slots_.size()) {
    Grow();
    slot = SlotOf(p);
  }
  const auto number = static_cast<std::uint32_t>(points_.size());
  slots_[slot] = {p, number};
  points_.push_back(p);
  return number;
}

std::uint32_t GridPointIndex::Find(const GridPoint& p) const { return slots_[SlotOf(p)].number; }

void GridPointIndex::Grow() {
  slots_.assign(slots_.size() * 2, Slot{{0, 0, 0}, kNone});
  mask_ = slots_.size() - 1;
  for (std::uint32_t n = 0; n < points_.size(); ++n) slots_[SlotOf(points_[n])] = {points_[n], n};
}
