#include "KXTextStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KXHostFixture.h"

namespace {

constexpr std::int32_t kWrite = static_cast<std::int32_t>(kKXFileWrite);
constexpr std::int32_t kRead = static_cast<std::int32_t>(kKXFileRead);
constexpr std::int32_t kMustExist = static_cast<std::int32_t>(kKXFileMustExist);

using Sizes = std::vector<std::uint32_t>;

// A stream test on a real file of its own, removed before and after.
class KXTextStreamTest : public KXHostFixture {
 protected:
  void SetUp() override {
    KXHostFixture::SetUp();
    path_ = ::testing::TempDir() + "KXTextStreamTest_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::remove(Path());
  }
  void TearDown() override {
    std::remove(Path());
    KXHostFixture::TearDown();
  }

  const char* Path() const { return path_.c_str(); }
  bool Exists() const { return std::ifstream(path_).good(); }
  std::string Contents() const {
    std::ostringstream text;
    text << std::ifstream(path_, std::ios::binary).rdbuf();
    return text.str();
  }
  void SetContents(const std::string& text) const {
    std::ofstream(path_, std::ios::binary) << text;
  }

 private:
  std::string path_;
};

// Writes `size` bytes in pieces of `piece` bytes, so that pieces straddle the buffer's edges.
std::string WriteInPieces(TKXStream& stream, std::size_t size, std::size_t piece) {
  std::string text(size, ' ');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
  for (std::size_t at = 0; at < size; at += piece)
    stream.Write(text.data() + at, static_cast<std::uint32_t>(std::min(piece, size - at)));
  return text;
}

}  // namespace

TEST_F(KXTextStreamTest, OpenCreatesOnlyWhenWritingAndTruncatesWhenWritingOnly) {
  bool created = true;
  {
    TKXTextStream mustExist(Path(), kWrite | kMustExist, 64, &created);
    EXPECT_FALSE(created);
    EXPECT_EQ(mustExist.State(), kKXStreamFail);
    EXPECT_EQ(mustExist.Open(Path(), kWrite | kMustExist, 64, &created), kKXErrFileNotFound);
    TKXTextStream reading(Path(), kRead, 64, nullptr);
    EXPECT_EQ(reading.State(), kKXStreamFail);
    EXPECT_FALSE(Exists());
  }
  // In host memory, as the exporter makes it; the fixture checks that all of it is freed.
  TKXStream* writing = new TKXTextStream(Path(), kWrite, 64, &created);
  EXPECT_TRUE(created);
  EXPECT_EQ(writing->State(), 0u);
  *writing << "a longer first text";
  delete writing;
  {
    TKXTextStream rewriting(Path(), kWrite, 64, &created);
    EXPECT_FALSE(created);
    EXPECT_EQ(rewriting.Length(), 0u);
    rewriting << "new";
  }
  EXPECT_EQ(Contents(), "new");
}

TEST_F(KXTextStreamTest, WritingIntoAReadableFileKeepsTheBytesAfterIt) {
  SetContents("0123456789");
  {
    TKXTextStream stream(Path(), kRead | kWrite, 64, nullptr);
    EXPECT_EQ(stream.Length(), 10u);
    stream << "AB";
  }
  EXPECT_EQ(Contents(), "AB23456789");
}

TEST_F(KXTextStreamTest, FullBuffersGoToTheHostAsTheyFillAndTheRestAtDestruction) {
  const std::pair<std::size_t, Sizes> cases[] = {{256, {}}, {2 * 256 + 100, {256, 256}}};
  for (const auto& [size, during] : cases) {
    for (std::size_t piece : {1, 7, 256, 612}) {
      SCOPED_TRACE(testing::Message() << size << " bytes in pieces of " << piece);
      Files().ClearWriteLog();
      std::string text;
      {
        TKXTextStream stream(Path(), kWrite, 256, nullptr);
        text = WriteInPieces(stream, size, piece);
        EXPECT_EQ(Files().WriteSizes(), during);
        EXPECT_EQ(stream.GetPosition(), size);
      }
      Sizes all = during;
      all.push_back(static_cast<std::uint32_t>(size - 256 * during.size()));
      EXPECT_EQ(Files().WriteSizes(), all);
      EXPECT_EQ(Contents(), text);
    }
  }
}

TEST_F(KXTextStreamTest, RefusedBufferIsHalvedUntilGranted) {
  Memory().RefuseRequest(1);
  {
    TKXTextStream stream(Path(), kWrite, 0x7f00, nullptr);
    EXPECT_EQ(stream.State(), 0u);
    EXPECT_EQ(stream.Capacity(), 0x3f80u);
  }
  // Not even one byte: the open fails, and the stream writes unbuffered.
  Memory().RefuseAllAfter(0);
  {
    TKXTextStream stream(Path(), kWrite, 100, nullptr);
    EXPECT_EQ(stream.State(), kKXStreamFail);
    EXPECT_EQ(Memory().Refusals(), 1u + 7u);  // 100, 50, 25, 12, 6, 3, 1
    stream << "abc";
  }
  EXPECT_EQ(Contents(), "abc");
}

TEST_F(KXTextStreamTest, SizeZeroOrLessIsUnbuffered) {
  for (std::int32_t size : {0, -1}) {
    Files().ClearWriteLog();
    {
      TKXTextStream stream(Path(), kWrite, size, nullptr);
      EXPECT_EQ(stream.Capacity(), 0u);
      stream << "ab" << std::int32_t{-7};
      EXPECT_EQ(Files().WriteSizes(), Sizes({2, 1, 1}));
      EXPECT_EQ(stream.GetPosition(), 4u);
    }
    EXPECT_EQ(Files().WriteCalls(), 3u);
    EXPECT_EQ(Contents(), "ab-7");
  }
}

TEST_F(KXTextStreamTest, CreatorAndTypeKeepTheHostsBytes) {
  {
    TKXTextStream stream(Path(), kWrite, 64, nullptr);
    stream.SetCreatorAndType(KXFourChar('3', 'D', 'o', 'u'), KXFourChar('T', 'E', 'X', 'T'));
  }
  const KXFileInfo info = Files().InfoOf(Path());
  const KXFileInfo untouched = THostFileManager::DefaultInfo();
  EXPECT_EQ(info.type, KXFourChar('T', 'E', 'X', 'T'));
  EXPECT_EQ(info.creator, KXFourChar('3', 'D', 'o', 'u'));
  EXPECT_TRUE(std::equal(info.host, info.host + 40, untouched.host));
}

