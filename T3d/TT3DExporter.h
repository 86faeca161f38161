// The plug-in's one component: writes a scene as a T3D text map.
#pragma once

#include "plugin/TKXExporterBase.h"

/// IKXExporter part at 0, TKXComObject part after it, IKXExtension part last. Holds nothing but
/// its count and outer object: every export stands alone.
class TT3DExporter final : public TKXExporterBase {
 public:
  TT3DExporter() = default;

  std::int32_t KX_CALL Release() override;
  /// Writes `top` of `scene` to the file of `destination` (see T3d/T3DExport.h).
  KXResult KX_CALL Export(IKXFileStream* destination, IKXScene* scene,
                          IKXTreeElement* top) override;
};

KX_ABI_ASSERT(sizeof(TT3DExporter) == 20,
              "TT3DExporter: IKXExporter part at 0, TKXComObject part at 4 (table, count, "
              "outer), IKXExtension part at 16");
