// The host application's usual sequence through the loaded plug-in library, end to end.
#pragma once

#include <string>

#include "THostApplication.h"
#include "THostPluginLibrary.h"
#include "KXSceneInterfaces.h"
#include "reliability/RefusalRules.h"

/// Where the sequence ended, as the host sees it.
namespace ending {
inline const std::string kExported = "exported";
/// KXDllGetClassObject threw kKXErrNoMemory from KXCore/PublicAPI/KXCountedPtrHelper, line 166.
inline const std::string kFactoryRefused = "factory-no-memory";
/// CreateInstance answered kKXErrClassNotAvailable and left the slot null.
inline const std::string kClassNotAvailable = "class-not-available";
/// Export threw kKXErrMissingObject from T3d, line 366.
inline const std::string kStreamObjectRefused = "stream-object-no-memory";
/// Export threw kKXErrMissingObject from T3d, line 250: a mesh source gave no mesh.
inline const std::string kNoMesh = "no-mesh";
}  // namespace ending

/// Loads the plug-in from `library`, runs KXDllInit, KXDllGetClassObject for the exporter's
/// factory, CreateInstance for IKXExporter, releases the factory, exports `top` of `scene` to
/// `path`, releases the exporter, checks that the plug-in may be unloaded and runs KXDllCleanUp.
/// Stops where the plug-in fails, as a host would, and still shuts the plug-in down. Names each
/// step in `steps` when given. Returns one of the endings above, or a description of any other.
std::string RunUsualSequence(THostApplication& host, IKXScene* scene, IKXTreeElement* top,
                             const std::string& path, TRequestSteps* steps = nullptr);
