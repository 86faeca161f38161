#include "KXTextStreamBookmark.h"

#include "KXException.h"
#include "KXExceptionSupport.h"
#include "KXStrings.h"
#include "KXTextStream.h"

namespace {

// A copy of `text` in a block of its own, or null when the host refuses the block.
char* CopyOf(const char* text) {
  auto* copy = static_cast<char*>(KXAllocBlock(static_cast<std::uint32_t>(StrLength(text) + 1)));
  if (copy) StrCopy(copy, text);
  return copy;
}

}  // namespace

TKXStreamBookmark::~TKXStreamBookmark() = default;

TKXTextStream* TKXStreamBookmark::Reopen() { KXNotImplemented(); }

void TKXStreamBookmark::Notify(const char*, const char*, std::int16_t) { KXNotImplemented(); }

TKXTextStreamBookmark::TKXTextStreamBookmark(const char* path, std::uint32_t accessFlags,
                                             std::int32_t bufferSize, std::uint32_t position)
    : path_(CopyOf(path)), accessFlags_(accessFlags), bufferSize_(bufferSize), position_(position) {}

TKXTextStreamBookmark::~TKXTextStreamBookmark() { KXFreeBlock(path_); }

TKXTextStream* TKXTextStreamBookmark::Reopen() {
  // Opened for writing alone, the file would be cut to nothing before the seek.
  std::uint32_t mode = accessFlags_;
  if (mode & kKXFileWrite) mode |= kKXFileRead;
  auto* stream =
      new TKXTextStream(path_, static_cast<std::int32_t>(mode), bufferSize_, nullptr);
  if (stream) stream->Seek(static_cast<std::int32_t>(position_), 0);
  return stream;
}

void TKXTextStreamBookmark::Notify(const char* a, const char* b, std::int16_t kind) {
  if (kind == kKXBookmarkPathChanged) {
    if (a && b && path_ && StrCompareShort(a, path_) == 0 && StrLength(a) == StrLength(path_))
      ReplacePath(b);
  } else if (kind == kKXBookmarkAccessChanged) {
    if (!a && b) KXMemCopy(&accessFlags_, b, sizeof accessFlags_);
  }
}

void TKXTextStreamBookmark::ReplacePath(const char* path) {
  if (StrLength(path) <= StrLength(path_)) return StrCopy(path_, path);
  // A longer path needs a new block; when the host refuses it the old path stays.
  if (char* copy = CopyOf(path)) {
    KXFreeBlock(path_);
    path_ = copy;
  }
}
