#include "KXStreamWriter.h"

#include "KXTextStream.h"

TKXStreamWriter::TKXStreamWriter(TKXTextStream& stream) : stream_(stream) {
  stream_.BeginDirectWrite(next_, end_);
}

TKXStreamWriter::~TKXStreamWriter() { stream_.EndDirectWrite(next_); }

void TKXStreamWriter::WriteThroughStream(const char* bytes, std::uint32_t count) {
  stream_.EndDirectWrite(next_);
  stream_.Write(bytes, count);
  stream_.BeginDirectWrite(next_, end_);
}

void TKXStreamWriter::WriteFormattedPiece(Formatter formatter, const void* format) {
  char piece[kMaxFormatted];
  Write(piece, static_cast<std::uint32_t>(formatter(piece, format) - piece));
}
