// The bundled sample: a small room of box brushes, the map the tool writes without a model file.
#pragma once

#include "BrushScene.h"
#include "MapPlan.h"
#include "MapSource.h"
#include "THostScene.h"

/// A floor, four walls, two pillars and a step, each an axis-aligned box in map units with its
/// own textures.
class SampleRoom final : public MapSource {
 public:
  std::size_t ObjectCount() const override;
  std::string ObjectName(std::size_t object) const override;
  void VisitFaces(std::size_t object, const FaceVisitor& visit) const override;
  std::uint64_t PointAndLineFaces(std::size_t) const override { return 0; }
  std::size_t FaceCount(std::size_t) const override { return 6; }
  SourceFace Face(std::size_t object, std::size_t face, MapPoint* out, std::size_t capacity,
                  ModelUv* uvs = nullptr) const override;
  std::size_t MaterialCount() const override;
  std::string MaterialTexture(std::size_t) const override { return {}; }
  std::string MaterialName(std::size_t material) const override;
};

/// The sample room planned as the tool plans every map, in a host scene ready to export.
struct SampleMap {
  SampleMap();

  SampleRoom room;
  MapPlan plan;
  MapScene map;
  THostScene& scene;
};
