// The host's memory service: two kinds kept apart, accounting, and refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "THostMemory.h"

namespace {

TEST(THostMemoryTest, AccountsObjectsAndBlocksApart) {
  THostMemory memory;
  void* object = memory.AllocObject(16);
  auto* block = static_cast<char*>(memory.AllocBlock(100));
  ASSERT_NE(object, nullptr);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(memory.LiveObjects(), 1u);
  EXPECT_EQ(memory.LiveBlocks(), 1u);
  EXPECT_EQ(memory.LiveBytes(), 116u);

  std::memcpy(block, "kept", 5);
  block = static_cast<char*>(memory.ReallocBlock(block, 200));
  ASSERT_NE(block, nullptr);
  EXPECT_STREQ(block, "kept");
  EXPECT_EQ(memory.SizeOf(block), 200u);
  EXPECT_EQ(memory.LiveBytes(), 216u);
  EXPECT_EQ(memory.LiveBlocks(), 1u);

  memory.FreeObject(object);
  memory.FreeBlock(block);
  EXPECT_EQ(memory.LiveObjects(), 0u);
  EXPECT_EQ(memory.LiveBlocks(), 0u);
  EXPECT_EQ(memory.LiveBytes(), 0u);
  EXPECT_GE(memory.PeakBytes(), 216u);
  EXPECT_EQ(memory.ObjectAllocations(), 1u);
  EXPECT_EQ(memory.BlockAllocations(), 2u);
  EXPECT_EQ(memory.FreeErrors(), 0u);
}

TEST(THostMemoryTest, FreeingWithTheWrongKindOrAnUnknownPointerIsAnError) {
  THostMemory memory;
  void* object = memory.AllocObject(8);
  void* block = memory.AllocBlock(8);
  int local = 0;
  memory.FreeBlock(object);
  memory.FreeObject(block);
  memory.FreeObject(&local);
  EXPECT_EQ(memory.ReallocBlock(object, 16), nullptr);
  EXPECT_EQ(memory.FreeErrors(), 4u);
  EXPECT_EQ(memory.LiveObjects(), 1u) << "a wrong free gives nothing back";
  memory.FreeObject(nullptr);
  memory.FreeBlock(nullptr);
  memory.FreeObject(object);
  memory.FreeObject(object);
  EXPECT_EQ(memory.FreeErrors(), 5u) << "null is no error, a second free is";
  memory.FreeBlock(block);
}

TEST(THostMemoryTest, RefusesTheNthRequestCountedOverBothKinds) {
  THostMemory memory;
  memory.FreeObject(memory.AllocObject(4));  // requests before the fault do not count
  memory.RefuseRequest(3);
  void* first = memory.AllocObject(4);
  void* second = memory.AllocBlock(4);
  EXPECT_EQ(memory.ReallocBlock(second, 8), nullptr);
  void* fourth = memory.AllocObject(4);
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);
  EXPECT_NE(fourth, nullptr);
  EXPECT_EQ(memory.Refusals(), 1u);
  EXPECT_EQ(memory.SizeOf(second), 4u) << "a refused resize leaves the block";
  memory.FreeObject(first);
  memory.FreeBlock(second);
  memory.FreeObject(fourth);
}

TEST(THostMemoryTest, RefusesEverythingAfterN) {
  THostMemory memory;
  memory.RefuseAllAfter(2);
  void* a = memory.AllocBlock(4);
  void* b = memory.AllocObject(4);
  EXPECT_NE(a, nullptr);
  EXPECT_NE(b, nullptr);
  EXPECT_EQ(memory.AllocObject(4), nullptr);
  EXPECT_EQ(memory.AllocBlock(4), nullptr);
  EXPECT_EQ(memory.Refusals(), 2u);
  memory.RefuseAllAfter(0);
  EXPECT_EQ(memory.AllocBlock(1), nullptr);
  memory.ClearFaults();
  void* c = memory.AllocBlock(1);
  EXPECT_NE(c, nullptr);
  EXPECT_EQ(memory.Requests(), 6u);
  memory.FreeBlock(a);
  memory.FreeObject(b);
  memory.FreeBlock(c);
  EXPECT_EQ(memory.LiveBytes(), 0u);
}

TEST(THostMemoryTest, LogsEveryRequestOnceAskedTo) {
  THostMemory memory;
  memory.FreeObject(memory.AllocObject(4));  // before the log starts
  memory.LogRequests();
  memory.RefuseRequest(2);
  void* block = memory.AllocBlock(10);
  EXPECT_EQ(memory.ReallocBlock(block, 20), nullptr);
  block = memory.ReallocBlock(block, 30);
  void* object = memory.AllocObject(7);
  using Kind = THostMemoryRequest::Kind;
  const std::vector<std::tuple<Kind, std::uint32_t, bool>> expected = {
      {Kind::Block, 10, true}, {Kind::Resize, 20, false}, {Kind::Resize, 30, true},
      {Kind::Object, 7, true}};
  ASSERT_EQ(memory.RequestLog().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const THostMemoryRequest& request = memory.RequestLog()[i];
    EXPECT_EQ(std::make_tuple(request.kind, request.size, request.granted), expected[i]) << i;
  }
  memory.FreeBlock(block);
  memory.FreeObject(object);
}

}  // namespace
