// Values in parentheses: "Location=(X=1.000000,Y=-2.500000,Z=3.000000)", nested ones too.
#pragma once

#include <cstddef>
#include <string_view>

#include "MapGeometry.h"

class MapLineStream;
class MapReport;

/// Checks every number in the value that opens with the '(' at index `open` of the line: named
/// ("X=1.5") or bare, at any depth. Other values (names, quoted texts) pass. Reports the first
/// problem: a bad number, a number split by ',' ("X=1,5"), a '(' never closed.
void CheckStructNumbers(MapLineStream& line, std::size_t open, MapReport& report);

/// The value of component `name` (any case) of the value "(A=..,B=(..))" that `value` starts
/// with, or an empty view when it has none.
std::string_view StructComponent(std::string_view value, std::string_view name);

/// Reads the components `names` of `value` into x, y and z of `out`; components it lacks keep
/// what `out` holds.
void ReadStructVector(std::string_view value, const char* const (&names)[3], MapVector& out);
