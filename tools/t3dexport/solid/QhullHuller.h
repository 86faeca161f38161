// Convex hulls by Qhull.
#pragma once

#include "ConvexHuller.h"

class QhullHuller final : public ConvexHuller {
 public:
  bool Hull(const std::vector<Vector3d>& points,
            std::vector<std::vector<std::uint32_t>>& facets) const override;
};
