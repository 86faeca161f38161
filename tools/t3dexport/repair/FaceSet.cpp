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

void FaceSet::Clear() {
  sorted_.clear();
  entries_.clear();
  if (++generation_ == 0) {
    // Generations wrapped: old slots could pass for current ones.
    std::fill(slots_.begin(), slots_.end(), Slot{0, 0});
    generation_ = 1;
  }
}

bool FaceSet::Insert(const GridPoint* points, std::size_t count) {
  GridPoint sorted[kMaxPoints];
  std::copy(points, points + count, sorted);
  std::sort(sorted, sorted + count);
  const std::uint64_t hash = HashOf(sorted, count);
  if (Contains(sorted, count, hash)) return false;
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  entries_.push_back(
      {hash, static_cast<std::uint32_t>(sorted_.size()), static_cast<std::uint32_t>(count)});
  sorted_.insert(sorted_.end(), sorted, sorted + count);
  Place(static_cast<std::uint32_t>(entries_.size() - 1));
  return true;
}

bool FaceSet::Contains(const GridPoint* sorted, std::size_t count, std::uint64_t hash) const {
  if (slots_.empty()) return false;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t s = static_cast<std::size_t>(hash & mask);; s = (s + 1) & mask) {
    const Slot& slot = slots_[s];
    if (slot.generation != generation_) return false;
    const Entry& entry = entries_[slot.entry];
    if (entry.hash == hash && entry.count == count &&
        std::equal(sorted, sorted + count, sorted_.begin() + entry.first)) {
      return true;
    }
  }
}

void FaceSet::Grow() {
  const std::size_t size = slots_.empty() ? 64 : slots_.size() * 2;
  slots_.assign(size, Slot{0, 0});
  generation_ = 1;
  for (std::uint32_t e = 0; e < entries_.size(); ++e) Place(e);
}

void FaceSet::Place(std::uint32_t entry) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = static_cast<std::size_t>(entries_[entry].hash & mask);
  while (slots_[s].generation == generation_) s = (s + 1) & mask;
  slots_[s] = {generation_, entry};
}
