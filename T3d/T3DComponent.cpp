// The exporter layer's side of the frame: its class table, and its start and stop hooks.
#include "KXIdentifiers.h"
#include "T3d/TT3DExporter.h"
#include "plugin/KXComponentClasses.h"

namespace {

// Host object memory; null when the host refuses it.
TKXComObject* CreateT3DExporter() { return new TT3DExporter; }

}  // namespace

const KXComponentClass kKXComponentClasses[] = {{&kKXCLSIDT3DExporter, &CreateT3DExporter}};
const std::size_t kKXComponentClassCount = sizeof kKXComponentClasses / sizeof kKXComponentClasses[0];

// The exporter needs nothing at start-up or shut-down.
void KXComponentStartUp(IKXShell*) {}

void KXComponentShutDown() {}
