#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "KXException.h"
#include "KXTextStream.h"
#include "KXTextStreamBookmark.h"
#include "THostCom.h"

namespace {

// The abstract stream with its bytes collected in a string.
class CaptureStream : public TKXStream {
 public:
  void Write(const void* src, std::uint32_t count) override {
    text.append(static_cast<const char*>(src), count);
  }
  std::string text;
};

template <class T>
std::string Written(T value) {
  CaptureStream s;
  s << value;
  return s.text;
}

}  // namespace

TEST(KXStreamTest, Integers) {
  EXPECT_EQ(Written(std::int32_t{0}), "0");
  EXPECT_EQ(Written(std::int32_t{-7}), "-7");
  EXPECT_EQ(Written(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(Written(std::numeric_limits<std::uint32_t>::max()), "4294967295");
}

TEST(KXStreamTest, Reals) {
  const std::pair<double, const char*> cases[] = {
      {3.25, "3.25"},    {0.1, "0.1"},          {2.0, "2"},           {-0.5, "-0.5"},
      {0.05, "0.05"},    {0.000000001, "0"},    {100.125, "100.125"}, {12.00000001, "12.00000001"},
      {3e9, "2147483647"}, {std::nan(""), "2147483647"},
      {2.9999999999, "3"}, {-0.999999999, "-1"},  // a fraction that rounds up carries
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(Written(value), text) << value;
  EXPECT_EQ(Written(0.1f), "0.1");
  EXPECT_EQ(Written(1.0f / 3.0f), "0.333333");
}

TEST(KXStreamTest, SecondEntriesWriteAsTheFirst) {
  CaptureStream s;
  s.InsertUnsigned(4294967295u).InsertSigned(-7).InsertChar(' ').InsertText("ab");
  s.ApplyAgain([](TKXStream& t) -> TKXStream& { return t << std::int16_t{-3}; });
  s << std::uint16_t{65535};
  EXPECT_EQ(s.text, "4294967295-7 ab-365535");
}

TEST(KXStreamTest, AbstractBookmarkAndStreamLeaveTheWorkToImplementations) {
  struct Bookmark : TKXStreamBookmark {};
  Bookmark bookmark;
  EXPECT_THROW(bookmark.Reopen(), TKXException);
  EXPECT_THROW(bookmark.Notify("a", "b", kKXBookmarkPathChanged), TKXException);
  CaptureStream s;
  EXPECT_EQ(s.CreateBookmark(), nullptr);
  s.WritePath("C:\\a");
  EXPECT_EQ(s.text, "\"C:\\\\a\"");
}

TEST(KXStreamTest, QuotedTextEscapesQuotesAndBackslashes) {
  CaptureStream s;
  s.WriteQuoted("a\"b");
  EXPECT_EQ(s.text, "\"a\\\"b\"");
  // Longer than a 16-bit count: written whole.
  CaptureStream longer;
  longer.WriteQuoted(std::string(40000, 'q').c_str());
  EXPECT_EQ(longer.text, "\"" + std::string(40000, 'q') + "\"");
}

TEST(KXStreamTest, StateAndContext) {
  THostHeldService first(kKXIIDHeldService2);
  THostHeldService second(kKXIIDHeldService6);
  {
    CaptureStream s;
    s.SetFail(kKXStreamErrAccess);
    s << "formatted output leaves the state alone";
    EXPECT_EQ(s.State(), kKXStreamFail);
    EXPECT_THROW(s.Seek(0, 0), TKXException);  // the byte level is the implementation's
    s.SetContext(&first);
    s.SetContext(&first);
    s.SetContext(&second);
    EXPECT_EQ(s.GetContext(), &second);
    EXPECT_EQ(first.References().Count(), 0);
    EXPECT_EQ(second.References().Count(), 1);
  }
  EXPECT_EQ(second.References().Count(), 0);
}
