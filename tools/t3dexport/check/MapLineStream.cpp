#include "MapLineStream.h"

#include "KXResultCodes.h"

MapLineStream::MapLineStream() { accessFlags_ = kKXFileRead; }

void MapLineStream::Reset(std::string_view line) {
  text_ = line;
  pos_ = 0;
  state_ = 0;
}

void MapLineStream::MoveTo(std::size_t index) {
  state_ = 0;
  pos_ = index < Size() ? index : Size();
  if (pos_ == Size()) state_ = kKXStreamEnd;
}

std::uint32_t MapLineStream::GetPosition() { return static_cast<std::uint32_t>(pos_); }

void MapLineStream::Seek(std::int32_t offset, std::int32_t origin) {
  state_ = 0;
  if (origin < 0 || origin > 2) return SetFail(kKXStreamErrBadPosition);
  const auto base = static_cast<std::int64_t>(origin == 0 ? 0 : origin == 1 ? pos_ : Size());
  const std::int64_t target = origin == 2 ? base - offset : base + offset;
  if (target < 0) return SetFail(kKXStreamErrBadPosition);
  MoveTo(static_cast<std::size_t>(target));
}

void MapLineStream::Read(void* dst, std::uint32_t count) {
  state_ = 0;
  lastCount_ = 0;
  auto* out = static_cast<char*>(dst);
  while (lastCount_ < count && pos_ < Size()) out[lastCount_++] = ByteAt(pos_++);
  if (lastCount_ < count) state_ = kKXStreamEnd;
}

void MapLineStream::ReadChar(char* ch) {
  // The tokenizer and the number input read one byte at a time: the short way.
  state_ = 0;
  if (pos_ < Size()) {
    *ch = ByteAt(pos_++);
    lastCount_ = 1;
  } else {
    state_ = kKXStreamEnd;
    lastCount_ = 0;
  }
}

void MapLineStream::PutBack(char) {
  if (pos_ == 0) return SetFail(kKXStreamErrBadPosition);
  --pos_;
}
