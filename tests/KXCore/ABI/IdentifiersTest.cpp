#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "KXIdentifiers.h"

namespace {

std::vector<const KXGUID*> AllIdentifiersInUse() {
  std::vector<const KXGUID*> ids = {&kKXIIDUnknown,       &kKXIIDClassFactory,
                                    &kKXCLSIDT3DExporter, &kKXIIDExporter,
                                    &kKXIIDExtension,     &kKXIIDInstance,
                                    &kKXIIDTreeElement,   &kKXIIDExcludedKindA,
                                    &kKXIIDExcludedKindB, &kKXIIDPrimitive,
                                    &kKXIIDMeshSource,    &kKXIIDMesh,
                                    &kKXIIDPolygonGroupList, &kKXIIDFileStream};
  for (const KXGUID* id : kKXServiceIDs) ids.push_back(id);
  return ids;
}

}  // namespace

TEST(Identifiers, StoredInTheStandardByteOrder) {
  const std::uint8_t expected[16] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
  EXPECT_EQ(std::memcmp(&kKXIIDUnknown, expected, 16), 0);
  // 1A68F514-FE19-4409-9BE1-47ED17F0A223, with the first three fields little-endian.
  const std::uint8_t exporter[16] = {0x14, 0xF5, 0x68, 0x1A, 0x19, 0xFE, 0x09, 0x44,
                                     0x9B, 0xE1, 0x47, 0xED, 0x17, 0xF0, 0xA2, 0x23};
  EXPECT_EQ(std::memcmp(&kKXCLSIDT3DExporter, exporter, 16), 0);
}

TEST(Identifiers, ValuesInUseAreDistinct) {
  const auto ids = AllIdentifiersInUse();
  ASSERT_EQ(ids.size(), 41u);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    for (std::size_t j = i + 1; j < ids.size(); ++j) {
      EXPECT_FALSE(*ids[i] == *ids[j]) << i << " and " << j;
    }
  }
}

TEST(Identifiers, EqualOnlyWhenAllSixteenBytesAre) {
  KXGUID lastWordDiffers = kKXIIDExporter;
  lastWordDiffers.data4[7] ^= 0x01;
  EXPECT_FALSE(lastWordDiffers == kKXIIDExporter);
  EXPECT_TRUE(lastWordDiffers != kKXIIDExporter);
  KXGUID same = kKXIIDExporter;
  EXPECT_TRUE(same == kKXIIDExporter);
}
