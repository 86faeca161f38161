#include "reliability/TokenScenario.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include "KXException.h"
#include "KXResultCodes.h"
#include "KXString.h"
#include "KXTextStream.h"

namespace {

constexpr std::int32_t kBufferSize = 16;
constexpr std::size_t kLongQuoteLength = 2500;  // grows the text's block from 1001 bytes twice

// The long quoted text: every printable character but the quote and the backslash, in turn.
std::string LongQuote() {
  std::string text;
  for (std::size_t i = 0; text.size() < kLongQuoteLength; ++i) {
    const char ch = static_cast<char>(' ' + i % 95);
    if (ch != '"' && ch != '\\') text += ch;
  }
  return text;
}

// A block's raw data: longer than the stream buffer, so skipping it moves the stream, and
// holding a '$' and words, so data read as text would show.
constexpr const char* kBlockData = "raw $ words that are no tokens 01234567";

// "$", the count of the data in eight hexadecimal digits, the byte after them, the data, "$".
std::string Block() {
  char count[9];
  std::snprintf(count, sizeof count, "%08zX", std::strlen(kBlockData));
  return std::string("$") + count + ":" + kBlockData + "$";
}

// One read of the script: a token, or the quoted text into a TKXString1023, and what it yields.
struct TRead {
  bool quoted;
  std::string expected;
};

const std::vector<TRead>& Script() {
  // After a comment a quote ends an empty token; the '$' block is an empty token too.
  static const std::vector<TRead> script = {
      {false, "alpha"}, {false, "beta"},  {false, "{"}, {false, "gamma"},
      {false, "}"},     {false, ""},      {false, "a \"quoted\" word"},
      {false, ""},      {false, "delta"}, {true, LongQuote().substr(0, 1023)},
      {false, "omega"}};
  return script;
}

// The end of the data: the quoted text and a block's count throw it with no file and line 0,
// the scanner's end of a token from KXCore/Source/Common/KXToken, line 516.
bool IsEndOfData(const TKXException& failure, bool quoted) {
  if (failure.Code() != kKXErrEndOfStream) return false;
  const char* file = failure.GetFileName();
  if (!file) return failure.Line() == 0;
  return !quoted && std::string(file) == "KXCore/Source/Common/KXToken" && failure.Line() == 516;
}

std::string Delivered(TKXStream& stream, bool quoted) {
  if (!quoted) {
    TKXString255 token;
    stream.ReadToken(token);
    return token.Buffer();
  }
  TKXString1023 text;
  stream.ReadQuotedString(text);
  return text.Buffer();
}

// Reads the script on, from read `matched`; returns how the reading ended.
std::string ReadScript(TKXStream& stream, TTokenRead& read) {
  const auto& script = Script();
  for (; read.matched <= script.size(); ++read.matched) {
    const bool last = read.matched == script.size();
    const bool quoted = !last && script[read.matched].quoted;
    try {
      const std::string text = Delivered(stream, quoted);
      if (last) return "read past the end: " + text;
      if (text != script[read.matched].expected) {
        read.wrong = "read " + std::to_string(read.matched + 1) + " gave \"" + text.substr(0, 40) +
                     "\"";
        return "wrong-text";
      }
    } catch (const TKXException& failure) {
      if (IsEndOfData(failure, quoted)) {
        return last ? token_ending::kReadAll : token_ending::kCutShort;
      }
      if (quoted && failure.Code() == kKXErrNoMemory) return token_ending::kQuotedRefused;
      return "exception " + std::to_string(failure.Code());
    }
  }
  return "no end";
}

}  // namespace

void WriteTokenText(const std::string& path) {
  std::ofstream(path, std::ios::binary)
      << "  alpha beta\n{gamma}\t# a comment line\n\"a \\\"quoted\\\" word\" "
      << Block() << " delta\n\"" << LongQuote() << "\" omega\n";
}

std::uint32_t TokenReads() { return static_cast<std::uint32_t>(Script().size()) + 1; }

TTokenRead ReadTokenText(const std::string& path, TRequestSteps* steps) {
  TTokenRead read;
  if (steps) steps->Enter("open");
  std::unique_ptr<TKXTextStream> stream(new TKXTextStream(
      path.c_str(), static_cast<std::int32_t>(kKXFileRead), kBufferSize, nullptr));
  if (!stream) {
    read.ending = token_ending::kStreamRefused;
    return read;
  }
  read.stateAfterOpen = stream->State();
  read.accessAfterOpen = stream->AccessFlags();
  if (steps) steps->Enter("read");
  read.ending = ReadScript(*stream, read);
  return read;
}
