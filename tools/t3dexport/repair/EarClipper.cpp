#include "EarClipper.h"

void EarClipper::Clip(const Point2* points, std::size_t count,
                      std::vector<RingTriangle>& triangles) {
  triangles.clear();
  points_ = points;
  prev_.resize(count);
  next_.resize(count);
  const auto n = static_cast<std::uint32_t>(count);
  for (std::uint32_t i = 0; i < n; ++i) {
    prev_[i] = i == 0 ? n - 1 : i - 1;
    next_[i] = i + 1 == n ? 0 : i + 1;
  }
  std::size_t remaining = count;
  std::size_t misses = 0;
  std::uint32_t i = 0;
  while (remaining > 3) {
    if (IsEar(i)) {
      const std::uint32_t before = prev_[i];
      Cut(i, triangles);
      i = before;
      misses = 0;
      --remaining;
    } else if (++misses < remaining) {
      i = next_[i];
    } else {
      i = ForceCut(i, triangles);
      misses = 0;
      --remaining;
    }
  }
  triangles.push_back({prev_[i], i, next_[i]});
}

std::int64_t EarClipper::Turn(std::uint32_t i) const {
  return Orient(points_[prev_[i]], points_[i], points_[next_[i]]);
}

bool EarClipper::IsEar(std::uint32_t i) const {
  if (Turn(i) <= 0) return false;
  const std::uint32_t a = prev_[i], c = next_[i];
  // A point on the cut (or on a corner) is as bad as one inside: cutting there would leave a
  // ring that touches itself.
  for (std::uint32_t p = next_[c]; p != a; p = next_[p]) {
    if (InsideOrOn(a, i, c, p)) return false;
  }
  return true;
}

bool EarClipper::InsideOrOn(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                            std::uint32_t p) const {
  const Point2 q = points_[p];
  return Orient(points_[a], points_[b], q) >= 0 && Orient(points_[b], points_[c], q) >= 0 &&
         Orient(points_[c], points_[a], q) >= 0;
}

void EarClipper::Cut(std::uint32_t i, std::vector<RingTriangle>& triangles) {
  triangles.push_back({prev_[i], i, next_[i]});
  Unlink(i);
}

void EarClipper::Unlink(std::uint32_t i) {
  next_[prev_[i]] = next_[i];
  prev_[next_[i]] = prev_[i];
}

// No ear anywhere: the ring crosses or touches itself, or folds over in the plane it is seen in.
// Cut off a vertex that encloses nothing (a straight one or a spike) if there is one, else the
// first left turn whatever lies in it, else `start`; each step leaves one vertex fewer, so
// clipping ends. Every vertex is cut off with its triangle, so each edge of the ring belongs to
// exactly one triangle and each cut to two, running opposite ways.
std::uint32_t EarClipper::ForceCut(std::uint32_t start, std::vector<RingTriangle>& triangles) {
  std::uint32_t chosen = start;
  std::uint32_t i = start;
  bool leftTurnSeen = false;
  do {
    const std::int64_t turn = Turn(i);
    if (turn == 0) {
      chosen = i;
      break;
    }
    if (turn > 0 && !leftTurnSeen) {
      chosen = i;
      leftTurnSeen = true;
    }
    i = next_[i];
  } while (i != start);
  const std::uint32_t before = prev_[chosen];
  Cut(chosen, triangles);
  return before;
}
