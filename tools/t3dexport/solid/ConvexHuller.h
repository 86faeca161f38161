// The convex hull of a brush's points, as the brush a convex model should be once rounding to
// whole units has bent its faces, or as any brush with --hull.
#pragma once

#include <cstdint>
#include <vector>

#include "BrushMesh.h"

class ConvexHuller {
 public:
  virtual ~ConvexHuller() = default;
  /// The facets of the convex hull of `points`, each a ring of indices into them that turns
  /// counter-clockwise seen from outside. False when the points span no volume.
  virtual bool Hull(const std::vector<Vector3d>& points,
                    std::vector<std::vector<std::uint32_t>>& facets) const = 0;
};
