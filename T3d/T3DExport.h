// The export operation: a scene, or one element of it, written as a T3D text file.
#pragma once

#include "KXTypes.h"

class IKXFileStream;
class IKXScene;
class IKXTreeElement;

/// Writes `top` to the file of `destination`: a map with the builder brush and one subtractive
/// brush per exportable instance of `scene` when `top` is named "Universe", else the polygon list
/// of `top` alone. Shows progress while it runs. Returns 0; every failure is thrown as a
/// TKXException after the file written so far has been closed and the progress display shut.
KXResult Export(IKXFileStream* destination, IKXScene* scene, IKXTreeElement* top);
