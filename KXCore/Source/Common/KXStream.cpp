#include <cmath>

#include "KXException.h"
#include "KXExceptionSupport.h"
#include "KXString.h"
#include "KXStrings.h"
#include "KXTextStream.h"

namespace {

// The default set of separators: space, line feed, carriage return, tab. Shared, never freed.
constexpr char kSeparators[] = " \n\r\t";

// Exact powers of ten for the decimals of WriteDouble.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

constexpr double kLargestWritten = 2147483647.0;

}  // namespace

TKXStream::TKXStream() : separators_(kSeparators) {}

TKXStream::~TKXStream() = default;

std::uint32_t TKXStream::GetPosition() { KXNotImplemented(); }

void TKXStream::Seek(std::int32_t, std::int32_t) { KXNotImplemented(); }

void TKXStream::Read(void*, std::uint32_t) { KXNotImplemented(); }

void TKXStream::ReadChar(char* ch) { Read(ch, 1); }

void TKXStream::PutBack(char) { KXNotImplemented(); }

void TKXStream::Write(const void*, std::uint32_t) { KXNotImplemented(); }

TKXStream& TKXStream::Apply(TKXStreamManipulator fn) { return fn(*this); }

TKXStream& TKXStream::ApplyAgain(TKXStreamManipulator fn) { return Apply(fn); }

TKXStream& TKXStream::operator<<(const TKXString& s) {
  WriteQuoted(s.Buffer());
  return *this;
}

TKXStream& TKXStream::operator<<(double d) {
  WriteDouble(d);
  return *this;
}

TKXStream& TKXStream::operator<<(float x) {
  WriteFloat(x);
  return *this;
}

TKXStream& TKXStream::operator<<(std::uint16_t v) {
  WriteUnsigned(v);
  return *this;
}

TKXStream& TKXStream::operator<<(std::int16_t v) {
  WriteSigned(v);
  return *this;
}

TKXStream& TKXStream::operator<<(std::uint32_t v) {
  WriteUnsigned(v);
  return *this;
}

TKXStream& TKXStream::operator<<(std::int32_t v) {
  WriteSigned(v);
  return *this;
}

TKXStream& TKXStream::InsertUnsigned(std::uint32_t v) { return *this << v; }

TKXStream& TKXStream::InsertSigned(std::int32_t v) { return *this << v; }

TKXStream& TKXStream::operator<<(char ch) {
  Write(&ch, 1);
  return *this;
}

TKXStream& TKXStream::operator<<(const char* s) {
  Write(s, static_cast<std::uint32_t>(StrLength(s)));
  return *this;
}

TKXStream& TKXStream::InsertChar(char ch) { return *this << ch; }

TKXStream& TKXStream::InsertText(const char* s) { return *this << s; }

void TKXStream::WritePath(const char* path) { WriteQuoted(path); }

TKXStreamBookmark* TKXStream::CreateBookmark() { return nullptr; }

IKXUnknown* TKXStream::GetContext() { return context_.Get(); }

void TKXStream::SetContext(IKXUnknown* context) { context_ = context; }

void TKXStream::WriteQuoted(const char* s) {
  const char quote = '"';
  const char backslash = '\\';
  Write(&quote, 1);
  for (std::int32_t i = 0, n = StrLength(s); i < n; ++i) {
    if (s[i] == backslash || s[i] == quote) Write(&backslash, 1);
    Write(&s[i], 1);
  }
  Write(&quote, 1);
}

void TKXStream::SetFail(std::int32_t) { state_ |= kKXStreamFail; }

void TKXStream::WriteUnsigned(std::uint32_t v) {
  char digits[12];
  char* const end = digits + sizeof digits;
  char* first = end;
  do {
    *--first = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  Write(first, static_cast<std::uint32_t>(end - first));
}

void TKXStream::WriteSigned(std::int32_t v) {
  auto magnitude = static_cast<std::uint32_t>(v);
  if (v < 0) {
    Write("-", 1);
    // In unsigned arithmetic, so the most negative value has a magnitude too.
    magnitude = 0u - magnitude;
  }
  WriteUnsigned(magnitude);
}

void TKXStream::WriteDouble(double d) {
  if (d < 0) {
    Write("-", 1);
    d = -d;
  }
  // Written as the largest value too: anything that does not fit, and NaN, which has no
  // integer part to take.
  if (!(d < kLargestWritten)) {
    WriteSigned(static_cast<std::int32_t>(kLargestWritten));
    return;
  }
  auto whole = static_cast<std::int32_t>(d);
  const double scale = kPowersOfTen[precision_];
  // The added 1 keeps the fraction's leading zeros as digits below a leading 1.
  auto fraction = static_cast<std::int32_t>(std::floor((d + 1.0 - whole) * scale + 0.5));
  // A fraction that rounds up to a whole unit carries into the integer part before it is
  // written.
  if (fraction >= 2 * scale) {
    ++whole;
    fraction = static_cast<std::int32_t>(scale);
  }
  WriteSigned(whole);
  if (fraction <= scale) return;
  auto digits = static_cast<std::uint32_t>(fraction - static_cast<std::int32_t>(scale));
  char text[16];
  auto count = static_cast<std::uint32_t>(precision_);
  for (std::uint32_t i = count; i > 0; --i) {
    text[i] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  while (text[count] == '0') --count;
  text[0] = '.';
  Write(text, count + 1);
}

void TKXStream::WriteFloat(float x) {
  WriteDouble(std::floor(static_cast<double>(x) * 1000000.0 + 0.5) * 0.000001);
}
