// The formatted input of TKXStream: characters, words, integers, reals, quoted texts, paths and
// tokens, each read one byte at a time with one byte of look-ahead undone by PutBack.
#include <limits>

#include "KXString.h"
#include "KXTextStream.h"
#include "KXToken.h"

namespace {

constexpr char kQuote = '"';
constexpr char kBackslash = '\\';

// Longest text ReadQuoted stores; its area holds one byte more for the NUL.
constexpr std::int16_t kQuotedLongest = 256;

// The area the string operator reads into.
constexpr std::uint32_t kStringArea = 1024;

// Multipliers for the exponents -5 to 4 that a real may carry; any other exponent reads as 0.
constexpr std::int32_t kSmallestExponent = -5;
constexpr std::int32_t kLargestExponent = 4;
constexpr double kExponentScale[] = {0.00001, 0.0001, 0.001, 0.01, 0.1,
                                     1.0,     10.0,   100.0, 1000.0, 10000.0};

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The characters that end a text read without quotes: a fixed set, not the stream's.
bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }

// -value in unsigned arithmetic when `negative`, so the most negative value has a negation too.
std::uint32_t ApplySign(std::uint32_t value, bool negative) { return negative ? 0u - value : value; }

// Whether the last read delivered its byte. A read that fails leaves the target as it was, like
// one at the end of the data, so every loop here stops on either: going on would read the same
// failure forever.
bool Delivered(const TKXStream& stream) {
  return (stream.State() & (kKXStreamEnd | kKXStreamFail)) == 0;
}

bool IsSeparator(const TKXStream& stream, char ch) {
  for (const char* s = stream.Separators(); *s != '\0'; ++s)
    if (*s == ch) return true;
  return false;
}

// Undoes the last read, unless it delivered nothing.
void PutBackDelivered(TKXStream& stream, char ch) {
  if (Delivered(stream)) stream.PutBack(ch);
}

// The part ReadSigned and ReadUnsigned share: a sign ('+' only when `plusAllowed`) and digits,
// the value in unsigned arithmetic. Without a digit it sets the failure and leaves `out` alone.
void ReadInteger(TKXStream& stream, std::uint32_t* out, bool plusAllowed) {
  char ch = stream.SkipSeparators();
  bool negative = false;
  if (ch == '+' && plusAllowed) {
    stream.ReadChar(&ch);
  } else if (ch == '-') {
    negative = true;
    stream.ReadChar(&ch);
  }
  if (!IsDigit(ch)) {
    stream.SetFail(kKXStreamErrNotNumber);
    return;
  }
  const auto value = static_cast<std::uint32_t>(stream.ReadDigits(&ch));
  if (!IsSeparator(stream, ch)) PutBackDelivered(stream, ch);
  *out = ApplySign(value, negative);
}

}  // namespace

char TKXStream::SkipSeparators() {
  char ch = 0;
  do {
    ReadChar(&ch);
  } while (IsSeparator(*this, ch) && Delivered(*this));
  return ch;
}

std::int32_t TKXStream::ReadDigits(char* ch) {
  // Wraps modulo 2^32 on purpose: the digits are not checked for overflow.
  std::uint32_t value = 0;
  do {
    value = value * 10 + static_cast<std::uint32_t>(*ch - '0');
    ReadChar(ch);
  } while (IsDigit(*ch) && state_ == 0);
  return static_cast<std::int32_t>(value);
}

void TKXStream::ReadWord(char* out) { ReadWord(out, std::numeric_limits<std::uint32_t>::max()); }

void TKXStream::ReadWord(char* out, std::uint32_t size) {
  if (size == 0) return;
  std::uint32_t room = size - 1;
  char ch = SkipSeparators();
  while (Delivered(*this) && ch != '\0' && !IsSeparator(*this, ch)) {
    if (room == 0) {
      // The rest of the word stays for the next read.
      PutBack(ch);
      break;
    }
    *out++ = ch;
    --room;
    ReadChar(&ch);
  }
  if (IsSeparator(*this, ch)) PutBackDelivered(*this, ch);
  *out = '\0';
}

void TKXStream::ReadSigned(std::int32_t* out) {
  std::uint32_t value = 0;
  ReadInteger(*this, &value, true);
  *out = static_cast<std::int32_t>(value);
}

void TKXStream::ReadUnsigned(std::uint32_t* out) { ReadInteger(*this, out, false); }

void TKXStream::ReadReal(double* out) {
  char ch = SkipSeparators();
  bool negative = false;
  if (ch == '+') {
    ReadChar(&ch);
  } else if (ch == '-') {
    negative = true;
    ReadChar(&ch);
  }
  if (ch != '.' && !IsDigit(ch)) {
    SetFail(kKXStreamErrNotNumber);
    return;
  }
  std::uint32_t whole = 0;
  if (IsDigit(ch)) whole = static_cast<std::uint32_t>(ReadDigits(&ch));
  double fraction = 0.0;
  if (ch == '.') {
    double scale = 0.1;
    ReadChar(&ch);
    while (IsDigit(ch) && Delivered(*this)) {
      fraction = (ch - '0') * scale + fraction;
      scale *= 0.1;
      ReadChar(&ch);
    }
  }
  std::int32_t exponent = 0;
  if (ch == 'e' || ch == 'E') {
    bool negativeExponent = false;
    ReadChar(&ch);
    if (ch == '+') {
      ReadChar(&ch);
    } else if (ch == '-') {
      negativeExponent = true;
      ReadChar(&ch);
    }
    if (!IsDigit(ch)) {
      SetFail(kKXStreamErrNotNumber);
      return;
    }
    const auto digits = static_cast<std::uint32_t>(ReadDigits(&ch));
    exponent = static_cast<std::int32_t>(ApplySign(digits, negativeExponent));
  }
  // Colons and slashes right after a number, as in a time or a ratio (12:30, 7/8), go with it.
  while ((ch == ':' || ch == '/') && Delivered(*this)) ReadChar(&ch);
  if (!IsSeparator(*this, ch)) PutBackDelivered(*this, ch);
  const double value = (whole + fraction) * (negative ? -1.0 : 1.0);
  *out = exponent < kSmallestExponent || exponent > kLargestExponent
             ? 0.0
             : value * kExponentScale[exponent - kSmallestExponent];
}

void TKXStream::ReadQuoted(char* out) {
  std::int16_t i = 0;
  char ch = SkipSeparators();
  // Nothing came: the data ended among separators, whose last one is no text.
  if (!Delivered(*this)) {
    out[0] = '\0';
    return;
  }
  const bool quoted = ch == kQuote;
  if (!quoted) out[i++] = ch;
  for (;;) {
    ReadChar(&ch);
    if (state_ != 0) break;
    if (quoted ? ch == kQuote : IsBlank(ch)) break;
    if (i >= kQuotedLongest) break;
    if (ch == kBackslash) {
      ReadChar(&ch);
      if (state_ != 0) break;
    }
    out[i++] = ch;
  }
  out[i] = '\0';
}

TKXStream& TKXStream::operator>>(TKXString& s) {
  char text[kStringArea];
  ReadQuoted(text);
  s.AssignText(text);
  return *this;
}

TKXStream& TKXStream::operator>>(double& d) {
  ReadReal(&d);
  return *this;
}

TKXStream& TKXStream::operator>>(float& x) {
  double value = x;
  ReadReal(&value);
  x = static_cast<float>(value);
  return *this;
}

TKXStream& TKXStream::operator>>(std::uint32_t& v) {
  ReadUnsigned(&v);
  return *this;
}

TKXStream& TKXStream::operator>>(std::int32_t& v) {
  ReadSigned(&v);
  return *this;
}

TKXStream& TKXStream::operator>>(std::uint16_t& v) {
  std::uint32_t value = v;
  ReadUnsigned(&value);
  v = static_cast<std::uint16_t>(value);
  return *this;
}

TKXStream& TKXStream::operator>>(std::int16_t& v) {
  std::int32_t value = 0;
  ReadSigned(&value);
  v = static_cast<std::int16_t>(value);
  return *this;
}

TKXStream& TKXStream::ExtractUnsigned(std::uint32_t& v) { return *this >> v; }

TKXStream& TKXStream::ExtractSigned(std::int32_t& v) { return *this >> v; }

TKXStream& TKXStream::operator>>(char& ch) {
  ch = SkipSeparators();
  return *this;
}

TKXStream& TKXStream::ExtractChar(char& ch) { return *this >> ch; }

TKXStream& TKXStream::operator>>(char* word) {
  ReadWord(word);
  return *this;
}

TKXStream& TKXStream::ExtractText(char* word) { return *this >> word; }

void TKXStream::ReadPath(char* out) { ReadQuoted(out); }

bool TKXStream::ReadToken(TKXString& out) {
  out.Assign(ReadTokenString(*this));
  return true;
}

TKXString& TKXStream::ReadQuotedString(TKXString& out) { return ReadQuotedText(*this, out, true); }
