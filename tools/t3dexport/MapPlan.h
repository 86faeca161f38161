// The map as it will be written: one brush per object of the source, placed on the whole-unit
// grid, its faces repaired, its name and its textures made safe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "KXGeometry.h"
#include "MapNames.h"
#include "MapSource.h"
#include "PolygonRepair.h"
#include "ToolOptions.h"

/// One brush: its Location in map axes and whole map units, and its polygons relative to it, as
/// the host serves them to the plug-in. The plug-in writes a point (x, y, z) as (x, -y, z) and a
/// polygon's points last first; so each point here has its Y negated and each polygon keeps the
/// model's order, and the written polygon faces the way its written normal points (the map
/// readers' convention, as in the builder brush).
struct MapBrush {
  std::string name;        ///< safe and unique in the map
  std::string sourceName;  ///< as the source named the object
  GridPoint location;
  std::vector<TKXVector3> points;      ///< whole numbers, every polygon's one after another
  std::vector<std::uint32_t> starts;   ///< polygon i: points[starts[i]] to points[starts[i + 1] - 1]
  std::vector<TKXVector3> normals;     ///< one per polygon, Y negated like the points
  std::vector<std::int16_t> domains;   ///< one per polygon: the index of its material

  std::size_t PolygonCount() const { return normals.size(); }
};

struct MapPlan {
  std::vector<MapBrush> brushes;
  std::vector<std::string> textures;  ///< the texture name of each material of the source
  RepairCounts counts;                 ///< over every brush
  std::uint64_t pointAndLineFaces = 0;
  std::vector<Renaming> renamings;

  std::uint64_t Polygons() const { return counts.polygons; }
};

struct PlanOptions {
  Pivot pivot = Pivot::Center;
  bool raw = false;
  /// The texture of a material that names neither a texture file nor itself.
  std::string defaultTexture = "Default";
};

/// Plans the map of `source`: for each object a brush whose Location is the centre of its
/// bounding box rounded to whole units (Pivot::Center) or 0, and whose faces, taken relative to
/// it, are repaired (or, `raw`, only rounded).
MapPlan PlanMap(const MapSource& source, const PlanOptions& options);

/// The largest extent, along any map axis, of the points of every face of `source` that are
/// finite; 0 when there are none.
double SourceExtent(const MapSource& source);
