// Bookmarks: what a stream hands out so that its file can be opened again later at the same
// place.
#pragma once

#include <cstdint>

#include "KXMemory.h"

class TKXTextStream;

/// Kinds of change a bookmark is told about.
constexpr std::int16_t kKXBookmarkPathChanged = 1;   // a file's path changed from a to b
constexpr std::int16_t kKXBookmarkAccessChanged = 2;  // with a null: b points to new access flags

class TKXStreamBookmark {
 public:
  KX_OBJECT_MEMORY

  TKXStreamBookmark(const TKXStreamBookmark&) = delete;
  TKXStreamBookmark& operator=(const TKXStreamBookmark&) = delete;

  // Here Reopen and Notify throw kKXErrNotImplemented.
  virtual ~TKXStreamBookmark();
  /// A new stream on the bookmarked file at the bookmarked position, or null; the caller
  /// deletes it.
  virtual TKXTextStream* Reopen();
  /// Tells the bookmark about a change of kind `kind` (see the kKXBookmark constants).
  virtual void Notify(const char* a, const char* b, std::int16_t kind);

 protected:
  TKXStreamBookmark() = default;
};

/// The bookmark of a TKXTextStream: its path, access flags, buffer size and position.
class TKXTextStreamBookmark : public TKXStreamBookmark {
 public:
  /// Copies `path` into a block of its own; Path() is null when the host refused the block.
  TKXTextStreamBookmark(const char* path, std::uint32_t accessFlags, std::int32_t bufferSize,
                        std::uint32_t position);
  ~TKXTextStreamBookmark() override;

  /// Opens the file again with the stored access flags and buffer size and seeks to the
  /// position. A write-only file is opened for reading too, so that it keeps its contents.
  TKXTextStream* Reopen() override;
  /// A path change applies when `a` is the whole stored path; an access change when `a` is null.
  void Notify(const char* a, const char* b, std::int16_t kind) override;

  const char* Path() const { return path_; }
  std::uint32_t AccessFlags() const { return accessFlags_; }
  std::int32_t BufferSize() const { return bufferSize_; }
  std::uint32_t Position() const { return position_; }

 private:
  void ReplacePath(const char* path);

  char* path_ = nullptr;
  std::uint32_t accessFlags_;
  std::int32_t bufferSize_;
  std::uint32_t position_;
};
