// The three values of a vector line: "Vertex   +00001.000000,-00002.000000,+00003.000000".
#pragma once

#include "MapGeometry.h"

class MapLineStream;
class MapReport;

/// Reads the three comma-separated values that follow the keyword at the line's position.
/// True with `vector` when they are three numbers and nothing but blanks follows; otherwise
/// reports the line's first problem and returns false.
bool ReadVectorValues(MapLineStream& line, MapVector& vector, MapReport& report);
