// Cuts a polygon into triangles by clipping ears in the plane it is projected on.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "GridGeometry.h"

/// Three indices into the ring that was cut, in the ring's order.
using RingTriangle = std::array<std::uint32_t, 3>;

/// Ear clipping on exact grid coordinates. A simple ring (straight vertices included) is cut
/// into triangles that cover it exactly, each turning left; a ring that crosses or touches
/// itself, or folds over, still ends in count - 2 triangles, some of which may turn right or not
/// at all. Either way each edge of the ring lies in exactly one triangle and each cut in two,
/// running opposite ways, so the triangles of a face meet its neighbours as the face did. Keeps
/// its memory from one ring to the next.
class EarClipper {
 public:
  /// Cuts the ring `points[0..count)` (count >= 3), which turns left in all, and puts its
  /// triangles in `triangles` (cleared first).
  void Clip(const Point2* points, std::size_t count, std::vector<RingTriangle>& triangles);

 private:
  std::int64_t Turn(std::uint32_t i) const;
  bool IsEar(std::uint32_t i) const;
  bool InsideOrOn(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t p) const;
  void Cut(std::uint32_t i, std::vector<RingTriangle>& triangles);
  void Unlink(std::uint32_t i);
  std::uint32_t ForceCut(std::uint32_t start, std::vector<RingTriangle>& triangles);

  const Point2* points_ = nullptr;
  std::vector<std::uint32_t> prev_;
  std::vector<std::uint32_t> next_;
};
