// The fixed builder brush that opens every map.
#pragma once

class T3DMapWriter;

/// Writes the 67 lines of the builder brush actor: a cube of side 256 centred on the origin.
void WriteBuilderBrush(T3DMapWriter& writer);
