// The bundled sample: a small room of box brushes, made with the reference host's scene builder.
#pragma once

class THostScene;

/// Adds a floor, four walls, two pillars and a step to `scene`, each an axis-aligned box with
/// its own position and textures.
void BuildSampleScene(THostScene& scene);
