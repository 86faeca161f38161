// The layouts of the frame's objects that a host sees: where each interface part of a component
// or factory lies. The checks bind in the 32-bit Windows builds.
#pragma once

#include <cstddef>

#include "plugin/TKXClassFactory.h"
#include "plugin/TKXComObject.h"
#include "plugin/TKXExporterBase.h"
#include "plugin/TKXExtensionObject.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

struct TKXComObjectLayout {
  static constexpr std::size_t kCount = offsetof(TKXComObject, count_);
  static constexpr std::size_t kOuter = offsetof(TKXComObject, outer_);
};

struct TKXClassFactoryLayout {
  static constexpr std::size_t kClassId = offsetof(TKXClassFactory, classId_);
};

KX_ABI_ASSERT(sizeof(TKXComObject) == 12, "TKXComObject: table, count, outer");
KX_ABI_ASSERT(TKXComObjectLayout::kCount == 4 && TKXComObjectLayout::kOuter == 8,
              "TKXComObject: count at 4, outer at 8");
KX_ABI_ASSERT(sizeof(TKXClassFactory) == 32,
              "TKXClassFactory: TKXComObject part at 0, IClassFactory part at 12, class at 16");
KX_ABI_ASSERT(TKXClassFactoryLayout::kClassId == 16, "the class identifier follows both parts");
KX_ABI_ASSERT(sizeof(TKXExtensionObject) == 16,
              "TKXExtensionObject: TKXComObject part at 0, IKXExtension part at 12");
KX_ABI_ASSERT(sizeof(TKXExporterBase) == 20,
              "TKXExporterBase: IKXExporter part at 0, TKXExtensionObject parts from 4");

#pragma GCC diagnostic pop
