// The model's texture mapping of each polygon the plug-in writes for a plan, in the order it
// writes them, for the finished map.
#pragma once

#include <cstddef>

#include "MapFinisher.h"
#include "MapPlan.h"

class PlanTextures {
 public:
  /// Polygons of every brush of `plan`, or of `only` when it is not null (a single object).
  PlanTextures(const MapSource& source, const PlanOptions& options, const MapPlan& plan, const MapBrush* only);

  /// The mapping of the next polygon; false for the world-aligned one (or past the last).
  bool Next(FinishedTexture& texture);

 private:
  const MapSource& source_;
  const PlanOptions& options_;
  const MapPlan& plan_;
  const MapBrush* only_;
  bool any_ = false;  // whether any material has a texture of known size
  std::size_t brush_ = 0;
  std::size_t polygon_ = 0;
};
