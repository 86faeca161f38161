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

TexelSize SizeOf(const PlanOptions& options, std::uint32_t material) {
  return material < options.textureSizes.size() ? options.textureSizes[material] : TexelSize{};
}

// Face `number` of the object, rounded as it was when it was added; its count of points (0 when
// it does not round), its material in `material`, and the texels of its points into `texels`
// when it has them (else `texels` is left empty).
// Faces repair cut into pieces may have this many points (more keep no texture mapping).
constexpr std::size_t kMostFacePoints = 256;

std::size_t RoundedFace(const MapSource& source, const PlanOptions& options, const MapBrush& brush,
                        std::uint32_t number, GridPoint* out, std::uint32_t& material,
                        std::vector<Texel>* texels = nullptr, std::size_t capacity = BrushRepair::kMaxPoints) {
  MapPoint points[kMostFacePoints];
  ModelPoint relative[kMostFacePoints];
  ModelUv uvs[kMostFacePoints];
  const SourceFace face = source.Face(brush.object, number, points, capacity, texels ? uvs : nullptr);
  material = face.material;
  for (std::size_t i = 0; i < face.count; ++i) relative[i] = RelativeTo(face.points[i], brush.location);
  if (!BrushRepair::RoundFace(relative, face.count, out)) return 0;
  const TexelSize size = SizeOf(options, material);
  if (texels) {
    texels->clear();
    if (face.uvs && size.Known()) {
      for (std::size_t i = 0; i < face.count; ++i) texels->push_back(TexelOf(face.uvs[i], size));
    }
  }
  return face.count;
}

// Reads the polygons of a planned brush, with the texels of their points.
class WrittenPolygons {
 public:
  WrittenPolygons(const MapSource& source, const PlanOptions& options, const MapBrush& brush)
      : source_(source), options_(options), brush_(brush) {}

  /// Polygon `written` (an entry of the brush's written list) into `out`.
  void Read(std::uint32_t written, WrittenPolygon& out) {
    out.texels.clear();
    if (!(written & kStoredPolygon)) {
      out.points.resize(BrushRepair::kMaxPoints);
      out.points.resize(RoundedFace(source_, options_, brush_, written, out.points.data(), out.material, &out.texels));
      out.size = SizeOf(options_, out.material);
      return;
    }
    const RepairedBrush& repaired = brush_.repaired;
    const RepairedPolygon& polygon = repaired.polygons[written & ~kStoredPolygon];
    out.points.assign(repaired.points.begin() + polygon.first,
                      repaired.points.begin() + polygon.first + polygon.count);
    out.material = polygon.source;
    out.size = SizeOf(options_, out.material);
    // A piece of a face: each of its points has the texel of the face's point it is.
    facePoints_.resize(kMostFacePoints);
    std::uint32_t material = 0;
    const std::size_t count = RoundedFace(source_, options_, brush_, polygon.face, facePoints_.data(), material,
                                          &faceTexels_, kMostFacePoints);
    if (faceTexels_.empty()) return;
    const auto end = facePoints_.begin() + static_cast<std::ptrdiff_t>(count);
    for (const GridPoint& p : out.points) {
      const auto at = std::find(facePoints_.begin(), end, p);
      if (at == end) {
        out.texels.clear();
        return;
      }
      out.texels.push_back(faceTexels_[static_cast<std::size_t>(at - facePoints_.begin())]);
    }
  }

 private:
  const MapSource& source_;
  const PlanOptions& options_;
  const MapBrush& brush_;
  std::vector<GridPoint> facePoints_;
  std::vector<Texel> faceTexels_;
};

// Makes the repaired brush a solid, or (raw) judges it as it is.
void MakeSolid(const MapSource& source, const PlanOptions& options, MapBrush& brush,
               SolidCounts& counts, const WorkProgress& progress) {
  const RepairedBrush& repaired = brush.repaired;
  WrittenPolygons polygons(source, options, brush);
  const WrittenPolygonReader read = [&](std::uint32_t written, WrittenPolygon& out) {
    polygons.Read(written, out);
  };
  if (options.raw) {
    if (options.judgeRaw) brush.shape = JudgeBrush(repaired, read);
    return;
  }
  std::vector<ModelPoint> relative;
  const SourceFaceVisitor faces = [&](const auto& visit) {
    source.VisitFaces(brush.object, [&](const SourceFace& face) {
      relative.resize(face.count);
      for (std::size_t i = 0; i < face.count; ++i) relative[i] = RelativeTo(face.points[i], brush.location);
      visit(relative.data(), face.count);
    });
  };
  brush.shape = SolidifyBrush(brush.repaired, read, faces, {options.hull, options.huller, progress}, counts);
  if (brush.shape.hulled) brush.materials = WrittenMaterials(source, brush);
}

// `progress` hears the share of the brush done: reading its faces, then making it solid (nearly
// all of the time), or with `raw` the faces alone.
MapBrush PlanBrush(const MapSource& source, std::size_t object, const PlanOptions& options,
                   const WorkProgress& progress, BrushRepair& repair, SolidCounts& solid) {
  const double facesShare = options.raw ? 1.0 : 0.05;
  const std::size_t faceCount = source.FaceCount(object);
  std::size_t facesRead = 0;
  MapBrush brush;
  brush.sourceName = source.ObjectName(object);
  brush.object = object;
  brush.location =
      options.pivot == Pivot::Center ? Centre(ObjectBounds(source, object)) : GridPoint{0, 0, 0};
  // Faces written as they are stay in the source: read again, they round as they did.
  const auto reread = [&](std::uint32_t number, GridPoint* out) -> std::size_t {
    std::uint32_t material = 0;
    return RoundedFace(source, options, brush, number, out, material);
  };
  std::vector<ModelPoint> relative;
  std::vector<Texel> texels;
  repair.StartBrush(faceCount, reread);
  source.VisitFaces(object, [&](const SourceFace& face) {
    if (progress && facesRead++ % (1u << 14) == 0) progress(facesShare * static_cast<double>(facesRead) / static_cast<double>(faceCount));
    relative.resize(face.count);
    for (std::size_t i = 0; i < face.count; ++i) relative[i] = RelativeTo(face.points[i], brush.location);
    const TexelSize size = SizeOf(options, face.material);
    const bool mapped = !options.raw && face.uvs && size.Known();
    if (mapped) {
      texels.resize(face.count);
      for (std::size_t i = 0; i < face.count; ++i) texels[i] = TexelOf(face.uvs[i], size);
    }
    const bool added = options.raw ? repair.AddFaceAsIs(relative.data(), face.count, face.material)
                                   : repair.AddFace(relative.data(), face.count, face.material,
                                                    mapped ? texels.data() : nullptr, size);
    if (added) AddMaterial(brush.materials, face.material);
  });
  const bool repeatsTakenOut = repair.FinishBrush() > 0;
  brush.repaired = repair.TakeBrush();
  if (repeatsTakenOut) brush.materials = WrittenMaterials(source, brush);
  MakeSolid(source, options, brush, solid,
            [&](double share) { progress(facesShare + (1 - facesShare) * share); });
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
  std::size_t allFaces = 0, facesPlanned = 0;
  for (std::size_t object = 0; object < source.ObjectCount(); ++object) allFaces += source.FaceCount(object);
  for (std::size_t object = 0; object < source.ObjectCount(); ++object) {
    const std::size_t faces = source.FaceCount(object);
    const WorkProgress progress = [&](double share) {
      if (options.progress && allFaces > 0) options.progress((static_cast<double>(facesPlanned) + share * static_cast<double>(faces)) /
                       static_cast<double>(allFaces));
    };
    MapBrush brush = PlanBrush(source, object, options, progress, repair, plan.solid);
    facesPlanned += faces;
    plan.pointAndLineFaces += source.PointAndLineFaces(object);
    if (brush.PolygonCount() == 0) continue;
    brush.name = names.ActorName(brush.sourceName);
    plan.brushes.push_back(std::move(brush));
  }
  plan.counts = repair.Counts();
  // Making brushes solid merges polygons, and a hull has polygons of its own.
  plan.counts.polygons = 0;
  for (const MapBrush& brush : plan.brushes) plan.counts.polygons += brush.PolygonCount();
  plan.renamings = names.Renamings();
  return plan;
}

bool PolygonMapping(const MapSource& source, const PlanOptions& options, const MapBrush& brush,
                    std::size_t index, TextureMapping& mapping) {
  const std::uint32_t written = brush.repaired.written[index];
  if ((written & kStoredPolygon) && !options.raw) {
    // Made solid: a stored polygon carries its mapping.
    const RepairedPolygon& polygon = brush.repaired.polygons[written & ~kStoredPolygon];
    if (polygon.mapping == kNoMapping) return false;
    mapping = brush.repaired.mappings[polygon.mapping];
    return true;
  }
  WrittenPolygons polygons(source, options, brush);
  WrittenPolygon polygon;
  polygons.Read(written, polygon);
  return !polygon.texels.empty() &&
         FitMapping(polygon.points.data(), polygon.texels.data(), polygon.points.size(), polygon.size, mapping);
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
