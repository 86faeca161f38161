// One line of a map as a stream, so the tokenizer and the stream's formatted input can read it.
#pragma once

#include <cstdint>
#include <string_view>

#include "KXTextStream.h"

/// Reads the bytes of a line and then one line feed, which ends the line's last token as the
/// tokenizer needs. Seeks beyond that line feed stop at the end and set kKXStreamEnd.
class MapLineStream final : public TKXStream {
 public:
  MapLineStream();

  /// Starts reading `line` from its first byte. The bytes must outlive the reading.
  void Reset(std::string_view line);
  std::string_view Text() const { return text_; }
  /// The position as an index into Text(); Text().size() + 1 after the closing line feed.
  std::size_t Index() const { return pos_; }
  /// The text from the position to the end of the line.
  std::string_view Rest() const { return text_.substr(pos_ < text_.size() ? pos_ : text_.size()); }
  /// Moves to index `index` of Text().
  void MoveTo(std::size_t index);

  std::uint32_t GetPosition() override;
  void Seek(std::int32_t offset, std::int32_t origin) override;
  void Read(void* dst, std::uint32_t count) override;
  void ReadChar(char* ch) override;
  /// Steps back one byte; the line's own byte is read again.
  void PutBack(char ch) override;

 private:
  /// Bytes that can be read: the line and its line feed.
  std::size_t Size() const { return text_.size() + 1; }
  char ByteAt(std::size_t index) const { return index < text_.size() ? text_[index] : '\n'; }

  std::string_view text_;
  std::size_t pos_ = 0;
};
