// Values in parentheses: "Location=(X=1.000000,Y=-2.500000,Z=3.000000)", nested ones too.
#pragma once

#include <cstddef>

class MapLineStream;
class MapReport;

/// Checks every number in the value that opens with the '(' at index `open` of the line: named
/// ("X=1.5") or bare, at any depth. Other values (names, quoted texts) pass. Reports the first
/// problem: a bad number, a number split by ',' ("X=1,5"), a '(' never closed.
void CheckStructNumbers(MapLineStream& line, std::size_t open, MapReport& report);
