#include "reliability/SceneSpec.h"

TInstanceSpec StandardInstance(const std::string& name) {
  TInstanceSpec spec;
  spec.name = name;
  spec.textures[2] = "Brick";
  spec.keepsPrevious.insert(3);
  spec.groups = {{{{{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {0, 0, 1}, 0},
                  {{{0, 0, 5}, {4, 0, 5}, {4, 4, 5}, {0, 4, 5}}, {0, 1, 0}, 2}},
                 {{{{1, 1, 1}, {2, 1, 1}, {1, 2, 1}}, {1, 0, 0}, 3}}};
  return spec;
}

THostInstance& AddInstance(THostScene& scene, const TInstanceSpec& spec) {
  THostInstance& instance = scene.AddInstance(spec.name);
  instance.SetTransform(spec.transform)
      .SetReferencePoint(spec.reference)
      .SetDefaultMaterialName(spec.defaultName);
  for (const auto& [domain, texture] : spec.textures) instance.SetDomainTexture(domain, texture);
  for (std::int32_t domain : spec.keepsPrevious) instance.SetDomainKeepsPrevious(domain);
  for (const auto& polygons : spec.groups) {
    THostPolygonGroup& group = instance.AddGroup();
    for (const TPolygonSpec& polygon : polygons) {
      group.AddPolygon(polygon.points, polygon.normal, polygon.domain);
    }
  }
  return instance;
}
