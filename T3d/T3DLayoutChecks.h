// The layout of the exporter component as the host holds it. The check binds in the 32-bit
// Windows builds.
#pragma once

#include "T3d/TT3DExporter.h"

KX_ABI_ASSERT(sizeof(TT3DExporter) == 20,
              "TT3DExporter: IKXExporter part at 0, TKXComObject part at 4 (table, count, "
              "outer), IKXExtension part at 16");
