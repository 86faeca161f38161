#include "FaceSet.h"

#include <algorithm>

namespace {

// The finaliser of splitmix64: every input bit reaches every output bit, the low ones that pick
// the slot included (grid coordinates often share their low bits).
std::uint64_t Scramble(std::uint64_t h) {
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
  return h ^ (h >> 31);
}

std::uint64_t HashOf(const GridPoint* sorted, std::size_t count) {
  std::uint64_t h = count;
  for (std::size_t i = 0; i < count; ++i) {
    const GridPoint& p = sorted[i];
    h = Scramble(h ^ static_cast<std::uint32_t>(p.x) ^
                 (std::uint64_t{static_cast<std::uint32_t>(p.y)} << 32));
    h = Scramble(h ^ static_cast<std::uint32_t>(p.z));
  }
  return h;
}

}  // namespace

void FaceSet::Clear(std::size_t expected) {
  std::size_t size = 64;
  while (size < expected * 2) size *= 2;
  slots_.assign(size, Slot{0, kEmpty});
  used_ = 0;
}

bool FaceSet::Insert(const GridPoint* points, std::size_t count, std::uint32_t id,
                     const PointsOf& pointsOf) {
  GridPoint sorted[kMaxPoints];
  std::copy(points, points + count, sorted);
  std::sort(sorted, sorted + count);
  const auto hash = static_cast<std::uint32_t>(HashOf(sorted, count));
  if (Contains(sorted, count, hash, pointsOf)) return false;
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  Place({hash, id});
  ++used_;
  return true;
}

bool FaceSet::Contains(const GridPoint* sorted, std::size_t count, std::uint32_t hash,
                       const PointsOf& pointsOf) const {
  if (slots_.empty()) return false;
  const std::size_t mask = slots_.size() - 1;
  GridPoint other[kMaxPoints];
  for (std::size_t s = hash & mask;; s = (s + 1) & mask) {
    const Slot& slot = slots_[s];
    if (slot.id == kEmpty) return false;
    if (slot.hash != hash) continue;
    const std::size_t otherCount = pointsOf(slot.id, other);
    if (otherCount != count) continue;
    std::sort(other, other + otherCount);
    if (std::equal(sorted, sorted + count, other)) return true;
  }
}

void FaceSet::Grow() {
  std::vector<Slot> old(slots_.size() < 64 ? 64 : slots_.size() * 2, Slot{0, kEmpty});
  old.swap(slots_);
  for (const Slot& slot : old) {
    if (slot.id != kEmpty) Place(slot);
  }
}

void FaceSet::Place(Slot slot) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = slot.hash & mask;
  while (slots_[s].id != kEmpty) s = (s + 1) & mask;
  slots_[s] = slot;
}
