// Every layout of the ABI layer that crosses the host boundary, frozen by size and offset. The
// checks that depend on 4-byte pointers bind in the 32-bit Windows builds, which compile this
// header; the others hold everywhere.
#pragma once

#include <cstddef>
#include <type_traits>

#include "KXCharTables.h"
#include "KXComponentInterfaces.h"
#include "KXException.h"
#include "KXFileInterfaces.h"
#include "KXGUID.h"
#include "KXGeometry.h"
#include "KXString.h"

// offsetof on a class with virtual operations is what the host relies on here; GCC and Clang lay
// such a class out predictably, so the warning about it is silenced for these checks only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

struct TKXExceptionLayout {
  static constexpr std::size_t kCode = offsetof(TKXException, code_);
  static constexpr std::size_t kFile = offsetof(TKXException, file_);
  static constexpr std::size_t kLine = offsetof(TKXException, line_);
  static constexpr std::size_t kDetail = offsetof(TKXException, detail_);
};

struct TKXStringLayout {
  static constexpr std::size_t kCharLength = offsetof(TKXString, charLength_);
  static constexpr std::size_t kByteLength = offsetof(TKXString, byteLength_);
  static constexpr std::size_t kCapacity = offsetof(TKXString, capacity_);
  static constexpr std::size_t kBuffer = offsetof(TKXString1023, buffer_);
};

static_assert(sizeof(KXGUID) == 16, "KXGUID is 16 bytes");
static_assert(offsetof(KXGUID, data2) == 4 && offsetof(KXGUID, data3) == 6 &&
                  offsetof(KXGUID, data4) == 8,
              "KXGUID field offsets");

static_assert(sizeof(TKXVector3) == 12, "TKXVector3 is three floats");
static_assert(sizeof(TKXTransform) == 76, "TKXTransform is 19 floats");

static_assert(sizeof(KXFileInfo) == 48, "the info record is 48 bytes");
static_assert(offsetof(KXFileInfo, type) == 40 && offsetof(KXFileInfo, creator) == 44,
              "type at 40, creator at 44");

KX_ABI_ASSERT(offsetof(KXCharTables, expansions) == 512, "expansion list pointers at 512 and 516");
KX_ABI_ASSERT(sizeof(KXCharTables) == 520, "the character tables are 520 bytes");

KX_ABI_ASSERT(sizeof(TKXException) == 20, "TKXException is 20 bytes");
static_assert(!std::has_virtual_destructor<TKXException>::value,
              "GetFileName is the only entry of TKXException's table");
KX_ABI_ASSERT(TKXExceptionLayout::kCode == 4 && TKXExceptionLayout::kFile == 8 &&
                  TKXExceptionLayout::kLine == 12 && TKXExceptionLayout::kDetail == 16,
              "TKXException: code at 4, file at 8, line at 12, detail at 16");

KX_ABI_ASSERT(sizeof(TKXString) == 16, "TKXString: table, charLength, byteLength, capacity");
KX_ABI_ASSERT(TKXStringLayout::kCharLength == 4 && TKXStringLayout::kByteLength == 8 &&
                  TKXStringLayout::kCapacity == 12,
              "TKXString: charLength at 4, byteLength at 8, capacity at 12");
KX_ABI_ASSERT(TKXStringLayout::kBuffer == 16, "the inline buffer follows the counters");
KX_ABI_ASSERT(sizeof(TKXString15) == 32 && sizeof(TKXString255) == 272 &&
                  sizeof(TKXString1023) == 1040,
              "fixed strings carry capacity + 1 bytes inline");

KX_ABI_ASSERT(sizeof(IKXUnknown) == 4 && sizeof(IKXClassFactory) == 4 &&
                  sizeof(IKXExporter) == 4 && sizeof(IKXExtension) == 4,
              "an interface part is one table pointer");

#pragma GCC diagnostic pop
