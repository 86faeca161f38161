// An actor of a map as the reader hands it on: its class and name, what places its brush, and
// the brush's polygons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MapGeometry.h"

/// Where an actor's brush goes: its points are scaled by MainScale about PrePivot, rotated,
/// scaled by PostScale and moved to Location, as editors place a brush.
struct MapPlacement {
  MapVector location{0, 0, 0};
  /// Pitch, yaw and roll in 65536ths of a turn.
  MapVector rotation{0, 0, 0};
  MapVector mainScale{1, 1, 1};
  MapVector postScale{1, 1, 1};
  MapVector prePivot{0, 0, 0};
};

/// A polygon of the brush whose every vertex was read: a run of MapActor::vertices.
struct MapBrushPolygon {
  std::uint32_t line;
  std::uint32_t first;
  std::uint32_t count;
};

struct MapActor {
  /// PolyFlags bits of a brush that takes no part as a solid.
  static constexpr std::uint64_t kNonSolid = 8;
  static constexpr std::uint64_t kSemisolid = 32;

  std::uint32_t line = 0;  ///< of its Begin Actor line
  std::string className;
  std::string name;
  std::string csgOper;       ///< empty when it has none
  std::uint64_t polyFlags = 0;
  MapPlacement placement;
  std::size_t polygonBlocks = 0;  ///< polygons of its brush, read or not
  std::vector<MapVector> vertices;
  std::vector<MapBrushPolygon> polygons;

  /// Whether its class is Brush (or a class path that ends in it): a brush of the CSG.
  bool IsBrush() const;
  /// Whether its brush is a solid: not non-solid, not semisolid, not a sheet of one polygon.
  bool IsSolid() const {
    return (polyFlags & (kNonSolid | kSemisolid)) == 0 && polygonBlocks > 1;
  }
};
