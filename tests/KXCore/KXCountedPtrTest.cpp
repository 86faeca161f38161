#include "KXCountedPtr.h"

#include <gtest/gtest.h>

#include "THostCom.h"

TEST(KXCountedPtrTest, HoldsExactlyOneReference) {
  THostHeldService first(kKXIIDHeldService2);
  THostHeldService second(kKXIIDHeldService6);
  { TKXCountedPtr<IKXUnknown> empty; }
  {
    TKXCountedPtr<IKXUnknown> held;
    ASSERT_EQ(first.QueryInterface(kKXIIDUnknown, held.AsQuerySlot()), kKXOk);
    held = &first;  // the pointer it holds: no change
    EXPECT_EQ(first.References().Count(), 1);
    held = &second;
    EXPECT_EQ(first.References().Count(), 0);
    EXPECT_EQ(second.References().Count(), 1);
  }
  EXPECT_EQ(second.References().Count(), 0);
  EXPECT_EQ(first.References().Underflows() + second.References().Underflows(), 0);
}
