#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

#include "KXStreamInputFixture.h"
#include "KXString.h"
#include "KXTextStream.h"

namespace {

using KXStreamInputTest = KXStreamInputFixture;

// Under the Itanium C++ ABI a pointer to a virtual member function holds 1 + the byte offset of
// its slot in the table.
template <class MemberFunction>
std::ptrdiff_t SlotOf(MemberFunction member) {
  std::ptrdiff_t raw = 0;
  std::memcpy(&raw, &member, sizeof raw);
  return (raw - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

template <class T>
using Extractor = TKXStream& (TKXStream::*)(T);

template <class T>
T ReadOne(TKXStream& stream, T start) {
  T value = start;
  stream >> value;
  return value;
}

}  // namespace

TEST(KXStreamInputTableTest, InputEntriesSitAtTheirSlots) {
  const std::ptrdiff_t apply = SlotOf(&TKXStream::Apply);
  const std::ptrdiff_t entries[] = {
      SlotOf(static_cast<Extractor<TKXString&>>(&TKXStream::operator>>)),
      SlotOf(static_cast<Extractor<double&>>(&TKXStream::operator>>)),
      SlotOf(static_cast<Extractor<float&>>(&TKXStream::operator>>)),
      SlotOf(static_cast<Extractor<std::uint32_t&>>(&TKXStream::operator>>)),
      SlotOf(static_cast<Extractor<std::int32_t&>>(&TKXStream::operator>>)),
      SlotOf(static_cast<Extractor<std::uint16_t&>>(&TKXStream::operator>>)),
      SlotOf(static_cast<Extractor<std::int16_t&>>(&TKXStream::operator>>)),
      SlotOf(&TKXStream::ExtractUnsigned),
      SlotOf(&TKXStream::ExtractSigned),
      SlotOf(static_cast<Extractor<char&>>(&TKXStream::operator>>)),
      SlotOf(&TKXStream::ExtractChar),
      SlotOf(static_cast<Extractor<char*>>(&TKXStream::operator>>)),
      SlotOf(&TKXStream::ExtractText),
      SlotOf(&TKXStream::ApplyAgain)};
  for (std::size_t i = 0; i < std::size(entries); ++i)
    EXPECT_EQ(entries[i], apply + 1 + static_cast<std::ptrdiff_t>(i)) << i;
  EXPECT_EQ(SlotOf(&TKXStream::ReadPath), SlotOf(&TKXStream::WritePath) - 1);
  EXPECT_EQ(SlotOf(&TKXStream::ReadToken), SlotOf(&TKXStream::WriteQuoted) + 1);
  EXPECT_EQ(SlotOf(&TKXStream::ReadQuotedString), SlotOf(&TKXStream::WriteQuoted) + 2);
}

TEST_P(KXStreamInputTest, CharactersAndWords) {
  EXPECT_EQ(ReadOne(Open(" \t\r\nx y"), '?'), 'x');
  EXPECT_EQ(Rest(), " y");
  // At the end of the data the last byte read comes back, with the end bit.
  TKXStream& blank = Open("  ");
  EXPECT_EQ(blank.SkipSeparators(), ' ');
  EXPECT_EQ(blank.State(), kKXStreamEnd);

  char word[16] = "?";
  Open("  hello world") >> word;
  EXPECT_STREQ(word, "hello");
  EXPECT_EQ(Rest(), " world");
  Open(std::string("ab\0cd", 5)) >> word;
  EXPECT_STREQ(word, "ab");
  EXPECT_EQ(Rest(), "cd");
  Open(" \n") >> word;
  EXPECT_STREQ(word, "");
  Open("last").ReadWord(word, sizeof word);
  EXPECT_STREQ(word, "last");
  // The bounded form keeps size - 1 bytes and leaves the rest of the word to read.
  Open(" abcdef ").ReadWord(word, 4);
  EXPECT_STREQ(word, "abc");
  EXPECT_EQ(Rest(), "def ");
  Open("abc").ReadWord(word, 1);
  EXPECT_STREQ(word, "");
  EXPECT_EQ(Rest(), "abc");
}

TEST_P(KXStreamInputTest, Integers) {
  EXPECT_EQ(ReadOne(Open("  -42,"), std::int32_t{1}), -42);
  EXPECT_EQ(Rest(), ",");
  EXPECT_EQ(ReadOne(Open("17 x"), std::int32_t{1}), 17);
  EXPECT_EQ(Rest(), "x");
  EXPECT_EQ(ReadOne(Open("+8"), std::int32_t{1}), 8);
  EXPECT_EQ(ReadOne(Open("-2147483648"), std::int32_t{1}), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ReadOne(Open("-5"), std::uint32_t{1}), 4294967291u);
  // No overflow check: the value wraps modulo 2^32.
  EXPECT_EQ(ReadOne(Open("4294967297"), std::uint32_t{0}), 1u);
  EXPECT_EQ(ReadOne(Open("70000"), std::int16_t{1}), std::int16_t{4464});
  EXPECT_EQ(ReadOne(Open("65537"), std::uint16_t{9}), std::uint16_t{1});

  TKXStream& second = Open("12 -3 ");
  std::uint32_t u = 0;
  std::int32_t i = 0;
  second.ExtractUnsigned(u).ExtractSigned(i);
  EXPECT_EQ(u, 12u);
  EXPECT_EQ(i, -3);
}

TEST_P(KXStreamInputTest, IntegersThatAreNotThere) {
  TKXStream& stream = Open("abc");
  EXPECT_EQ(ReadOne(stream, std::int32_t{5}), 0);
  EXPECT_EQ(stream.State(), kKXStreamFail);
  EXPECT_EQ(Rest(), "bc");
  TKXStream& plus = Open("+8");
  EXPECT_EQ(ReadOne(plus, std::uint32_t{5}), 5u);
  EXPECT_EQ(plus.State(), kKXStreamFail);
  EXPECT_EQ(ReadOne(Open("-"), std::int16_t{5}), 0);
  EXPECT_EQ(ReadOne(Open(""), std::uint16_t{5}), 5u);
}

TEST_P(KXStreamInputTest, Reals) {
  EXPECT_EQ(ReadOne(Open("3.25"), 0.0), 3.25);
  EXPECT_EQ(ReadOne(Open("1.5e3"), 0.0), 1500.0);
  EXPECT_EQ(ReadOne(Open(".5"), 0.0), 0.5);
  EXPECT_EQ(ReadOne(Open("5."), 0.0), 5.0);
  EXPECT_EQ(ReadOne(Open("."), 9.0), 0.0);
  const double negativeZero = ReadOne(Open("-."), 9.0);
  EXPECT_EQ(negativeZero, 0.0);
  EXPECT_TRUE(std::signbit(negativeZero));
  EXPECT_EQ(ReadOne(Open("+2E+2"), 0.0), 200.0);
  EXPECT_EQ(ReadOne(Open("-0.25 "), 0.0f), -0.25f);
  // A run of colons and slashes right after a number goes with it.
  EXPECT_EQ(ReadOne(Open("7/8"), 0.0), 7.0);
  EXPECT_EQ(Rest(), "8");
  EXPECT_EQ(ReadOne(Open("12:/:30"), 0.0), 12.0);
  EXPECT_EQ(Rest(), "30");
  EXPECT_EQ(ReadOne(Open("1.5x"), 0.0), 1.5);
  EXPECT_EQ(Rest(), "x");
}

TEST_P(KXStreamInputTest, ExponentsOutsideTheTableReadAsZero) {
  const std::pair<const char*, double> table[] = {
      {"1e-5", 0.00001}, {"1e-4", 0.0001}, {"1e-3", 0.001}, {"1e-2", 0.01}, {"1e-1", 0.1},
      {"1e0", 1.0},      {"1e1", 10.0},    {"1e2", 100.0},  {"1e3", 1000.0}, {"1e4", 10000.0}};
  for (const auto& [text, value] : table) EXPECT_EQ(ReadOne(Open(text), 9.0), value) << text;
  for (const char* text : {"1e-6", "2e5", "2e7", "-3e99999999999", "3e-2147483648"}) {
    TKXStream& stream = Open(text);
    EXPECT_EQ(ReadOne(stream, 9.0), 0.0) << text;
    EXPECT_EQ(stream.State() & kKXStreamFail, 0u) << text;
  }
}

TEST_P(KXStreamInputTest, RealsThatAreNotThere) {
  for (const char* text : {"x", "-x", "", "1e", "1e+", "2.5E-x"}) {
    TKXStream& stream = Open(text);
    EXPECT_EQ(ReadOne(stream, 9.0), 9.0) << text;
    EXPECT_EQ(stream.State() & kKXStreamFail, kKXStreamFail) << text;
    EXPECT_EQ(ReadOne(Open(text), 9.0f), 9.0f) << text;
  }
}

TEST_P(KXStreamInputTest, QuotedTexts) {
  char text[kKXQuotedAreaSize];
  Open("  \"a\\\"b\"c").ReadQuoted(text);
  EXPECT_STREQ(text, "a\"b");
  EXPECT_EQ(Rest(), "c");
  // A bare text ends at a space, tab, LF or CR, which is consumed; its first byte is taken as
  // it is, even a backslash, and escapes work after it.
  for (const char* end : {" ", "\t", "\n", "\r"}) {
    Open(std::string("\\q\\ z") + end + "next").ReadQuoted(text);
    EXPECT_STREQ(text, "\\q z");
    EXPECT_EQ(Rest(), "next");
  }
  Open("\"unclosed").ReadQuoted(text);
  EXPECT_STREQ(text, "unclosed");
  Open(" \n ").ReadQuoted(text);
  EXPECT_STREQ(text, "");
  // 256 characters are kept, the 257th is consumed, the rest stays.
  std::string long300;
  for (int i = 0; i < 300; ++i) long300 += static_cast<char>('a' + i % 26);
  Open("\"" + long300 + "\"").ReadQuoted(text);
  EXPECT_EQ(std::string(text), long300.substr(0, 256));
  EXPECT_EQ(Rest(), long300.substr(257) + "\"");

  TKXString15 cut;
  Open("\"0123456789abcdefgh\"") >> cut;
  EXPECT_STREQ(cut.Buffer(), "0123456789abcde");
}

TEST_P(KXStreamInputTest, PathsResolveAgainstTheStreamsFile) {
  char path[kKXPathAreaSize];
  Open("\"::other:tex.png\"").ReadPath(path);
  const char sep = Files().GetPathSeparator();  // the system's: '\\' on Windows
  const std::string dir = Path().substr(0, Path().rfind(sep));
  EXPECT_EQ(std::string(path), dir.substr(0, dir.rfind(sep) + 1) + "other" + sep + "tex.png");
  Open("/abs/a.png").ReadPath(path);
  EXPECT_STREQ(path, "/abs/a.png");
}

TEST_P(KXStreamInputTest, WhatTheOutputWritesReadsBack) {
  const std::int32_t ints[] = {0, -7, 123456, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()};
  const std::uint32_t uints[] = {0, 42, std::numeric_limits<std::uint32_t>::max()};
  const double reals[] = {3.25, -0.5, 2.0, 0.05, 100.125, 0.1, -1234.5678, 0.00000001};
  const float floats[] = {0.1f, -2.75f, 1000.001f};
  const char* const texts[] = {"plain", "a\"b", "back\\slash", "with space", ""};
  const std::string target = Path() + "_target.png";
  {
    TKXTextStream out(Path().c_str(), static_cast<std::int32_t>(kKXFileWrite), GetParam(),
                      nullptr);
    for (std::int32_t v : ints) out << v << ' ';
    for (std::uint32_t v : uints) out << v << ' ';
    out << std::int16_t{-32768} << ' ' << std::uint16_t{65535} << ' ';
    for (double v : reals) out << v << '\n';
    for (float v : floats) out << v << '\t';
    for (const char* v : texts) out << TKXString255(v) << ' ';
    out.WritePath(target.c_str());
  }
  std::unique_ptr<TKXTextStream> in(new TKXTextStream(
      Path().c_str(), static_cast<std::int32_t>(kKXFileRead), GetParam(), nullptr));
  for (std::int32_t v : ints) EXPECT_EQ(ReadOne(*in, std::int32_t{1}), v);
  for (std::uint32_t v : uints) EXPECT_EQ(ReadOne(*in, std::uint32_t{1}), v);
  EXPECT_EQ(ReadOne(*in, std::int16_t{1}), -32768);
  EXPECT_EQ(ReadOne(*in, std::uint16_t{1}), 65535);
  for (double v : reals) EXPECT_DOUBLE_EQ(ReadOne(*in, 9.0), v);
  for (float v : floats) EXPECT_EQ(ReadOne(*in, 9.0f), v);
  for (const char* v : texts) EXPECT_STREQ(ReadOne(*in, TKXString255()).Buffer(), v);
  char path[kKXPathAreaSize];
  in->ReadPath(path);
  EXPECT_EQ(std::string(path), target);
  EXPECT_EQ(in->State(), 0u);
}

TEST(KXStreamInputFailingReadTest, AFailedReadEndsEveryOperation) {
  char text[kKXQuotedAreaSize];
  KXFailingStream blank("  ");
  EXPECT_EQ(blank.SkipSeparators(), ' ');
  KXFailingStream word("ab");
  word.ReadWord(text);
  EXPECT_STREQ(text, "ab");
  KXFailingStream real("1.25");
  double value = 0;
  real.ReadReal(&value);
  EXPECT_EQ(value, 1.25);
  KXFailingStream ratio("7//");
  ratio.ReadReal(&value);
  EXPECT_EQ(value, 7.0);
  KXFailingStream quoted("\"ab");
  quoted.ReadQuoted(text);
  EXPECT_STREQ(text, "ab");
  // The abstract stream reads a path as it stands.
  KXFailingStream path("\"::a:b\" ");
  path.ReadPath(text);
  EXPECT_STREQ(text, "::a:b");
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, KXStreamInputTest, ::testing::ValuesIn(kInputBufferSizes));
