#include "PlanTextures.h"

#include <algorithm>

PlanTextures::PlanTextures(const MapSource& source, const PlanOptions& options, const MapPlan& plan,
                           const MapBrush* only)
    : source_(source), options_(options), plan_(plan), only_(only) {
  any_ = std::any_of(options.textureSizes.begin(), options.textureSizes.end(),
                     [](const TexelSize& size) { return size.Known(); });
  if (only_) brush_ = static_cast<std::size_t>(only_ - plan_.brushes.data());
}

bool PlanTextures::Next(FinishedTexture& texture) {
  while (brush_ < plan_.brushes.size() && polygon_ >= plan_.brushes[brush_].PolygonCount()) {
    if (only_) return false;
    ++brush_;
    polygon_ = 0;
  }
  if (brush_ >= plan_.brushes.size()) return false;
  const std::size_t polygon = polygon_++;
  TextureMapping mapping;
  if (!any_ || !PolygonMapping(source_, options_, plan_.brushes[brush_], polygon, mapping)) return false;
  texture = {{mapping.origin.x, mapping.origin.y, mapping.origin.z},
             {mapping.u.x, mapping.u.y, mapping.u.z},
             {mapping.v.x, mapping.v.y, mapping.v.z}};
  return true;
}
