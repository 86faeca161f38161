#include "KXToken.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KXException.h"
#include "KXResultCodes.h"
#include "KXStreamInputFixture.h"

namespace {

using KXTokenTest = KXStreamInputFixture;

// Every token up to the end of the data; a plain token cut off by the end is lost.
std::vector<std::string> Tokens(TKXStream& stream) {
  std::vector<std::string> tokens;
  char token[kKXTokenSize];
  while (ScanToken(stream, token) == kKXOk) tokens.emplace_back(token);
  return tokens;
}

using Texts = std::vector<std::string>;

}  // namespace

TEST_P(KXTokenTest, WordsBracesAndQuotedTexts) {
  EXPECT_EQ(Tokens(Open("  alpha beta\n")), (Texts{"alpha", "beta"}));
  EXPECT_EQ(Tokens(Open("  alpha beta")), (Texts{"alpha"}));
  EXPECT_EQ(Tokens(Open("abc{def}")), (Texts{"abc", "{", "def", "}"}));
  EXPECT_EQ(Tokens(Open("\"a\\\"b\" \"a\1\"b\" \"\\\\\\\1\" x\"y\" ")),
            (Texts{"a\"b", "a\"b", "\\\1", "x", "y"}));
}

TEST_P(KXTokenTest, CommentsAreSkipped) {
  EXPECT_EQ(Tokens(Open("# note\n  word\n")), (Texts{"word"}));
  EXPECT_EQ(Tokens(Open("#one\r#two\n\t# three\r\nword ")), (Texts{"word"}));
  // After a comment a quote ends an empty token at once, and '$' is an ordinary character.
  EXPECT_EQ(Tokens(Open("#c\n\"q\" ")), (Texts{"", "q"}));
  EXPECT_EQ(Tokens(Open("#c\n$x ")), (Texts{"$x"}));
  EXPECT_EQ(Tokens(Open("a#c\nb ")), (Texts{"a", "b"}));
}

TEST_P(KXTokenTest, BlocksAreEmptyTokens) {
  TKXStream& counted = Open("$0000000A:0123456789$rest ");
  EXPECT_EQ(Tokens(counted), (Texts{"", "rest"}));
  // An uncounted block ends at the next '$', however much data there is before it.
  EXPECT_EQ(Tokens(Open("$FFFFFFFF raw data $ x ")), (Texts{"", "x"}));
  // The skip comes first: a '$' inside the counted data does not end the block.
  EXPECT_EQ(Tokens(Open("$00000003 $$$$ x ")), (Texts{"", "x"}));
  // A count that would wrap a signed offset still skips forward, never back over what was
  // read, which would lead the scanner round in a circle: the block runs past the end.
  EXPECT_EQ(Tokens(Open("$FFFFFFFF$ $FFFFFFF4$ x ")), (Texts{""}));
}

TEST_P(KXTokenTest, BlockRunningPastTheEndEndsTheScan) {
  // The skip reaches the end whether or not the host lets a seek go past it, also when the count
  // (from 2^31 on) does not fit one signed seek offset; the '$' in the data is never found.
  for (bool pastEndAllowed : {false, true}) {
    Files().AllowSeeksPastEnd(pastEndAllowed);
    for (const char* text : {"$80000000 abc$ x\n", "$FFFFFFFE abc$ x\n", "$00000100 abc$ x\n"}) {
      SCOPED_TRACE(testing::Message() << (pastEndAllowed ? "allowing: " : "refusing: ") << text);
      char token[kKXTokenSize] = "#";
      EXPECT_EQ(ScanToken(Open(text), token), kKXErrEndOfStream);
      EXPECT_STREQ(token, "");
    }
  }
}

TEST_P(KXTokenTest, BlockWhoseSkipTheHostRefusesEndsTheScan) {
  // Every seek after the first read fails: the raw data, with its '$' and words, must never be
  // read as text. A buffer that holds the whole text skips without the host.
  TKXStream& stream = Open("x $00000010:raw $ words here$ after\n");
  char token[kKXTokenSize] = "#";
  ASSERT_EQ(ScanToken(stream, token), kKXOk);
  Files().Faults().FailSeeksAfter(0);
  const bool inBuffer = GetParam() > 64;
  EXPECT_EQ(ScanToken(stream, token), inBuffer ? kKXOk : kKXErrEndOfStream);
  EXPECT_STREQ(token, "");
  if (inBuffer) {
    EXPECT_EQ(Tokens(stream), (Texts{"after"}));
  }
}

TEST_P(KXTokenTest, LongTokensKeepTheirFirst255Characters) {
  const std::string word(300, 'w');
  const std::string quoted(256, 'q');
  EXPECT_EQ(Tokens(Open(word + " next \"" + quoted + "\" ")),
            (Texts{word.substr(0, 255), "next", quoted.substr(0, 255)}));
}

TEST_P(KXTokenTest, EndOfDataAtEveryPositionEndsTheScan) {
  const std::string text = "\"a\\\"b\" {w} $00000001:x$ #c\n\"q\" $FFFFFFFF..$ end\n";
  for (std::size_t n = 0; n < text.size(); ++n) {
    TKXStream& stream = Open(text.substr(0, n));
    char token[kKXTokenSize];
    try {
      Tokens(stream);
      EXPECT_EQ(ScanToken(stream, token), kKXErrEndOfStream) << n;
    } catch (const TKXException& e) {
      // Inside a block count.
      EXPECT_EQ(e.Code(), kKXErrEndOfStream) << n;
    }
  }
}

TEST_P(KXTokenTest, HexCountSkipsOtherBytesAndRefusesADollar) {
  std::uint32_t count = 0;
  EXPECT_EQ(ReadHexCount(Open("0000 00ab 1F "), &count), kKXOk);
  EXPECT_EQ(count, 0x1Fu);
  EXPECT_EQ(Rest(), " ");
  try {
    ReadHexCount(Open("00$"), &count);
    ADD_FAILURE();
  } catch (const TKXException& e) {
    EXPECT_EQ(e.Code(), kKXErrTokenSyntax);
    EXPECT_EQ(e.GetFileName(), nullptr);
    EXPECT_EQ(Rest(), "$");
  }
  try {
    ReadHexCount(Open("0123456"), &count);
    ADD_FAILURE();
  } catch (const TKXException& e) {
    EXPECT_EQ(e.Code(), kKXErrEndOfStream);
    EXPECT_EQ(e.Line(), 0);
  }
}

TEST_P(KXTokenTest, TokenStringsArePreparedAndThrowAtTheEnd) {
  TKXStream& stream = Open("@xx@Wabc@yy plain\n");
  EXPECT_STREQ(ReadTokenString(stream).Buffer(), "abc");
  EXPECT_STREQ(ReadTokenString(stream).Buffer(), "plain");
  try {
    ReadTokenString(stream);
    ADD_FAILURE();
  } catch (const TKXException& e) {
    EXPECT_EQ(e.Code(), kKXErrEndOfStream);
    EXPECT_STREQ(e.GetFileName(), "KXCore/Source/Common/KXToken");
    EXPECT_EQ(e.Line(), 516);
  }
  TKXString255 token;
  EXPECT_TRUE(Open("{ ").ReadToken(token));
  EXPECT_STREQ(token.Buffer(), "{");
}

TEST_P(KXTokenTest, QuotedTextSkipsToTheQuoteAndHasNoLengthLimit) {
  TKXString255 text;
  ReadQuotedText(Open("xyz \"hel\\\"lo\" "), text, false);
  EXPECT_STREQ(text.Buffer(), "hel\"lo");
  EXPECT_EQ(Rest(), " ");
  EXPECT_STREQ(Open("{\"@Wabc\"").ReadQuotedString(text).Buffer(), "abc");
  const std::string long1500(1500, 'L');
  TKXString1023 cut;
  ReadQuotedText(Open("\"" + long1500 + "\"z"), cut, false);
  EXPECT_EQ(std::string(cut.Buffer()), long1500.substr(0, 1023));
  EXPECT_EQ(Rest(), "z");
}

TEST_P(KXTokenTest, QuotedTextThrowsAtTheEndAndWhenMemoryIsRefused) {
  TKXString255 text;
  for (const char* cut : {"no quote", "\"open", "\"escape\\"}) {
    try {
      ReadQuotedText(Open(cut), text, false);
      ADD_FAILURE() << cut;
    } catch (const TKXException& e) {
      EXPECT_EQ(e.Code(), kKXErrEndOfStream) << cut;
    }
  }
  char token[kKXTokenSize];
  EXPECT_EQ(ScanToken(Open("\"escape\\"), token), kKXErrEndOfStream);
  // The first request is the text's block, the second its growth past 1000 characters; the
  // fixture checks that no block is left behind.
  for (std::uint32_t refused : {1u, 2u}) {
    TKXStream& stream = Open("\"" + std::string(1500, 'L') + "\"");
    Memory().RefuseRequest(refused);
    try {
      ReadQuotedText(stream, text, false);
      ADD_FAILURE() << refused;
    } catch (const TKXException& e) {
      EXPECT_EQ(e.Code(), kKXErrNoMemory) << refused;
    }
    Memory().ClearFaults();
  }
}

TEST(KXTokenFailingReadTest, AFailedReadEndsTheScan) {
  char token[kKXTokenSize];
  for (const char* text : {"", "  ", "word", "\"quoted", "#comment", "$0000", "$FFFFFFFF.."}) {
    KXFailingStream stream(text);
    try {
      EXPECT_EQ(ScanToken(stream, token), kKXErrEndOfStream) << text;
    } catch (const TKXException& e) {
      EXPECT_EQ(e.Code(), kKXErrEndOfStream) << text;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, KXTokenTest, ::testing::ValuesIn(kInputBufferSizes));
