#include "MapPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

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

void AddMaterial(std::vector<std::uint32_t>& materials, std::uint32_t material) {
  const auto at = std::lower_bound(materials.begin(), materials.end(), material);
  if (at == materials.end() || *at != material) materials.insert(at, material);
}

// The materials of the polygons written, when a face that brought a material was taken out as
// a repeat.
std::vector<std::uint32_t> WrittenMaterials(const MapSource& source, const MapBrush& brush) {
  std::vector<std::uint32_t> materials;
  MapPoint points[BrushRepair::kMaxPoints];
  for (const std::uint32_t written : brush.repaired.written) {
    AddMaterial(materials, written & kStoredPolygon
                               ? brush.repaired.polygons[written & ~kStoredPolygon].source
                               : source.Face(brush.object, written, points, BrushRepair::kMaxPoints).material);
  }
  return materials;
}

MapBrush PlanBrush(const MapSource& source, std::size_t object, const PlanOptions& options,
                   BrushRepair& repair) {
  MapBrush brush;
  brush.sourceName = source.ObjectName(object);
  brush.object = object;
  brush.location =
      options.pivot == Pivot::Center ? Centre(ObjectBounds(source, object)) : GridPoint{0, 0, 0};
  // Faces written as they are stay in the source: read again, they round as they did.
  const auto reread = [&](std::uint32_t number, GridPoint* out) -> std::size_t {
    MapPoint points[BrushRepair::kMaxPoints];
    ModelPoint relative[BrushRepair::kMaxPoints];
    const SourceFace face = source.Face(object, number, points, BrushRepair::kMaxPoints);
    for (std::size_t i = 0; i < face.count; ++i) relative[i] = RelativeTo(face.points[i], brush.location);
    return BrushRepair::RoundFace(relative, face.count, out) ? face.count : 0;
  };
  std::vector<ModelPoint> relative;
  repair.StartBrush(source.FaceCount(object), reread);
  source.VisitFaces(object, [&](const SourceFace& face) {
    relative.resize(face.count);
    for (std::size_t i = 0; i < face.count; ++i) relative[i] = RelativeTo(face.points[i], brush.location);
    const bool added = options.raw ? repair.AddFaceAsIs(relative.data(), face.count, face.material)
                                   : repair.AddFace(relative.data(), face.count, face.material);
    if (added) AddMaterial(brush.materials, face.material);
  });
  const bool repeatsTakenOut = repair.FinishBrush() > 0;
  brush.repaired = repair.TakeBrush();
  if (repeatsTakenOut) brush.materials = WrittenMaterials(source, brush);
  return brush;
}

}  // namespace

ModelPoint RelativeTo(const MapPoint& p, const GridPoint& location) {
  return {p.x - location.x, p.y - location.y, p.z - location.z};
}

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
