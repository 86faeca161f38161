// Model files (OBJ, FBX, glTF, 3DS, ... whatever the importer reads) as a host scene.
#pragma once

#include <string>

class THostScene;

struct ModelSceneOptions {
  /// Uniform scale from model units to map units (models in metres want 64 or so).
  float scale = 1;
};

/// Adds one instance per node of the model at `path` that carries meshes: the node's name, its
/// world transform, one polygon group per mesh with its faces as polygons (points and lines are
/// left out), and a texture per material (the diffuse texture's file name, else the material's
/// name). False with `error` set when the file cannot be read.
bool BuildModelScene(const std::string& path, const ModelSceneOptions& options, THostScene& scene,
                     std::string& error);
