#include "reliability/ScenePlan.h"

TInstancePlan StandardInstance(const std::string& name) {
  TInstancePlan plan;
  plan.name = name;
  plan.textures[2] = "Brick";
  plan.keepsPrevious.insert(3);
  plan.groups = {{{{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {0, 0, 1}, 0},
                  {{{0, 0, 5}, {4, 0, 5}, {4, 4, 5}, {0, 4, 5}}, {0, 1, 0}, 2}},
                 {{{{1, 1, 1}, {2, 1, 1}, {1, 2, 1}}, {1, 0, 0}, 3}}};
  return plan;
}

THostInstance& AddInstance(THostScene& scene, const TInstancePlan& plan) {
  THostInstance& instance = scene.AddInstance(plan.name);
  instance.SetTransform(plan.transform)
      .SetReferencePoint(plan.reference)
      .SetDefaultMaterialName(plan.defaultName);
  for (const auto& [domain, texture] : plan.textures) instance.SetDomainTexture(domain, texture);
  for (std::int32_t domain : plan.keepsPrevious) instance.SetDomainKeepsPrevious(domain);
  for (const auto& polygons : plan.groups) {
    THostPolygonGroup& group = instance.AddGroup();
    for (const TPolygonPlan& polygon : polygons) {
      group.AddPolygon(polygon.points, polygon.normal, polygon.domain);
    }
  }
  return instance;
}
