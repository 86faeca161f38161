// The component library's side of the frame: the one class it makes, and its start and stop
// hooks.
#include "KXIdentifiers.h"
#include "T3d/TT3DExporter.h"
#include "plugin/KXComponent.h"

TKXComObject* CreateComponent(const KXGUID& classId) {
  if (classId != kKXCLSIDT3DExporter) return nullptr;
  // Host object memory; null when the host refuses it.
  return new TT3DExporter;
}

// The exporter needs nothing at start-up or shut-down.
void KXComponentStartUp(IKXShell*) {}

void KXComponentShutDown() {}
