// A scene described as data: what the host-answer sweeps build a host scene from, and what the
// expected text is written from.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "KXGeometry.h"
#include "THostScene.h"

/// One polygon as the host hands it out: its vertices in host order, normal and shading domain.
struct TPolygonPlan {
  std::vector<TKXVector3> points;
  TKXVector3 normal{0, 0, 1};
  std::int16_t domain = 0;
};

/// One instance: its element's name, transform and reference point, its materials and its mesh.
struct TInstancePlan {
  std::string name = "Box";
  TKXTransform transform;
  TKXVector3 reference{1, 2, 3};
  std::string defaultName = "Default";
  std::map<std::int32_t, std::string> textures;  // domain -> texture name
  std::set<std::int32_t> keepsPrevious;           // domains whose material keeps the last texture
  std::vector<std::vector<TPolygonPlan>> groups;
};

/// A triangle, a quadrilateral on domain 2 (texture "Brick") and, in a second group, a triangle
/// on domain 3, which keeps the texture of the polygon before it.
TInstancePlan StandardInstance(const std::string& name = "Box");

/// Adds `plan` to `scene` and returns the new instance.
THostInstance& AddInstance(THostScene& scene, const TInstancePlan& plan);
