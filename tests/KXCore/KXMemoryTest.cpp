#include "KXMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "KXCountedPtrHelper.h"
#include "KXHostFixture.h"
#include "KXServiceTable.h"

namespace {

struct Probe {
  KX_OBJECT_MEMORY
  explicit Probe(int* constructions) { ++*constructions; }
};

// Runs `body` with 32-bit word moves and with 64-bit block moves.
template <class Body>
void ForBothMoveWidths(Body body) {
  for (int wide : {0, 1}) {
    SCOPED_TRACE(wide);
    KXProcessorFeatures[0] = static_cast<std::uint8_t>(wide);
    body();
  }
  KXProcessorFeatures[0] = 0;
}

std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return bytes;
}

using KXHostMemoryTest = KXHostFixture;

}  // namespace

TEST(KXMemoryTest, WithoutMemoryServiceNothingIsAllocated) {
  ASSERT_EQ(KXMemoryManagerService(), nullptr);
  EXPECT_EQ(KXAllocObject(16), nullptr);
  KXFreeObject(nullptr);
  int constructions = 0;
  EXPECT_EQ(new Probe(&constructions), nullptr);
  EXPECT_EQ(constructions, 0);
}

TEST_F(KXHostMemoryTest, RefusedMemoryYieldsNullOrThrowsFromCreateObject) {
  Memory().RefuseAllAfter(0);
  int constructions = 0;
  EXPECT_EQ(new Probe(&constructions), nullptr);
  try {
    KXCreateObject<Probe>(&constructions);
    ADD_FAILURE() << "no exception";
  } catch (const TKXException& e) {
    EXPECT_EQ(static_cast<std::uint32_t>(e.Code()), 0x80010002u);
    EXPECT_STREQ(e.GetFileName(), "KXCore/PublicAPI/KXCountedPtrHelper");
    EXPECT_EQ(e.Line(), 166);
  }
  EXPECT_EQ(constructions, 0);
}

TEST(KXMemoryTest, MoveMatchesMemmoveAtEveryOverlap) {
  ForBothMoveWidths([] {
    const std::vector<std::uint8_t> original = Pattern(200);
    for (int distance = 1; distance <= 40; ++distance) {
      for (int count : {-1, 0, 1, 3, 4, 5, 31, 32, 33, 100}) {
        for (int direction : {-1, 1}) {
          std::vector<std::uint8_t> actual = original;
          std::vector<std::uint8_t> expected = original;
          KXMemMove(actual.data() + 50 + direction * distance, actual.data() + 50, count);
          if (count > 0)
            std::memmove(expected.data() + 50 + direction * distance, expected.data() + 50,
                         static_cast<std::size_t>(count));
          ASSERT_EQ(actual, expected) << distance << " " << count << " " << direction;
        }
      }
    }
  });
}

TEST(KXMemoryTest, CopyAndFillMatchTheByteRoutinesAtAnyAlignment) {
  ForBothMoveWidths([] {
    const std::vector<std::uint8_t> source = Pattern(200);
    for (int offset = 0; offset < 8; ++offset) {
      for (int count : {0, 1, 7, 31, 32, 33, 95, 150}) {
        std::vector<std::uint8_t> actual(200, 0xEE);
        std::vector<std::uint8_t> expected(200, 0xEE);
        KXMemCopy(actual.data() + offset, source.data() + 3, count);
        std::memcpy(expected.data() + offset, source.data() + 3, static_cast<std::size_t>(count));
        ASSERT_EQ(actual, expected) << offset << " " << count;
        KXMemFill(0, actual.data() + offset, count);
        std::memset(expected.data() + offset, 0, static_cast<std::size_t>(count));
        ASSERT_EQ(actual, expected) << offset << " " << count;
      }
    }
  });
}
