// Writes the polygon blocks of one scene instance.
#pragma once

class IKXInstance;
class T3DMapWriter;

/// Writes every polygon of `instance`'s mesh: texture names, world coordinates rounded to whole
/// units with Y negated, vertices last first. Writes nothing for an excluded instance, one whose
/// object is not a primitive, or one without a mesh source. Throws kKXErrMissingObject (line 250)
/// when the mesh source gives no mesh.
void WritePolygons(T3DMapWriter& writer, IKXInstance* instance);
