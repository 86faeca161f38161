#include "KXCharacters.h"

#include <gtest/gtest.h>

#include <string>

#include "KXPlatform.h"
#include "KXString.h"

namespace {

// The stand-in switched to the double-byte code page 932 for one test.
class KXDoubleByteTest : public ::testing::Test {
 protected:
  void SetUp() override { UseCodePage(932); }
  void TearDown() override { UseCodePage(1252); }

 private:
  static void UseCodePage(std::uint32_t codePage) {
    KXPlatformSetCodePage(codePage);
    KXForgetCodePage();
  }
};

std::string Text(const TKXString& s) { return std::string(s.Buffer(), s.ByteLength()); }

// "a", the two-byte character 0x82A0, "b".
const char kMixed[] = "a\x82\xA0" "b";

}  // namespace

TEST_F(KXDoubleByteTest, CharactersAreWalkedNeverPastTheNul) {
  EXPECT_EQ(KXCharBytes(0x9F), 2u);
  EXPECT_EQ(KXCharBytes(0xA0), 1u);
  EXPECT_EQ(KXCharLength(kMixed), 3);
  EXPECT_EQ(KXAdvanceChars(kMixed, 10), kMixed + 4);
  EXPECT_EQ(KXCharLength("x\x82"), 2);  // a lead byte before the NUL stands alone
}

TEST_F(KXDoubleByteTest, StringPositionsCountCharacters) {
  TKXString15 s(kMixed);
  EXPECT_EQ(s.CharLength(), 3);
  EXPECT_EQ(s.CharAt(1), 0x82A0);
  EXPECT_EQ(s.FindChar(0x82A0, 0), 1);
  s.Insert(TKXString15("XY"), 2);
  EXPECT_EQ(Text(s), "a\x82\xA0XYb");
  EXPECT_TRUE(s.Erase(1, 1));
  EXPECT_EQ(Text(s), "aXYb");
  EXPECT_EQ(s.CharLength(), 4);

  // With one byte of room a two-byte character leaves only its lead byte.
  TKXString15 nearlyFull("0123456789abcd");
  nearlyFull.AppendChar(0x82A0);
  EXPECT_EQ(Text(nearlyFull), "0123456789abcd\x82");
  EXPECT_EQ(nearlyFull.CharLength(), 15);
}

TEST_F(KXDoubleByteTest, SearchesStopOnlyAtCharacterStarts) {
  const TKXString15 s("\x82\xA0\x82\xA1" "abc");
  EXPECT_EQ(s.CharLength(), 5);
  EXPECT_EQ(s.ByteLength(), 7u);
  EXPECT_EQ(s.Find(TKXString15("bc"), 0), 3);
  EXPECT_EQ(s.Find(TKXString15("\xA1"), 0), -1);  // a second byte is no place to start
  EXPECT_EQ(s.Find(TKXString15(""), 4), 4);
  EXPECT_EQ(s.FindChar(0x82A1, 0), 1);
  EXPECT_EQ(s.FindChar('a', 3), -1);
  EXPECT_EQ(s.CharAt(4), 'c');
  EXPECT_EQ(s.ByteCount(0, 3), 5u);
}

TEST_F(KXDoubleByteTest, EraseAndInsertCountCharactersAndCutAtTheCapacity) {
  TKXString15 s("\x82\xA0\x82\xA1" "abc");
  EXPECT_FALSE(s.Erase(5, 1));
  EXPECT_FALSE(s.Erase(0, 0));
  EXPECT_TRUE(s.Erase(1, 100));
  EXPECT_EQ(Text(s), "\x82\xA0");
  EXPECT_EQ(s.CharLength(), 1);

  // A cut through a two-byte character keeps its lead byte as a character of its own.
  TKXString15 full("0123456789abcd");
  full.Insert(TKXString15("\x82\xA0"), 14);
  EXPECT_EQ(Text(full), "0123456789abcd\x82");
  EXPECT_EQ(full.CharLength(), 15);
  TKXString15 assigned;
  assigned.AssignText("0123456789abcd\x82\xA0");
  EXPECT_EQ(Text(assigned), "0123456789abcd\x82");
  EXPECT_EQ(assigned.CharLength(), 15);
}
