#include "MapPlan.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <limits>

namespace {

constexpr std::int16_t kNoMaterial = -1;

// The importer's stand-in for a model without materials is no material of the model's.
bool IsStandInMaterial(const std::string& name) { return name == "DefaultMaterial"; }

// The bounding box of the finite points of some faces.
struct Bounds {
  double low[3] = {std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::infinity()};
  double high[3] = {-std::numeric_limits<double>::infinity(),
                    -std::numeric_limits<double>::infinity(),
                    -std::numeric_limits<double>::infinity()};

  void Add(const MapPoint& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return;
    const double c[3] = {p.x, p.y, p.z};
    for (int i = 0; i < 3; ++i) {
      low[i] = std::min(low[i], c[i]);
      high[i] = std::max(high[i], c[i]);
    }
  }
  bool Empty() const { return low[0] > high[0]; }
  double Extent() const {
    if (Empty()) return 0;
    return std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
  }
};

Bounds ObjectBounds(const MapSource& source, std::size_t object) {
  Bounds bounds;
  source.VisitFaces(object, [&](const SourceFace& face) {
    for (std::size_t i = 0; i < face.count; ++i) bounds.Add(face.points[i]);
  });
  return bounds;
}

// The centre of the box on the whole-unit grid, halves away from zero as the writer rounds; a
// centre beyond the grid stays at 0, and those faces are dropped as out of range.
GridPoint Centre(const Bounds& bounds) {
  GridPoint centre{0, 0, 0};
  if (bounds.Empty()) return centre;
  std::int32_t* axes[3] = {&centre.x, &centre.y, &centre.z};
  for (int i = 0; i < 3; ++i) {
    const double middle = std::round((bounds.low[i] + bounds.high[i]) / 2);
    if (std::fabs(middle) <= kGridLimit) *axes[i] = static_cast<std::int32_t>(middle);
  }
  return centre;
}

// The repaired polygons as the host serves them. A polygon's points in the model's order have
// Newell's normal N in map axes; the plug-in writes them last first, which faces -N, so the
// written normal is -N; served with Y negated, that is (-N.x, N.y, -N.z).
void ServeBrush(const BrushRepair& repair, MapBrush& brush) {
  const std::vector<GridPoint>& points = repair.Points();
  brush.points.reserve(points.size());
  for (const GridPoint& p : points) {
    brush.points.push_back({static_cast<float>(p.x), static_cast<float>(-p.y),
                            static_cast<float>(p.z)});
  }
  const std::vector<RepairedPolygon>& polygons = repair.Polygons();
  brush.starts.reserve(polygons.size() + 1);
  brush.normals.reserve(polygons.size());
  brush.domains.reserve(polygons.size());
  for (const RepairedPolygon& polygon : polygons) {
    brush.starts.push_back(polygon.first);
    brush.normals.push_back({-polygon.normal.x, polygon.normal.y, -polygon.normal.z});
    // Materials beyond the 16-bit domains get none, and so the default texture.
    const bool fits = polygon.source <= static_cast<std::uint32_t>(INT16_MAX);
    brush.domains.push_back(fits ? static_cast<std::int16_t>(polygon.source) : kNoMaterial);
  }
  brush.starts.push_back(static_cast<std::uint32_t>(points.size()));
}

MapBrush PlanBrush(const MapSource& source, std::size_t object, const PlanOptions& options,
                   BrushRepair& repair) {
  MapBrush brush;
  brush.sourceName = source.ObjectName(object);
  brush.location =
      options.pivot == Pivot::Center ? Centre(ObjectBounds(source, object)) : GridPoint{0, 0, 0};
  std::vector<ModelPoint> relative;
  repair.StartBrush();
  source.VisitFaces(object, [&](const SourceFace& face) {
    relative.resize(face.count);
    for (std::size_t i = 0; i < face.count; ++i) {
      relative[i] = {face.points[i].x - brush.location.x, face.points[i].y - brush.location.y,
                     face.points[i].z - brush.location.z};
    }
    if (options.raw) {
      repair.AddFaceAsIs(relative.data(), face.count, face.material);
    } else {
      repair.AddFace(relative.data(), face.count, face.material);
    }
  });
  ServeBrush(repair, brush);
  return brush;
}

}  // namespace

MapPlan PlanMap(const MapSource& source, const PlanOptions& options) {
  MapPlan plan;
  MapNames names;
  for (std::size_t m = 0; m < source.MaterialCount(); ++m) {
    std::string name = source.MaterialName(m);
    if (name.empty() || IsStandInMaterial(name)) name = options.defaultTexture;
    plan.textures.push_back(names.TextureName(source.MaterialTexture(m), name));
  }
  BrushRepair repair;
  for (std::size_t object = 0; object < source.ObjectCount(); ++object) {
    MapBrush brush = PlanBrush(source, object, options, repair);
    plan.pointAndLineFaces += source.PointAndLineFaces(object);
    if (brush.PolygonCount() == 0) continue;
    brush.name = names.ActorName(brush.sourceName);
    plan.brushes.push_back(std::move(brush));
  }
  plan.counts = repair.Counts();
  plan.renamings = names.Renamings();
  return plan;
}

double SourceExtent(const MapSource& source) {
  Bounds bounds;
  for (std::size_t object = 0; object < source.ObjectCount(); ++object) {
    source.VisitFaces(object, [&](const SourceFace& face) {
      for (std::size_t i = 0; i < face.count; ++i) bounds.Add(face.points[i]);
    });
  }
  return bounds.Extent();
}
