// The writer's arithmetic on coordinates.
#pragma once

#include "KXGeometry.h"

/// `out` = `transform` applied to `in`, in single precision, as the host computes it.
void TransformPoint(const TKXTransform& transform, const TKXVector3& in, TKXVector3& out);

/// Rounds halves away from zero (in double precision) and returns the whole number as a float.
/// Results beyond the signed 32-bit range saturate at its ends; NaN gives 0.
float RoundToInteger(float x);
