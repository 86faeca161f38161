// The plug-in's one component: writes a scene as a T3D text map.
#pragma once

#include "KXImplements.h"
#include "plugin/TKXExporterBase.h"

/// IKXExporter part at 0, TKXComObject part after it, IKXExtension part last. Holds nothing but
/// its count and outer object: every export stands alone.
class TT3DExporter final : public KXImplements<TT3DExporter, TKXExporterBase> {
 public:
  TT3DExporter() = default;

  /// Writes `top` of `scene` to the file of `destination` (see T3d/T3DExport.h).
  KXResult KX_CALL Export(IKXFileStream* destination, IKXScene* scene,
                          IKXTreeElement* top) override;
};
