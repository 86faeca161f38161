// How a brush actor of a map stands in a CSG rebuild: counted among the map's brushes, solids,
// closed and convex ones, with a warning for what would make the rebuild leak or cut wrongly.
#pragma once

#include <cstdint>

#include "MapActor.h"

class MapReport;

/// What a rebuild makes of one actor.
struct BrushVerdict {
  bool brush = false;      ///< a brush of the CSG (Class=Brush), builder brush included
  bool builder = false;    ///< the builder brush
  bool solid = false;      ///< not non-solid, semisolid or a sheet
  bool closed = false;     ///< of a solid: every edge has exactly one partner running the other way
  bool insideOut = false;  ///< of a closed solid: its polygons face inward
  bool convex = false;     ///< of a solid: no point farther than 0.1 in front of any polygon
};

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
  BrushVerdict Take(const MapActor& actor);
  const BrushCounts& Counts() const { return counts_; }

 private:
  void JudgeSolid(const MapActor& actor, BrushVerdict& verdict);

  MapReport& report_;
  BrushCounts counts_;
  bool builderSeen_ = false;
};
