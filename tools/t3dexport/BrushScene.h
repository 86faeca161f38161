// The planned map as the reference host's scene, served to the plug-in from the plan's arrays.
#pragma once

#include <string>

#include "MapPlan.h"

class THostScene;

/// Adds one instance per brush of `plan` (which must outlive `scene`): its name, the identity
/// transform, its Location as the reference point, one polygon group answering from the brush's
/// arrays, the texture of each material it uses, and `defaultTexture` for polygons without one.
void AddPlanToScene(const MapPlan& plan, const std::string& defaultTexture, THostScene& scene);
