// The planned map as the reference host's scene, each brush's polygons served on demand: a face
// written as it is straight from the source, a changed one from the plan.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "MapPlan.h"
#include "MapSource.h"
#include "THostScene.h"

class BrushPolygons;

/// One instance per brush of the plan: its name, the identity transform, its Location as the
/// reference point, one polygon group serving its polygons, the texture of each material it
/// uses, and the default texture for polygons without one. `source` and `plan` must outlive it.
class MapScene {
 public:
  MapScene(const MapSource& source, const MapPlan& plan, const std::string& defaultTexture);
  ~MapScene();
  MapScene(const MapScene&) = delete;
  MapScene& operator=(const MapScene&) = delete;

  THostScene& Scene() { return scene_; }

 private:
  std::vector<std::unique_ptr<BrushPolygons>> polygons_;
  THostScene scene_;  // after the polygons it serves, so that it goes first
};
