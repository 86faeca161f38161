#include "T3d/TT3DExporter.h"

#include "T3d/T3DExport.h"

std::int32_t TT3DExporter::Release() { return ReleaseByRule(this); }

KXResult TT3DExporter::Export(IKXFileStream* destination, IKXScene* scene, IKXTreeElement* top) {
  return ::Export(destination, scene, top);
}
