// Scenes the sweeps export: one whose map crosses the stream's 32512-byte buffer several times.
#pragma once

#include <string>

#include "THostScene.h"

/// The stream buffer size the export asks for.
constexpr std::uint32_t kExportBufferSize = 32512;

/// Adds `instances` instances named Block0, Block1..., each with `polygons` quadrilaterals in one
/// group and the default texture name "Wall".
inline void AddBlocks(THostScene& scene, int instances, int polygons) {
  for (int i = 0; i < instances; ++i) {
    THostInstance& instance = scene.AddInstance("Block" + std::to_string(i));
    instance.SetDefaultMaterialName("Wall").SetReferencePoint({float(i), 0, 0});
    THostPolygonGroup& group = instance.AddGroup();
    for (int j = 0; j < polygons; ++j) {
      const float x = float(i * 100 + j);
      group.AddPolygon({{x, 0, 0}, {x + 1, 0, 0}, {x + 1, 1, float(j)}, {x, 1, float(j)}});
    }
  }
}
