#include "ConvexSplit.h"

namespace {

// True when a vertex strictly between `from` and `to` (going round `rest`) lies off the chord
// between them, so the piece they bound has area.
bool EnclosesArea(const Point2* ring, const std::vector<std::uint32_t>& rest, std::size_t from,
                  std::size_t to) {
  const std::size_t m = rest.size();
  const Point2 a = ring[rest[from]], b = ring[rest[to]];
  for (std::size_t t = (from + 1) % m; t != to; t = (t + 1) % m) {
    if (Orient(a, b, ring[rest[t]]) != 0) return true;
  }
  return false;
}

// Finds a chord from rest[start] over `span` vertices that leaves area on both sides, the
// longest span up to `limit` - 1 first; false when there is none.
bool FindChord(const Point2* ring, const std::vector<std::uint32_t>& rest, std::size_t limit,
               std::size_t& start, std::size_t& span) {
  const std::size_t m = rest.size();
  for (start = 0; start < m; ++start) {
    for (span = limit - 1; span >= 2; --span) {
      const std::size_t end = (start + span) % m;
      if (EnclosesArea(ring, rest, start, end) && EnclosesArea(ring, rest, end, start)) {
        return true;
      }
    }
  }
  return false;
}

void AddPiece(const std::vector<std::uint32_t>& rest, std::size_t start, std::size_t length,
              ConvexPieces& pieces) {
  for (std::size_t k = 0; k < length; ++k)
    pieces.indices.push_back(rest[(start + k) % rest.size()]);
  pieces.sizes.push_back(static_cast<std::uint32_t>(length));
}

}  // namespace

bool SplitConvex(const Point2* ring, std::size_t count, std::size_t limit, ConvexPieces& pieces) {
  pieces.indices.clear();
  pieces.sizes.clear();
  std::vector<std::uint32_t> rest(count);
  for (std::size_t i = 0; i < count; ++i) rest[i] = static_cast<std::uint32_t>(i);
  while (rest.size() > limit) {
    std::size_t start = 0, span = 0;
    if (!FindChord(ring, rest, limit, start, span)) return false;
    AddPiece(rest, start, span + 1, pieces);
    // What is left runs from the chord's far end round to its start.
    std::vector<std::uint32_t> left;
    left.reserve(rest.size() - span + 1);
    for (std::size_t k = 0; k <= rest.size() - span; ++k) {
      left.push_back(rest[(start + span + k) % rest.size()]);
    }
    rest.swap(left);
  }
  AddPiece(rest, 0, rest.size(), pieces);
  return true;
}
