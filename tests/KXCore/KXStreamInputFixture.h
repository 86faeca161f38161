// Streams to read from: a file stream over a text of the test's choice, at several buffer sizes
// so that every read, put-back and seek also meets a buffer edge, and a stream in memory.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "KXHostFixture.h"
#include "KXTextStream.h"

// Buffer sizes: unbuffered, one byte, a few bytes, larger than any test text.
constexpr std::int32_t kInputBufferSizes[] = {0, 1, 3, 4096};

class KXStreamInputFixture : public KXHostFixture,
                             public ::testing::WithParamInterface<std::int32_t> {
 protected:
  void SetUp() override {
    KXHostFixture::SetUp();
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name)
      if (c == '/') c = '_';
    path_ = ::testing::TempDir() + "KXStreamInput_" + name;
  }
  void TearDown() override {
    stream_.reset();
    std::remove(path_.c_str());
    KXHostFixture::TearDown();
  }

  /// A stream reading `text` from a file, with the buffer size of the test's parameter.
  TKXTextStream& Open(const std::string& text) {
    stream_.reset();
    std::ofstream(path_, std::ios::binary) << text;
    stream_.reset(new TKXTextStream(path_.c_str(), static_cast<std::int32_t>(kKXFileRead),
                                    GetParam(), nullptr));
    EXPECT_EQ(stream_->State(), 0u);
    return *stream_;
  }
  /// What is left to read.
  std::string Rest() {
    std::string rest;
    for (char ch = 0;;) {
      stream_->ReadChar(&ch);
      if (stream_->State() != 0) return rest;
      rest += ch;
    }
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::unique_ptr<TKXTextStream> stream_;
};

/// A stream over bytes in memory whose reads past the end fail (kKXStreamFail alone) instead of
/// meeting the end, as a host read error does.
class KXFailingStream : public TKXStream {
 public:
  explicit KXFailingStream(std::string text) : text_(std::move(text)) {}
  void Read(void* dst, std::uint32_t count) override {
    state_ = 0;
    if (at_ + count > text_.size()) return SetFail(kKXStreamErrPastEnd);
    text_.copy(static_cast<char*>(dst), count, at_);
    at_ += count;
  }
  void PutBack(char) override { --at_; }
  void Seek(std::int32_t offset, std::int32_t) override {
    state_ = 0;
    at_ += static_cast<std::size_t>(offset);
  }

 private:
  std::string text_;
  std::size_t at_ = 0;
};
