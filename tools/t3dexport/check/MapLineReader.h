// Lines of a map read from a stream in large pieces through its byte level, with their numbers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TKXStream;

class MapLineReader {
 public:
  /// Bytes asked of the stream at a time.
  static constexpr std::uint32_t kPieceSize = 1u << 16;
  /// Bytes of one line kept; the rest of a longer line is read and dropped.
  static constexpr std::size_t kLongestLine = 1u << 16;

  /// Reads `stream`, which must be open for reading, from its current position.
  explicit MapLineReader(TKXStream& stream);

  /// The next line without its line feed and without a carriage return before it; false when
  /// no line is left or a read failed. The view holds until the next call.
  bool Next(std::string_view& line);
  /// The number of the line Next delivered last, counting from 1.
  std::uint32_t LineNumber() const { return number_; }
  /// Whether the line Next delivered last was longer than kLongestLine and has been cut.
  bool Cut() const { return cut_; }
  /// Whether a read failed before the end of the data.
  bool Failed() const { return failed_; }

 private:
  /// Reads the next piece; false when nothing more came.
  bool Fill();
  /// Keeps `size` bytes at `bytes` for a line that goes on in the next piece.
  void Carry(const char* bytes, std::size_t size);
  static std::string_view WithoutReturn(std::string_view line);

  TKXStream& stream_;
  std::vector<char> piece_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::string carried_;
  bool carrying_ = false;
  bool cut_ = false;
  bool ended_ = false;
  bool failed_ = false;
  std::uint32_t number_ = 0;
};
