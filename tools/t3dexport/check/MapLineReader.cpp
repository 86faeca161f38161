#include "MapLineReader.h"

#include <cstring>

#include "KXTextStream.h"

MapLineReader::MapLineReader(TKXStream& stream) : stream_(stream), piece_(kPieceSize) {}

bool MapLineReader::Next(std::string_view& line) {
  carried_.clear();
  carrying_ = false;
  cut_ = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) {
      // A last line without a line feed still counts; a failed read ends the map where it failed.
      if (!carrying_ || failed_) return false;
      ++number_;
      line = WithoutReturn(carried_);
      return true;
    }
    const char* start = piece_.data() + begin_;
    const auto* feed = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (!feed) {
      Carry(start, end_ - begin_);
      begin_ = end_;
      continue;
    }
    const auto size = static_cast<std::size_t>(feed - start);
    begin_ += size + 1;
    ++number_;
    if (carrying_) {
      Carry(start, size);
      line = WithoutReturn(carried_);
    } else {
      line = WithoutReturn(std::string_view(start, size));
    }
    return true;
  }
}

bool MapLineReader::Fill() {
  if (ended_ || failed_) return false;
  stream_.Read(piece_.data(), kPieceSize);
  const std::uint32_t state = stream_.State();
  begin_ = 0;
  end_ = stream_.LastCount();
  ended_ = (state & kKXStreamEnd) != 0;
  // A read that brings nothing without reaching the end would bring nothing forever.
  failed_ = (state & kKXStreamFail) != 0 || (end_ == 0 && !ended_);
  if (failed_) end_ = 0;
  return end_ > 0;
}

void MapLineReader::Carry(const char* bytes, std::size_t size) {
  carrying_ = true;
  const std::size_t room = kLongestLine - carried_.size();
  if (size > room) {
    cut_ = true;
    size = room;
  }
  carried_.append(bytes, size);
}

std::string_view MapLineReader::WithoutReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}
