// How a model is placed in the map: which of its axes points up, and where a brush's Location goes.
#pragma once

/// Which axis of the model points up in the map.
enum class UpAxis { FromFile, Y, Z };
/// Where a brush's Location goes.
enum class Pivot { Center, Origin };
