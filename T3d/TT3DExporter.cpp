#include "T3d/TT3DExporter.h"

#include "T3d/T3DExport.h"

KXResult TT3DExporter::Export(IKXFileStream* destination, IKXScene* scene, IKXTreeElement* top) {
  return ::Export(destination, scene, top);
}
