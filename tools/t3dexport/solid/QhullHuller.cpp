#include "QhullHuller.h"

extern "C" {
#include <libqhull_r/qhull_ra.h>
}

#include <algorithm>
#include <cstdio>

namespace {

// Qhull's messages of a hull it cannot make go nowhere: the caller says what it does instead.
struct QuietFile {
  std::FILE* file = std::fopen("/dev/null", "w");
  ~QuietFile() {
    if (file) std::fclose(file);
  }
};

// One facet's vertices in order round it, turned to face the way its outward normal does.
std::vector<std::uint32_t> FacetRing(qhT* qh, facetT* facet, const std::vector<Vector3d>& points) {
  std::vector<std::uint32_t> ring;
  setT* vertices = qh_facet3vertex(qh, facet);
  vertexT *vertex, **vertexp;
  FOREACHvertex_(vertices) ring.push_back(static_cast<std::uint32_t>(qh_pointid(qh, vertex->point)));
  qh_settempfree(qh, &vertices);
  Vector3d newell{0, 0, 0};
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Vector3d a = points[ring[i]] - points[ring[0]];
    const Vector3d b = points[ring[(i + 1) % ring.size()]] - points[ring[0]];
    newell = newell + Cross(a, b);
  }
  const Vector3d outward{facet->normal[0], facet->normal[1], facet->normal[2]};
  if (Dot(newell, outward) < 0) std::reverse(ring.begin(), ring.end());
  return ring;
}

}  // namespace

bool QhullHuller::Hull(const std::vector<Vector3d>& points,
                       std::vector<std::vector<std::uint32_t>>& facets) const {
  facets.clear();
  if (points.size() < 4) return false;
  std::vector<coordT> coordinates;
  coordinates.reserve(points.size() * 3);
  for (const Vector3d& p : points) coordinates.insert(coordinates.end(), {p.x, p.y, p.z});
  QuietFile quiet;
  qhT qhull;
  qhT* qh = &qhull;
  qh_zero(qh, quiet.file);
  char options[] = "qhull Pp";
  const int failed = qh_new_qhull(qh, 3, static_cast<int>(points.size()), coordinates.data(), False,
                                  options, nullptr, quiet.file);
  if (!failed) {
    facetT* facet;
    FORALLfacets facets.push_back(FacetRing(qh, facet, points));
  }
  qh_freeqhull(qh, !qh_ALL);
  int longMemory = 0, totalMemory = 0;
  qh_memfreeshort(qh, &longMemory, &totalMemory);
  return !failed && !facets.empty();
}
