// A benchmark scene as a PLY file, for other programs to read the same mesh.
#pragma once

#include <string>

#include "support/ArrayScene.h"

/// Writes every polygon of `instances` in world coordinates (binary PLY, a vertex per corner).
/// Throws std::runtime_error when the file cannot be written.
void WriteScenePly(const std::vector<TArrayInstance>& instances, const std::string& path);
