#include "KXToken.h"

#include <limits>

#include "KXException.h"
#include "KXMemory.h"
#include "KXResultCodes.h"
#include "KXTextStream.h"

namespace {

constexpr char kQuote = '"';
constexpr char kBackslash = '\\';
constexpr char kEscapeByte = 1;
constexpr char kComment = '#';
constexpr char kBlock = '$';
constexpr char kOpenBrace = '{';
constexpr char kCloseBrace = '}';

// A block count of all ones marks a block whose data is not skipped by its length.
constexpr std::uint32_t kUncountedBlock = 0xFFFFFFFFu;

// Quoted texts start with room for this many characters and grow by as many.
constexpr std::uint32_t kQuotedRoomStep = 1000;

bool IsSeparator(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

bool IsTerminator(char ch) {
  return IsSeparator(ch) || ch == kComment || ch == kOpenBrace || ch == kCloseBrace ||
         ch == kQuote;
}

bool IsEscape(char ch) { return ch == kBackslash || ch == kEscapeByte; }

// Reads one byte into `ch`; false when none came. A failed read counts as the end of the data:
// it leaves `ch` as it was, and a scanner that went on would read the same failure forever.
bool Next(TKXStream& stream, char& ch) {
  stream.ReadChar(&ch);
  return (stream.State() & (kKXStreamEnd | kKXStreamFail)) == 0;
}

char NextOrThrow(TKXStream& stream) {
  char ch = 0;
  if (!Next(stream, ch)) throw TKXException(kKXErrEndOfStream, nullptr, 0);
  return ch;
}

// The caller's token array: keeps the first 255 characters, always NUL-terminated.
class TokenText {
 public:
  explicit TokenText(char* token) : token_(token) { token_[0] = '\0'; }
  void Store(char ch) {
    if (length_ == kKXTokenSize - 1) return;
    token_[length_++] = ch;
    token_[length_] = '\0';
  }

 private:
  char* token_;
  std::uint32_t length_ = 0;
};

// Moves `count` bytes forward from the current position; false when the stream did not get
// there. Positions and seek offsets are signed 32-bit values, so a skip that would end beyond the
// farthest position runs past the end of the data: the stream goes to its end. Either way the
// scanner never moves back over text it has read, which a pair of blocks could turn into a
// circle; and a move the host could not make never leaves raw data to be read as text.
bool SkipForward(TKXStream& stream, std::uint64_t count) {
  constexpr auto kFarthest = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  const std::uint64_t target = stream.GetPosition() + count;
  if (target > kFarthest) {
    stream.Seek(0, 2);
    return false;
  }
  stream.Seek(static_cast<std::int32_t>(count), 1);
  return stream.GetPosition() == target;
}

KXResult ScanQuoted(TKXStream& stream, TokenText& text) {
  char ch = 0;
  for (;;) {
    if (!Next(stream, ch)) return kKXErrEndOfStream;
    if (IsEscape(ch)) {
      if (!Next(stream, ch)) return kKXErrEndOfStream;
    } else if (ch == kQuote) {
      return kKXOk;
    }
    text.Store(ch);
  }
}

// The count and the raw data of a block, up to and with its closing '$'.
KXResult SkipBlock(TKXStream& stream) {
  std::uint32_t count = 0;
  ReadHexCount(stream, &count);
  // Short of its target the skip met the end of the data, or could not move at all.
  if (count != kUncountedBlock && !SkipForward(stream, std::uint64_t{count} + 1)) {
    return kKXErrEndOfStream;
  }
  char ch = 0;
  do {
    if (!Next(stream, ch)) return kKXErrEndOfStream;
  } while (ch != kBlock);
  return kKXOk;
}

// Comment lines and the separators after them; leaves the first other character in `ch`.
KXResult SkipComments(TKXStream& stream, char& ch) {
  do {
    do {
      if (!Next(stream, ch)) return kKXErrEndOfStream;
    } while (ch != '\r' && ch != '\n');
    do {
      if (!Next(stream, ch)) return kKXErrEndOfStream;
    } while (IsSeparator(ch));
  } while (ch == kComment);
  return kKXOk;
}

// A brace alone, or the characters up to a terminator, which goes back into the stream.
KXResult ScanPlain(TKXStream& stream, char ch, TokenText& text) {
  if (ch == kOpenBrace || ch == kCloseBrace) {
    text.Store(ch);
    return kKXOk;
  }
  while (!IsTerminator(ch)) {
    text.Store(ch);
    if (!Next(stream, ch)) return kKXErrEndOfStream;
  }
  stream.PutBack(ch);
  return kKXOk;
}

std::uint32_t HexDigitValue(char ch) {
  if (ch >= '0' && ch <= '9') return static_cast<std::uint32_t>(ch - '0');
  return static_cast<std::uint32_t>(ch - 'A' + 10);
}

bool IsHexDigit(char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F'); }

std::uint32_t ReadHexDigit(TKXStream& stream) {
  for (;;) {
    const char ch = NextOrThrow(stream);
    if (IsHexDigit(ch)) return HexDigitValue(ch);
    if (ch == kBlock) {
      stream.PutBack(ch);
      throw TKXException(kKXErrTokenSyntax, nullptr, 0);
    }
  }
}

// A quoted text of any length in host block memory, freed on every way out.
class QuotedText {
 public:
  QuotedText() : text_(static_cast<char*>(KXAllocBlock(room_ + 1))) {
    if (!text_) throw TKXException(kKXErrNoMemory, nullptr, 0);
  }
  ~QuotedText() { KXFreeBlock(text_); }
  QuotedText(const QuotedText&) = delete;
  QuotedText& operator=(const QuotedText&) = delete;

  void Append(char ch) {
    text_[length_++] = ch;
    if (length_ > room_) Grow();
  }
  const char* Terminated() {
    text_[length_] = '\0';
    return text_;
  }

 private:
  void Grow() {
    if (room_ > std::numeric_limits<std::uint32_t>::max() - kQuotedRoomStep - 1)
      throw TKXException(kKXErrNoMemory, nullptr, 0);
    void* grown = KXReallocBlock(text_, room_ + kQuotedRoomStep + 1);
    if (!grown) throw TKXException(kKXErrNoMemory, nullptr, 0);
    text_ = static_cast<char*>(grown);
    room_ += kQuotedRoomStep;
  }

  std::uint32_t room_ = kQuotedRoomStep;
  std::uint32_t length_ = 0;
  char* text_;
};

}  // namespace

KXResult ScanToken(TKXStream& stream, char* token) {
  TokenText text(token);
  char ch = 0;
  do {
    if (!Next(stream, ch)) return kKXErrEndOfStream;
  } while (IsSeparator(ch));
  switch (ch) {
    case kQuote:
      return ScanQuoted(stream, text);
    case kBlock:
      return SkipBlock(stream);
    case kComment:
      if (KXResult result = SkipComments(stream, ch)) return result;
      return ScanPlain(stream, ch, text);
    default:
      return ScanPlain(stream, ch, text);
  }
}

KXResult ReadHexCount(TKXStream& stream, std::uint32_t* count) {
  std::uint32_t value = 0;
  for (int shift = 28; shift >= 0; shift -= 4) value |= ReadHexDigit(stream) << shift;
  *count = value;
  return kKXOk;
}

TKXString255 ReadTokenString(TKXStream& stream) {
  char token[kKXTokenSize];
  if (KXResult result = ScanToken(stream, token)) throw TKXException(result, kKXRaisedTokenAtEnd);
  TKXString255 text;
  text.AssignText(token);
  text.PrepareImported();
  return text;
}

TKXString& ReadQuotedText(TKXStream& stream, TKXString& target, bool prepare) {
  while (NextOrThrow(stream) != kQuote) {
  }
  QuotedText text;
  for (char ch = NextOrThrow(stream); ch != kQuote; ch = NextOrThrow(stream)) {
    if (IsEscape(ch)) ch = NextOrThrow(stream);
    text.Append(ch);
  }
  target.AssignText(text.Terminated());
  if (prepare) target.PrepareImported();
  return target;
}
