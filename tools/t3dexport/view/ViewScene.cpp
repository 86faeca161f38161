#include "ViewScene.h"

#include <algorithm>
#include <cmath>

#include "BrushCheck.h"
#include "MapChecker.h"
#include "MapText.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

BrushKind KindOf(const MapActor& actor, const BrushVerdict& verdict) {
  if (verdict.builder) return BrushKind::kBuilder;
  if (actor.polyFlags & MapActor::kNonSolid) return BrushKind::kNonSolid;
  if (actor.polyFlags & MapActor::kSemisolid) return BrushKind::kSemisolid;
  if (!verdict.brush) return BrushKind::kOther;
  if (SameMapWord(actor.csgOper, "CSG_Add")) return BrushKind::kAdditive;
  if (SameMapWord(actor.csgOper, "CSG_Subtract")) return BrushKind::kSubtractive;
  return BrushKind::kOther;
}

// A brush's point in the world, as editors place it: less the PrePivot, scaled by MainScale,
// turned by roll, pitch and yaw (65536 to a turn), scaled by PostScale, moved to Location.
class Placement {
 public:
  explicit Placement(const MapPlacement& p) : p_(p) {
    const double turn = 2 * kPi / 65536;
    for (int i = 0; i < 3; ++i) {
      const double angle = (i == 0 ? p.rotation.x : i == 1 ? p.rotation.y : p.rotation.z) * turn;
      cos_[i] = std::cos(angle);
      sin_[i] = std::sin(angle);
    }
  }

  MapVector operator()(const MapVector& v) const {
    double x = (v.x - p_.prePivot.x) * p_.mainScale.x, y = (v.y - p_.prePivot.y) * p_.mainScale.y,
           z = (v.z - p_.prePivot.z) * p_.mainScale.z;
    Rotate(y, z, cos_[2], sin_[2]);  // roll, about X
    Rotate(x, z, cos_[0], sin_[0]);  // pitch, about Y
    Rotate(x, y, cos_[1], sin_[1]);  // yaw, about Z
    return {x * p_.postScale.x + p_.location.x, y * p_.postScale.y + p_.location.y,
            z * p_.postScale.z + p_.location.z};
  }

 private:
  static void Rotate(double& a, double& b, double c, double s) {
    const double ra = a * c - b * s;
    b = a * s + b * c;
    a = ra;
  }

  MapPlacement p_;
  double cos_[3] = {}, sin_[3] = {};
};

ViewPoint ToView(const MapVector& v) {
  return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

void AddActor(const MapActor& actor, const BrushVerdict& verdict, ViewScene& scene) {
  if (actor.polygons.empty()) return;
  const Placement place(actor.placement);
  ViewBrush brush;
  brush.name = actor.name;
  brush.kind = KindOf(actor, verdict);
  brush.warned = verdict.solid && (!verdict.closed || verdict.insideOut);
  brush.closed = verdict.solid && verdict.closed && !verdict.insideOut;
  const auto index = static_cast<std::uint32_t>(scene.brushes.size());
  MapVector sum{0, 0, 0};
  double points = 0;
  std::vector<MapVector> world;
  for (const MapBrushPolygon& polygon : actor.polygons) {
    world.clear();
    for (std::uint32_t k = 0; k < polygon.count; ++k) world.push_back(place(actor.vertices[polygon.first + k]));
    const MapVector area = VectorArea(world.data(), world.size());
    const double length = std::sqrt(area.x * area.x + area.y * area.y + area.z * area.z);
    const MapVector normal = length > 0 ? MapVector{area.x / length, area.y / length, area.z / length}
                                        : MapVector{0, 0, 1};
    scene.polygons.push_back({static_cast<std::uint32_t>(scene.points.size()), polygon.count, index, ToView(normal)});
    for (const MapVector& p : world) {
      scene.points.push_back(ToView(p));
      sum = {sum.x + p.x, sum.y + p.y, sum.z + p.z};
      ++points;
    }
  }
  brush.centre = ToView({sum.x / points, sum.y / points, sum.z / points});
  scene.brushes.push_back(brush);
}

void Bound(ViewScene& scene) {
  if (scene.points.empty()) return;
  scene.low = scene.high = scene.points[0];
  for (const ViewPoint& p : scene.points) {
    scene.low = {std::min(scene.low.x, p.x), std::min(scene.low.y, p.y), std::min(scene.low.z, p.z)};
    scene.high = {std::max(scene.high.x, p.x), std::max(scene.high.y, p.y), std::max(scene.high.z, p.z)};
  }
}

}  // namespace

ViewRead ReadViewScene(const std::string& path, ViewScene& scene) {
  MapCheckResult checked = CheckMapFile(path, kMapCheckBufferSize,
                                        [&](const MapActor& actor, const BrushVerdict& verdict) {
                                          AddActor(actor, verdict, scene);
                                        });
  ViewRead read;
  read.readable = checked.readable;
  for (MapProblem& problem : checked.problems) {
    if (problem.severity == Severity::kError) read.errors.push_back(std::move(problem));
  }
  Bound(scene);
  return read;
}
