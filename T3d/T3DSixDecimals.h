// Non-negative doubles with six decimals, exactly as the binary value rounds.
#pragma once

#include "T3d/T3DWideInteger.h"

/// The most characters WriteSixDecimals writes: the integer digits of the largest double, the
/// point and six decimals.
constexpr int kMaxSixDecimalsLength = kMaxWideIntegerDigits + 7;

/// Writes a finite `magnitude` (0 or more) at `out` as its integer digits, zero-filled to
/// `minIntegerDigits` (1 to 10), a point and six decimals. The decimals are the exact binary value
/// rounded half to even at the sixth, as printf rounds in the default rounding mode. Returns the
/// end of the text.
char* WriteSixDecimals(char* out, double magnitude, int minIntegerDigits);
