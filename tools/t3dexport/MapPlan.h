// The map as it will be written: one brush per object of the source, placed on the whole-unit
// grid, its faces repaired, its name and its textures made safe. A face that is written as it is
// stays where the source keeps it; only the polygons the repair changed are stored here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MapNames.h"
#include "MapSource.h"
#include "PolygonRepair.h"
#include "SolidBrush.h"
#include "Placement.h"

/// One brush: its Location in map axes and whole map units, and its polygons relative to it.
struct MapBrush {
  std::string name;        ///< safe and unique in the map
  std::string sourceName;  ///< as the source named the object
  std::size_t object = 0;  ///< the source's object
  GridPoint location{0, 0, 0};
  /// Its polygons in the order they are written: faces of the object kept as they are, and the
  /// polygons the repair changed, with their points relative to the Location; a stored
  /// polygon's `source` is its material.
  RepairedBrush repaired;
  /// The materials its polygons use, each once, in ascending order.
  std::vector<std::uint32_t> materials;
  /// How it stands in a rebuild.
  SolidShape shape;

  std::size_t PolygonCount() const { return repaired.written.size(); }
};

struct MapPlan {
  std::vector<MapBrush> brushes;
  std::vector<std::string> textures;  ///< the texture name of each material of the source
  RepairCounts counts;                 ///< over every brush
  SolidCounts solid;                   ///< what making the brushes solid did
  std::uint64_t pointAndLineFaces = 0;
  std::vector<Renaming> renamings;

  std::uint64_t Polygons() const { return counts.polygons; }
};

struct PlanOptions {
  Pivot pivot = Pivot::Center;
  bool raw = false;
  /// The texture of a material that names neither a texture file nor itself.
  std::string defaultTexture = "Default";
  /// Every brush the convex hull of its points.
  bool hull = false;
  /// Makes convex hulls; without one, no brush becomes a hull.
  const ConvexHuller* huller = nullptr;
  /// Judge raw brushes too (what --list shows); made solid, a brush is always judged.
  bool judgeRaw = false;
  /// The size in the editor of each material's texture, where it has one: faces with texture
  /// coordinates on such a material keep the model's mapping.
  std::vector<TexelSize> textureSizes;
  /// Hears how much of the planning is done, by the faces of the brushes planned.
  WorkProgress progress;
};

/// Plans the map of `source` (which must outlive the plan): for each object a brush whose
/// Location is the centre of its bounding box rounded to whole units (Pivot::Center) or 0, and
/// whose faces, taken relative to it, are repaired and made a solid (or, `raw`, only rounded).
MapPlan PlanMap(const MapSource& source, const PlanOptions& options);

/// The point `p` relative to `location`, as repair and the host both take it.
ModelPoint RelativeTo(const MapPoint& p, const GridPoint& location);

/// The texel of a model's texture coordinate in a texture of `size`: t grows down the image,
/// v up.
inline Texel TexelOf(const ModelUv& uv, const TexelSize& size) {
  return {uv.u * size.width, (1 - uv.v) * size.height};
}

/// The texture mapping polygon `index` (in written order) of `brush` carries, as the model maps
/// it; false where it keeps the world-aligned one (no texture coordinates or no texture, or
/// texels no one mapping gives its points).
bool PolygonMapping(const MapSource& source, const PlanOptions& options, const MapBrush& brush,
                    std::size_t index, TextureMapping& mapping);

/// The largest extent, along any map axis, of the points of every face of `source` that are
/// finite; 0 when there are none.
double SourceExtent(const MapSource& source);
