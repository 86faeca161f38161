#include "BrushScene.h"

#include <set>

#include "THostScene.h"

void AddPlanToScene(const MapPlan& plan, const std::string& defaultTexture, THostScene& scene) {
  for (const MapBrush& brush : plan.brushes) {
    THostInstance& instance = scene.AddInstance(brush.name);
    instance.SetDefaultMaterialName(defaultTexture)
        .SetReferencePoint({static_cast<float>(brush.location.x),
                            static_cast<float>(brush.location.y),
                            static_cast<float>(brush.location.z)});
    for (const std::int16_t domain : std::set<std::int16_t>(brush.domains.begin(), brush.domains.end())) {
      if (domain >= 0 && static_cast<std::size_t>(domain) < plan.textures.size()) {
        instance.SetDomainTexture(domain, plan.textures[static_cast<std::size_t>(domain)]);
      }
    }
    instance.AddGroup({brush.points.data(), brush.starts.data(), brush.normals.data(),
                       brush.domains.data(), static_cast<std::uint32_t>(brush.PolygonCount())});
  }
}
