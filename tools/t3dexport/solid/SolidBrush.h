// A repaired brush made a solid a CSG rebuild can trust: points shared by position, no
// T-junction, polygons wound one way and outward, neighbours in one plane merged, and a convex
// model kept convex.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "ConvexHuller.h"
#include "CoplanarMerge.h"
#include "PolygonRepair.h"

/// How a brush stands in a rebuild.
struct SolidShape {
  bool judged = false;           ///< whether the rest says anything
  bool closed = false;           ///< every edge has exactly one partner running the other way
  bool convex = false;           ///< no point farther than 0.1 in front of any polygon's plane
  std::uint64_t openEdges = 0;   ///< edges without a partner
  bool hulled = false;           ///< made the convex hull of its points
  bool flat = false;             ///< no hull: its points span no volume
};

/// What making brushes solid did, over every brush.
struct SolidCounts {
  std::uint64_t folds = 0;      ///< polygons taken out as folds or second sides of sheets
  std::uint64_t merged = 0;     ///< polygons merged into their neighbours
  std::uint64_t pieces = 0;     ///< pieces beyond the first of polygons cut to sixteen points
  std::uint64_t turned = 0;     ///< polygons turned to face the way their neighbours, and outward
  std::uint64_t junctions = 0;  ///< points put into edges they lay on
  std::uint64_t hulled = 0;     ///< brushes made the convex hull of their points
};

struct SolidOptions {
  /// Every brush becomes the convex hull of its points.
  bool hull = false;
  /// Makes hulls; without one, no brush is hulled.
  const ConvexHuller* huller = nullptr;
  /// Hears how far making one brush solid is: on a model of millions of faces, seconds.
  WorkProgress progress;
};

/// A polygon of a repaired brush: its points as stored, in whole units, its material, and the
/// texels of its points in a texture of `size`, when it has them.
struct WrittenPolygon {
  std::vector<GridPoint> points;
  std::uint32_t material = 0;
  std::vector<Texel> texels;
  TexelSize size;
};

/// Reads polygon `written` of a repaired brush (an entry of RepairedBrush::written) into `out`.
using WrittenPolygonReader = std::function<void(std::uint32_t written, WrittenPolygon& out)>;
/// Calls its argument with the points of each face the brush was made from, before rounding.
using SourceFaceVisitor =
    std::function<void(const std::function<void(const ModelPoint* points, std::size_t count)>&)>;

/// Makes `brush` solid: its polygons, stored as the host serves them (written last first), read
/// through `read`. Polygons it leaves as they were keep their entries; the rest are stored, with
/// the texture mapping of the faces they came from (neighbours merge only where they share one).
SolidShape SolidifyBrush(RepairedBrush& brush, const WrittenPolygonReader& read,
                         const SourceFaceVisitor& faces, const SolidOptions& options,
                         SolidCounts& counts);

/// How `brush` stands in a rebuild, as it is.
SolidShape JudgeBrush(const RepairedBrush& brush, const WrittenPolygonReader& read);
