// Output into a text stream's buffer without a call per piece: a piece that fits costs one
// comparison and a copy, and only a piece that reaches the buffer's end goes through the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class TKXTextStream;

/// Writes pieces of text into `stream`'s buffer in place. The stream ends up with the same bytes,
/// and its file with the same writes, as if each piece had been handed to the stream's Write: a
/// piece that does not fit goes through Write, which fills the buffer, hands it to the file and
/// goes on; a stream without a buffer gets every piece through Write. Nothing else may write to
/// the stream while the writer lives; the destructor hands the stream its bytes back.
class TKXStreamWriter {
 public:
  /// The longest piece that WriteFormatted may be given.
  static constexpr std::uint32_t kMaxFormatted = 1024;

  explicit TKXStreamWriter(TKXTextStream& stream);
  ~TKXStreamWriter();
  TKXStreamWriter(const TKXStreamWriter&) = delete;
  TKXStreamWriter& operator=(const TKXStreamWriter&) = delete;

  /// Writes `count` bytes from `bytes` as one piece.
  void Write(const char* bytes, std::uint32_t count) {
    // Strictly less: a piece that fills the buffer exactly, or an empty piece on a stream without
    // a buffer, is the stream's to handle.
    if (count < Room()) {
      std::memcpy(next_, bytes, count);
      next_ += count;
      return;
    }
    WriteThroughStream(bytes, count);
  }

  /// Writes a text of known length, such as a string literal, as one piece.
  template <std::size_t N>
  void WriteLiteral(const char (&text)[N]) {
    Write(text, static_cast<std::uint32_t>(N - 1));
  }

  /// Writes `text` up to its NUL as one piece.
  void WriteText(const char* text) { Write(text, static_cast<std::uint32_t>(std::strlen(text))); }

  /// The place of the next `count` bytes in the buffer, for a caller that writes them there
  /// itself and then hands the end of what it wrote to Commit; null when they do not fit, and
  /// the caller writes through the operations here instead.
  char* Reserve(std::uint32_t count) { return count < Room() ? next_ : nullptr; }
  /// Takes the bytes written from Reserve's place up to `end` as written.
  void Commit(char* end) { next_ = end; }

  /// Writes one piece that `format(out)` writes at `out` (at most kMaxFormatted bytes) and
  /// returns the end of: in place when it fits, else from a local area.
  template <class Format>
  void WriteFormatted(const Format& format) {
    if (kMaxFormatted < Room()) {
      next_ = format(next_);
      return;
    }
    WriteFormattedPiece(&Call<Format>, &format);
  }

 private:
  using Formatter = char* (*)(char* out, const void* format);

  std::uint32_t Room() const { return static_cast<std::uint32_t>(end_ - next_); }

  template <class Format>
  static char* Call(char* out, const void* format) {
    return (*static_cast<const Format*>(format))(out);
  }

  /// Hands the piece to the stream's Write and takes the buffer back where Write left it.
  void WriteThroughStream(const char* bytes, std::uint32_t count);
  /// Formats a piece in a local area and writes it; kept apart so that the area does not weigh
  /// on every caller of WriteFormatted.
  void WriteFormattedPiece(Formatter formatter, const void* format);

  TKXTextStream& stream_;
  char* next_ = nullptr;
  char* end_ = nullptr;
};
