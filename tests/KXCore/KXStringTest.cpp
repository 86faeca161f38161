#include "KXString.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Text(const TKXString& s) { return std::string(s.Buffer(), s.ByteLength()); }

// The counters agree with the text, which ends in a NUL.
void ExpectConsistent(const TKXString& s) {
  EXPECT_LE(s.ByteLength(), s.Capacity());
  EXPECT_EQ(s.Buffer()[s.ByteLength()], '\0');
  EXPECT_EQ(static_cast<std::uint32_t>(s.CharLength()), s.ByteLength());
}

}  // namespace

TEST(KXStringTest, TextIsCutAtTheCapacity) {
  TKXString255 s;
  s.AssignText(std::string(300, 'x').c_str());
  EXPECT_EQ(s.ByteLength(), 255u);
  ExpectConsistent(s);
  TKXString1023 big(std::string(1500, 'y').c_str());
  EXPECT_EQ(big.ByteLength(), 1023u);
  ExpectConsistent(big);

  TKXString15 full("0123456789abcd");
  full.AppendChar('e');
  full.AppendChar('f');
  full.Append(full);
  EXPECT_EQ(Text(full), "0123456789abcde");
  ExpectConsistent(full);
}

TEST(KXStringTest, AssignAndCopyToCarryTheText) {
  TKXString1023 target("old text that is longer");
  target.Assign(TKXString255("Universe"));
  target.Assign(target);
  EXPECT_EQ(Text(target), "Universe");
  ExpectConsistent(target);
  char out[9];
  target.CopyTo(out);
  EXPECT_STREQ(out, "Universe");
}

TEST(KXStringTest, CompareIsExactWhileTheOperatorsIgnoreCase) {
  const TKXString15 universe("Universe");
  EXPECT_EQ(TKXString15("Universe").Compare(universe), 0);
  EXPECT_EQ(TKXString15("universe").Compare(universe), 1);
  EXPECT_EQ(TKXString15("Univ").Compare(universe), -1);
  EXPECT_EQ(TKXString15("\xE9").Compare(TKXString15("z")), 1);  // bytes are unsigned

  const TKXString15 lower("abc");
  EXPECT_FALSE(lower == TKXString15("ABC"));
  EXPECT_TRUE(lower == TKXString15("abc"));
  EXPECT_TRUE(lower < TKXString15("ABD"));
  EXPECT_TRUE(lower <= TKXString15("ABC"));
}

TEST(KXStringTest, InsertWithinBoundsAndCutAtTheCapacity) {
  TKXString15 s("abc");
  s.Insert(TKXString15("-"), 3);  // at charLength: appends
  s.Insert(TKXString15("!"), 5);  // beyond charLength: nothing
  s.Insert(TKXString15("!"), -1);
  s.Insert(s, 1);
  EXPECT_EQ(Text(s), "aabc-bc-");

  TKXString15 tailCut("0123456789");
  tailCut.Insert(TKXString15("xyzxyz"), 1);
  EXPECT_EQ(Text(tailCut), "0xyzxyz12345678");
  TKXString15 whatCut("0123456789abc");
  whatCut.Insert(TKXString15("ABCDEFGH"), 10);
  EXPECT_EQ(Text(whatCut), "0123456789ABCDE");
  ExpectConsistent(whatCut);
}

TEST(KXStringTest, EraseFindAndByteAccess) {
  TKXString15 s("ab@W@Wcdef");
  EXPECT_EQ(s.Find(TKXString15("@W"), 3), 4);
  EXPECT_EQ(s.Find(TKXString15("ef!"), 0), -1);  // would run past the text
  EXPECT_EQ(s.Find(TKXString15(""), 10), -1);
  EXPECT_EQ(s.FindChar('@', 5), -1);
  EXPECT_FALSE(s.Erase(10, 1));
  EXPECT_TRUE(s.Erase(2, 4));
  EXPECT_TRUE(s.Erase(2, 100));
  EXPECT_EQ(Text(s), "ab");
  s.SetByteAt('X', 2);  // at byteLength only a NUL is written
  EXPECT_EQ(s.Buffer()[2], '\0');
  EXPECT_EQ(s.ByteAt(2), 0);
  ExpectConsistent(s);
}

TEST(KXStringTest, FindBoundsAndPositionsOutsideTheText) {
  const TKXString15 s("x@W");
  EXPECT_EQ(s.Find(TKXString15("@W"), 0), 1);
  EXPECT_EQ(s.Find(TKXString15("@W"), -1), -1);
  EXPECT_EQ(s.Find(TKXString15(""), 2), 2);  // empty is found where the text goes on
  EXPECT_EQ(s.Find(TKXString15("x"), 4), -1);
  EXPECT_EQ(s.FindChar('@', 3), -1);
  EXPECT_EQ(s.FindChar('@', -1), -1);
  EXPECT_EQ(s.CharAt(-5), 'x');
  EXPECT_EQ(s.CharAt(3), 0);
  EXPECT_EQ(s.ByteAt(-1), 0);

  TKXString15 cut("abcdef");
  cut.SetByteLength(static_cast<std::uint32_t>(-1));  // a negative length gives the capacity
  EXPECT_EQ(cut.ByteLength(), 15u);
  cut.AssignBytes(nullptr, 3);  // null data only cuts
  EXPECT_EQ(Text(cut), "abc");
  EXPECT_EQ(cut.CharLength(), 3);
}
