#include "KXStreamWriter.h"

#include "KXTextStream.h"

TKXStreamWriter::TKXStreamWriter(TKXTextStream& stream) : stream_(stream) {
  stream_.BeginDirectWrite(next_, end_);
}

TKXStreamWriter::~TKXStreamWriter() { stream_.EndDirectWrite(next_); }

void TKXStreamWriter::WriteSigned(std::int32_t v) {
  auto magnitude = static_cast<std::uint32_t>(v);
  if (v < 0) {
    WriteLiteral("-");
    // In unsigned arithmetic, so the most negative value has a magnitude too.
    magnitude = 0u - magnitude;
  }
  char digits[10];
  char* first = digits + sizeof digits;
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  Write(first, static_cast<std::uint32_t>(digits + sizeof digits - first));
}

void TKXStreamWriter::WriteThroughStream(const char* bytes, std::uint32_t count) {
  stream_.EndDirectWrite(next_);
  stream_.Write(bytes, count);
  stream_.BeginDirectWrite(next_, end_);
}

void TKXStreamWriter::WriteFormattedPiece(Formatter formatter, const void* format) {
  char piece[kMaxFormatted];
  Write(piece, static_cast<std::uint32_t>(formatter(piece, format) - piece));
}
