#include "BrushScene.h"

#include <algorithm>

namespace {

constexpr std::int16_t kNoMaterial = -1;

// Materials beyond the 16-bit domains get none, and so the default texture.
std::int16_t DomainOf(std::uint32_t material) {
  return material <= static_cast<std::uint32_t>(INT16_MAX) ? static_cast<std::int16_t>(material)
                                                           : kNoMaterial;
}

}  // namespace

/// The polygons of one brush as the host serves them to the plug-in. The plug-in writes a point
/// (x, y, z) as (x, -y, z) and a polygon's points last first; so each point is served with its Y
/// negated, in the model's order. Newell's normal N of that order faces into the model in map
/// axes (a model's faces turn counter-clockwise seen from outside, and map axes are
/// left-handed); the points written last first face -N, and -N served with Y negated is
/// (-N.x, N.y, -N.z). So the written polygon faces out the way its written normal points, as
/// the builder brush's do.
class BrushPolygons final : public THostPolygonSource {
 public:
  BrushPolygons(const MapSource& source, const MapBrush& brush) : source_(source), brush_(brush) {}

  std::uint32_t PolygonCount() const override {
    return static_cast<std::uint32_t>(brush_.PolygonCount());
  }

  void Select(std::uint32_t index) override {
    const RepairedBrush& repaired = brush_.repaired;
    const std::uint32_t entry = repaired.written[index];
    if (entry & kStoredPolygon) {
      const RepairedPolygon& polygon = repaired.polygons[entry & ~kStoredPolygon];
      const auto first = repaired.points.begin() + polygon.first;
      points_.assign(first, first + polygon.count);
      normal_ = polygon.normal;
      domain_ = DomainOf(polygon.source);
      return;
    }
    MapPoint face[BrushRepair::kMaxPoints];
    ModelPoint relative[BrushRepair::kMaxPoints];
    const SourceFace read = source_.Face(brush_.object, entry, face, BrushRepair::kMaxPoints);
    for (std::size_t i = 0; i < read.count; ++i) relative[i] = RelativeTo(read.points[i], brush_.location);
    points_.resize(read.count);
    if (!BrushRepair::RoundFace(relative, read.count, points_.data())) points_.clear();
    normal_ = BrushRepair::NormalOf(points_.data(), points_.size());
    domain_ = DomainOf(read.material);
  }

  std::uint32_t VertexCount() const override { return static_cast<std::uint32_t>(points_.size()); }
  TKXVector3 Point(std::uint32_t vertex) const override {
    const GridPoint& p = points_[vertex];
    return {static_cast<float>(p.x), static_cast<float>(-p.y), static_cast<float>(p.z)};
  }
  TKXVector3 Normal() const override { return {-normal_.x, normal_.y, -normal_.z}; }
  std::int16_t Domain() const override { return domain_; }

 private:
  const MapSource& source_;
  const MapBrush& brush_;
  std::vector<GridPoint> points_;  // of the polygon selected; --raw keeps faces of any size
  UnitNormal normal_{0, 0, 0};
  std::int16_t domain_ = kNoMaterial;
};

MapScene::MapScene(const MapSource& source, const MapPlan& plan,
                   const std::string& defaultTexture) {
  for (const MapBrush& brush : plan.brushes) {
    THostInstance& instance = scene_.AddInstance(brush.name);
    instance.SetDefaultMaterialName(defaultTexture)
        .SetReferencePoint({static_cast<float>(brush.location.x),
                            static_cast<float>(brush.location.y),
                            static_cast<float>(brush.location.z)});
    for (const std::uint32_t material : brush.materials) {
      if (material < plan.textures.size() && DomainOf(material) != kNoMaterial) {
        instance.SetDomainTexture(DomainOf(material), plan.textures[material]);
      }
    }
    polygons_.push_back(std::make_unique<BrushPolygons>(source, brush));
    instance.AddGroup(*polygons_.back());
  }
}

MapScene::~MapScene() = default;
