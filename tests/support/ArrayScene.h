// Scenes described as plain arrays, which a host scene answers from and a reference writer reads.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "KXGeometry.h"
#include "THostScene.h"

/// One polygon group: every polygon's points one after another, in host order. The host's group
/// answers from it.
struct TArrayGroup final : THostPolygonSource {
  std::vector<TKXVector3> points;
  std::vector<std::uint32_t> starts{0};
  std::vector<TKXVector3> normals;
  std::vector<std::int16_t> domains;

  void Add(std::initializer_list<TKXVector3> corners, TKXVector3 normal, std::int16_t domain) {
    points.insert(points.end(), corners);
    starts.push_back(static_cast<std::uint32_t>(points.size()));
    normals.push_back(normal);
    domains.push_back(domain);
  }
  std::size_t Count() const { return normals.size(); }

  std::uint32_t PolygonCount() const override { return static_cast<std::uint32_t>(Count()); }
  void Select(std::uint32_t index) override { selected = index; }
  std::uint32_t VertexCount() const override { return starts[selected + 1] - starts[selected]; }
  TKXVector3 Point(std::uint32_t vertex) const override { return points[starts[selected] + vertex]; }
  TKXVector3 Normal() const override { return normals[selected]; }
  std::int16_t Domain() const override { return domains[selected]; }

  std::uint32_t selected = 0;
};

/// One instance: placement, materials and groups. Domains without an entry have no material.
struct TArrayInstance {
  std::string name;
  TKXTransform transform;
  TKXVector3 referencePoint{0, 0, 0};
  std::string defaultName;
  std::map<std::int16_t, std::string> textures;
  std::int16_t keepsPrevious = -1;  ///< the domain whose material keeps the previous texture
  std::vector<TArrayGroup> groups;

  /// Adds the instance to `scene`; its groups answer from the arrays, which must outlive it.
  THostInstance& AddTo(THostScene& scene) {
    THostInstance& instance = scene.AddInstance(name);
    instance.SetTransform(transform)
        .SetReferencePoint(referencePoint)
        .SetDefaultMaterialName(defaultName);
    for (const auto& [domain, texture] : textures) instance.SetDomainTexture(domain, texture);
    if (keepsPrevious >= 0) instance.SetDomainKeepsPrevious(keepsPrevious);
    for (TArrayGroup& group : groups) instance.AddGroup(group);
    return instance;
  }
};
