// Polygons of a brush wound one way: each as its neighbours are, and a closed part outward.
#pragma once

#include <cstdint>

#include "BrushMesh.h"

/// Turns polygons of `mesh` so that neighbours run along each shared edge in opposite
/// directions: in each connected part, the fewer polygons turn. Then turns every closed part
/// that encloses a negative volume. Turned polygons lose their tag. Returns how many turned.
std::uint64_t OrientOutward(BrushMesh& mesh);
