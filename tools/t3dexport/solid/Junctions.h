// T-junctions closed: where a point of a brush lies inside an edge that has no partner, as when
// rounding to whole units flattens a face between its neighbours, the polygon of that edge takes
// the point, so the edges on either side of it meet their partners.
#pragma once

#include <cstdint>

#include "BrushMesh.h"

/// Puts every point of `mesh` that lies exactly inside an edge without a partner into that
/// edge's polygon, until none is left (points must be whole numbers). Polygons that take a point
/// lose their tag. Returns the number of points put in.
std::uint64_t CloseJunctions(BrushMesh& mesh);
