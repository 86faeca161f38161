#include "KXStrings.h"

#include <gtest/gtest.h>

TEST(KXStringsTest, CompareShortStopsAtTheShorterText) {
  EXPECT_EQ(StrCompareShort("abc", "abcd"), 0);
  EXPECT_EQ(StrCompareShort("abcd", "abc"), 0);
  EXPECT_LT(StrCompareShort("abc", "abd"), 0);
  EXPECT_GT(StrCompareShort("b", "a"), 0);
  EXPECT_LT(StrCompareShort("\xE9", "a"), 0);  // characters are signed
}

TEST(KXStringsTest, CharEqualNoCaseKnowsOnlyAsciiLetters) {
  EXPECT_TRUE(CharEqualNoCase('a', 'A'));
  EXPECT_TRUE(CharEqualNoCase('Z', 'z'));
  EXPECT_TRUE(CharEqualNoCase('\\', '\\'));
  EXPECT_FALSE(CharEqualNoCase('[', '{'));
  EXPECT_FALSE(CharEqualNoCase('@', '`'));
  EXPECT_FALSE(CharEqualNoCase('\xC9', '\xE9'));
}

TEST(KXStringsTest, CopyAndLength) {
  char out[4] = {'x', 'x', 'x', 'x'};
  StrCopy(out, "ab");
  EXPECT_STREQ(out, "ab");
  EXPECT_EQ(out[3], 'x');
  EXPECT_EQ(StrLength(out), 2);
  EXPECT_EQ(StrLength(nullptr), 0);
}
