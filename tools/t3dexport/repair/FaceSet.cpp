#include "FaceSet.h"

#include <algorithm>
#include <utility>

#include "Scramble.h"

namespace {

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

// Whether the ring `b`, of the same points as `a`, goes round them the other way.
bool Mirrored(const GridPoint* a, const GridPoint* b, std::size_t count) {
  const GridPoint* start = std::find(b, b + count, a[0]);
  if (start == b + count) return false;
  const std::size_t offset = static_cast<std::size_t>(start - b);
  for (std::size_t i = 1; i < count; ++i) {
    if (a[i] != b[(offset + count - i) % count]) return false;
  }
  return true;
}

// Sorts keys by their upper 32 bits, keeping the order of equal ones: a least-significant-digit
// radix sort, 16 bits a pass.
void SortByHash(std::vector<std::uint64_t>& keys) {
  std::vector<std::uint64_t> other(keys.size());
  for (const int shift : {32, 48}) {
    std::vector<std::size_t> starts(1u << 16, 0);
    for (const std::uint64_t key : keys) ++starts[(key >> shift) & 0xFFFF];
    std::size_t at = 0;
    for (std::size_t& start : starts) at += std::exchange(start, at);
    for (const std::uint64_t key : keys) other[starts[(key >> shift) & 0xFFFF]++] = key;
    keys.swap(other);
  }
}

// Within a run of keys of one hash, ascending by number, each set is compared with the first
// set of every distinct kind before it: almost always a single one.
void FindRepeats(const std::uint64_t* run, std::size_t size, const FaceSet::PointsOf& pointsOf,
                 std::vector<std::uint32_t>& repeats) {
  GridPoint ring[FaceSet::kMaxPoints], kindRing[FaceSet::kMaxPoints];
  GridPoint points[FaceSet::kMaxPoints], kindPoints[FaceSet::kMaxPoints];
  std::vector<std::uint32_t> kinds;
  for (std::size_t k = 0; k < size; ++k) {
    const auto number = static_cast<std::uint32_t>(run[k]);
    const std::size_t count = pointsOf(number, ring);
    std::copy(ring, ring + count, points);
    std::sort(points, points + count);
    const bool repeat = std::any_of(kinds.begin(), kinds.end(), [&](std::uint32_t earlier) {
      if (pointsOf(earlier, kindRing) != count) return false;
      std::copy(kindRing, kindRing + count, kindPoints);
      std::sort(kindPoints, kindPoints + count);
      return std::equal(points, points + count, kindPoints) && !Mirrored(kindRing, ring, count);
    });
    if (repeat) {
      repeats.push_back(number);
    } else {
      kinds.push_back(number);
    }
  }
}

}  // namespace

void FaceSet::Clear(std::size_t expected) {
  keys_.clear();
  keys_.reserve(expected);
}

void FaceSet::Add(const GridPoint* points, std::size_t count, std::uint32_t number) {
  GridPoint sorted[kMaxPoints];
  std::copy(points, points + count, sorted);
  std::sort(sorted, sorted + count);
  keys_.push_back(HashOf(sorted, count) << 32 | number);
}

std::vector<std::uint32_t> FaceSet::TakeRepeats(const PointsOf& pointsOf) {
  SortByHash(keys_);
  std::vector<std::uint32_t> repeats;
  for (std::size_t run = 0, end; run < keys_.size(); run = end) {
    end = run + 1;
    while (end < keys_.size() && keys_[end] >> 32 == keys_[run] >> 32) ++end;
    if (end - run > 1) FindRepeats(&keys_[run], end - run, pointsOf, repeats);
  }
  keys_ = {};
  std::sort(repeats.begin(), repeats.end());
  return repeats;
}
