// How a brush actor of a map stands in a CSG rebuild: counted among the map's brushes, solids,
// closed and convex ones, with a warning for what would make the rebuild leak or cut wrongly.
#pragma once

#include <cstdint>

#include "MapActor.h"

class MapReport;

struct BrushCounts {
  std::uint64_t brushes = 0;  ///< brush actors other than the builder brush
  std::uint64_t solid = 0;    ///< of those, the solids
  std::uint64_t closed = 0;   ///< of the solids, those closed
  std::uint64_t convex = 0;   ///< of the solids, those convex
};

class BrushCheck {
 public:
  /// Two points this close are one.
  static constexpr double kSamePoint = 0.015;
  /// How far a point may lie in front of a polygon's plane in a convex brush.
  static constexpr double kConvexTolerance = 0.1;

  explicit BrushCheck(MapReport& report) : report_(report) {}

  /// Takes the map's actors in order; only brushes count.
  void Take(const MapActor& actor);
  const BrushCounts& Counts() const { return counts_; }

 private:
  void JudgeSolid(const MapActor& actor);

  MapReport& report_;
  BrushCounts counts_;
  bool builderSeen_ = false;
};
