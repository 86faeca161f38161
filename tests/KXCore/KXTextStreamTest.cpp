#include "KXTextStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KXHostFixture.h"
#include "KXTextStreamBookmark.h"
#include "support/FileText.h"

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
    path_ = TestFilePath("stream_", "");
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


namespace {

const std::string kDigits = "0123456789";

// Reads the whole file through `stream` in pieces of `piece` bytes, keeping what each read
// delivered.
std::string ReadInPieces(TKXStream& stream, std::uint32_t piece) {
  std::string text;
  std::string chunk(piece, '#');
  do {
    stream.Read(chunk.data(), piece);
    text.append(chunk.data(), stream.LastCount());
  } while (stream.State() == 0);
  return text;
}

std::string Pieces(std::uint32_t count) {
  std::string text;
  for (std::uint32_t i = 0; i < count; ++i) text += static_cast<char>('A' + i % 26);
  return text;
}

char NextChar(TKXStream& stream) {
  char ch = '#';
  stream.ReadChar(&ch);
  return ch;
}

}  // namespace

TEST_F(KXTextStreamTest, ReadsCrossBufferEdgesAndStopAtTheEnd) {
  const std::string text = Pieces(50);
  SetContents(text);
  for (std::int32_t size : {0, 1, 2, 3, 7, 64}) {
    for (std::uint32_t piece : {1u, 3u, 10u, 50u}) {
      SCOPED_TRACE(testing::Message() << "buffer " << size << ", pieces of " << piece);
      TKXTextStream stream(Path(), kRead, size, nullptr);
      EXPECT_EQ(ReadInPieces(stream, piece), text);
      EXPECT_EQ(stream.State(), kKXStreamEnd);
      EXPECT_EQ(stream.GetPosition(), 50u);
    }
  }
}

TEST_F(KXTextStreamTest, ShortReadDeliversWhatRemainsAndLeavesTheRest) {
  SetContents(kDigits);
  for (std::int32_t size : {0, 4}) {
    SCOPED_TRACE(size);
    TKXTextStream stream(Path(), kRead, size, nullptr);
    stream.Seek(6, 0);
    char out[11] = "##########";
    stream.Read(out, 10);
    EXPECT_EQ(stream.LastCount(), 4u);
    EXPECT_EQ(stream.State(), kKXStreamEnd);
    EXPECT_STREQ(out, "6789######");
    stream.Read(out, 1);
    EXPECT_EQ(stream.LastCount(), 0u);
    EXPECT_EQ(stream.State(), kKXStreamEnd);
  }
}

TEST_F(KXTextStreamTest, PutBackAtBufferStartsAndAtTheFileStart) {
  SetContents(kDigits);
  {
    TKXTextStream stream(Path(), kRead, 4, nullptr);
    for (int i = 0; i < 5; ++i) NextChar(stream);
    stream.PutBack('4');
    stream.PutBack('Z');  // at the start of the second buffer: the first is loaded again
    EXPECT_EQ(stream.GetPosition(), 3u);
    EXPECT_EQ(NextChar(stream), 'Z');
    EXPECT_EQ(NextChar(stream), '4');
    EXPECT_EQ(NextChar(stream), '5');

    stream.Seek(2, 0);  // a buffer that starts at 2, closer to the start than its size
    stream.PutBack('1');
    EXPECT_EQ(stream.GetPosition(), 1u);
    EXPECT_EQ(NextChar(stream), '1');
    EXPECT_EQ(NextChar(stream), '2');

    stream.Seek(0, 0);
    stream.Read(nullptr, 0);
    stream.PutBack('x');
    EXPECT_EQ(stream.State(), kKXStreamFail);
    EXPECT_EQ(NextChar(stream), '0');
  }
  {
    TKXTextStream stream(Path(), kRead, 0, nullptr);
    NextChar(stream);
    NextChar(stream);
    stream.PutBack('x');  // unbuffered: the file's own byte comes again
    EXPECT_EQ(NextChar(stream), '1');
  }
  EXPECT_EQ(Contents(), kDigits);  // put-back bytes never reach the file
}

TEST_F(KXTextStreamTest, SeeksOfEveryOriginBufferedAndUnbuffered) {
  SetContents(kDigits);
  for (std::int32_t size : {0, 4}) {
    SCOPED_TRACE(size);
    const std::uint32_t endAtLength = size == 0 ? kKXStreamEnd : 0u;
    TKXTextStream stream(Path(), kRead, size, nullptr);
    stream.Seek(7, 0);
    EXPECT_EQ(stream.State(), 0u);
    EXPECT_EQ(NextChar(stream), '7');
    stream.Seek(-3, 1);
    EXPECT_EQ(NextChar(stream), '5');
    stream.Seek(2, 2);
    EXPECT_EQ(stream.GetPosition(), 8u);
    EXPECT_EQ(NextChar(stream), '8');
    stream.Seek(1, 1);
    EXPECT_EQ(stream.State(), endAtLength);
    stream.Seek(10, 0);
    EXPECT_EQ(stream.State(), endAtLength);
    stream.Seek(0, 2);
    EXPECT_EQ(stream.State(), endAtLength);
    EXPECT_EQ(stream.GetPosition(), 10u);
    stream.Seek(1, 0);
    EXPECT_EQ(stream.State(), 0u);
    EXPECT_EQ(NextChar(stream), '1');
  }
  TKXTextStream stream(Path(), kRead, 4, nullptr);
  stream.Seek(11, 0);
  EXPECT_EQ(stream.State(), kKXStreamEnd);
  stream.Seek(-1, 0);
  EXPECT_EQ(stream.State(), kKXStreamEnd | kKXStreamFail);
  stream.Seek(0, 3);
  EXPECT_EQ(stream.State(), kKXStreamFail);
}

TEST_F(KXTextStreamTest, ReadPastTheEndOrPastAShrunkFileStopsWithNothing) {
  SetContents(kDigits);
  Files().AllowSeeksPastEnd();
  for (std::int32_t size : {1, 4}) {
    TKXTextStream stream(Path(), kRead, size, nullptr);
    stream.Seek(20, 0);
    EXPECT_EQ(stream.State(), kKXStreamEnd);
    char out[8] = "#######";
    stream.Read(out, 5);
    EXPECT_EQ(stream.LastCount(), 0u);
    EXPECT_EQ(stream.State(), kKXStreamEnd);
    EXPECT_STREQ(out, "#######");
  }
  TKXTextStream stream(Path(), kRead, 4, nullptr);
  SetContents("0123");  // the file shrinks behind the stream's back
  EXPECT_EQ(ReadInPieces(stream, 3), "0123");
  EXPECT_EQ(stream.State(), kKXStreamEnd);
}

TEST_F(KXTextStreamTest, ReadAfterASeekBeyondTheEndDeliversNothingWhateverTheHostAllows) {
  SetContents(kDigits);
  struct Case {
    std::int32_t offset, origin;
    std::uint32_t target;
  };
  const Case seeks[] = {{20, 0, 20}, {9, 1, 11}, {-1, 2, 11}};
  for (bool pastEndAllowed : {false, true}) {
    Files().AllowSeeksPastEnd(pastEndAllowed);
    for (std::int32_t size : {0, 1, 3, 4, 64}) {
      for (const Case& seek : seeks) {
        SCOPED_TRACE(testing::Message() << (pastEndAllowed ? "allowing" : "refusing") << ", buffer "
                                        << size << ", Seek(" << seek.offset << ", " << seek.origin
                                        << ")");
        TKXTextStream stream(Path(), kRead, size, nullptr);
        NextChar(stream);
        NextChar(stream);
        stream.Seek(seek.offset, seek.origin);
        char out[5] = "####";
        stream.Read(out, 4);
        EXPECT_EQ(stream.LastCount(), 0u);
        EXPECT_EQ(stream.State(), kKXStreamEnd);
        EXPECT_STREQ(out, "####");
        // A host that will not go past the end leaves the stream at the end.
        EXPECT_EQ(stream.GetPosition(), pastEndAllowed ? seek.target : 10u);
      }
    }
  }
}

// A host call that fails never shows as data: what a read delivers is the file's own bytes at
// the position asked for, a read the host failed is a failure rather than the end of the file,
// and a seek the host failed is reported or leaves nothing to read from the old position.
TEST_F(KXTextStreamTest, FailedHostCallsNeverShowAsData) {
  SetContents(kDigits);
  THostFileFaults& faults = Files().Faults();
  for (std::int32_t size : {0, 1, 3, 4, 64}) {
    for (std::uint32_t n = 1; n <= 4; ++n) {
      SCOPED_TRACE(testing::Message() << "buffer " << size << ", host call " << n);
      {
        TKXTextStream stream(Path(), kRead, size, nullptr);
        faults.FailCall(THostFileCall::Read, n, true);
        const std::string text = ReadInPieces(stream, 2);
        faults.Clear();
        EXPECT_EQ(text, kDigits.substr(0, text.size()));
        if (text.size() < kDigits.size()) {
          EXPECT_NE(stream.State() & kKXStreamFail, 0u);
        }
      }
      {
        TKXTextStream stream(Path(), kRead, size, nullptr);
        NextChar(stream);
        faults.FailCall(THostFileCall::Seek, n);
        stream.Seek(6, 0);
        const bool failed = stream.State() & kKXStreamFail;
        char out[3] = "##";
        stream.Read(out, 2);
        faults.Clear();
        const std::string read(out, stream.LastCount());
        EXPECT_TRUE(failed || read.empty() || read == "67") << read;
      }
    }
  }
  faults.FailCall(THostFileCall::GetInfo, 1);
  {
    TKXTextStream stream(Path(), kWrite, 64, nullptr);
    stream.SetCreatorAndType(KXFourChar('3', 'D', 'o', 'u'), KXFourChar('T', 'E', 'X', 'T'));
  }
  faults.Clear();
  const KXFileInfo info = Files().InfoOf(Path());
  const KXFileInfo untouched = THostFileManager::DefaultInfo();
  EXPECT_TRUE(std::equal(info.host, info.host + 40, untouched.host));
}

TEST_F(KXTextStreamTest, StateWordFollowsEachOperation) {
  SetContents(kDigits);
  TKXTextStream reading(Path(), kRead, 4, nullptr);
  reading << "x";
  EXPECT_EQ(reading.State(), kKXStreamFail);  // no writing allowed
  reading.Seek(9, 0);
  EXPECT_EQ(reading.State(), 0u);
  char out[4] = {};
  reading.Read(out, 2);
  EXPECT_EQ(reading.State(), kKXStreamEnd);
  reading.SetFail(kKXStreamErrNotNumber);
  reading.PutBack('9');  // neither put-back nor formatted output clears the word
  EXPECT_EQ(reading.State(), kKXStreamEnd | kKXStreamFail);
  reading.Read(out, 1);
  EXPECT_EQ(reading.State(), 0u);
  EXPECT_EQ(out[0], '9');

  TKXTextStream writing(Path(), kWrite, 4, nullptr);
  writing.Read(out, 1);
  EXPECT_EQ(writing.State(), kKXStreamFail);
  EXPECT_EQ(writing.LastCount(), 0u);
  writing << "ab";
  EXPECT_EQ(writing.State(), 0u);
  writing.PutBack('b');
  EXPECT_EQ(writing.State(), kKXStreamFail);
}

TEST_F(KXTextStreamTest, ReadingAfterWritingSeesTheFileAsWritten) {
  SetContents(kDigits);
  {
    TKXTextStream stream(Path(), kRead | kWrite, 4, nullptr);
    stream << "AB";
    char out[4] = {};
    stream.Read(out, 3);
    EXPECT_STREQ(out, "234");
    stream.Seek(2, 2);
    stream << "YZ!";
    EXPECT_EQ(stream.Length(), 11u);
  }
  EXPECT_EQ(Contents(), "AB234567YZ!");
}

TEST_F(KXTextStreamTest, OnlyWrittenBytesReachTheFile) {
  struct Case {
    const char* name;
    void (*run)(TKXStream&);
    const char* expected;
  };
  const Case cases[] = {
      {"read, put back",
       [](TKXStream& s) {
         NextChar(s);
         s.PutBack('Z');
       },
       "0123456789"},
      {"put back across a buffer start, read to the end",
       [](TKXStream& s) {
         for (int i = 0; i < 5; ++i) NextChar(s);
         s.PutBack('Y');
         s.PutBack('Z');
         ReadInPieces(s, 3);
       },
       "0123456789"},
      {"write, seek back, read",
       [](TKXStream& s) {
         s.Seek(3, 0);
         s << "AB";
         s.Seek(0, 0);
         ReadInPieces(s, 4);
       },
       "012AB56789"},
      {"read, write, seek on, read",
       [](TKXStream& s) {
         char out[4];
         s.Read(out, 4);
         s << "XY";
         s.Seek(8, 0);
         NextChar(s);
       },
       "0123XY6789"},
      {"write, seek past the end, read",
       [](TKXStream& s) {
         s << "AB";
         s.Seek(20, 0);
         NextChar(s);
       },
       "AB23456789"},
  };
  for (bool pastEndAllowed : {false, true}) {
    Files().AllowSeeksPastEnd(pastEndAllowed);
    for (std::int32_t size : {0, 1, 3, 4, 64}) {
      for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (pastEndAllowed ? "allowing" : "refusing") << ", buffer "
                                        << size << ": " << c.name);
        SetContents(kDigits);
        Files().ClearWriteLog();
        {
          TKXTextStream stream(Path(), kRead | kWrite, size, nullptr);
          c.run(stream);
        }
        EXPECT_EQ(Contents(), c.expected);
        // A stream that only read hands nothing to the host, not even the bytes it loaded.
        if (c.expected == kDigits) {
          EXPECT_EQ(Files().WriteCalls(), 0u);
        }
      }
    }
  }
}

TEST_F(KXTextStreamTest, WithoutAFileObjectEveryOperationFails) {
  Install(kKXEntryFileManager, nullptr);
  TKXTextStream stream(Path(), kRead | kWrite, 4, nullptr);
  EXPECT_EQ(stream.AccessFlags(), 0u);
  stream.Seek(0, 0);
  EXPECT_EQ(stream.State(), kKXStreamFail);
  stream << "x";
  EXPECT_EQ(stream.State(), kKXStreamFail);
  EXPECT_EQ(stream.GetPosition(), 0u);
}

namespace {

// Host memory that refuses every block larger than a limit.
class SmallBlockMemory final : public IKXMemoryManager {
 public:
  SmallBlockMemory(THostMemory& memory, std::uint32_t limit) : memory_(memory), limit_(limit) {}
  KXResult KX_CALL QueryInterface(const KXGUID&, void**) override { return kKXErrNoInterface; }
  std::int32_t KX_CALL AddRef() override { return 1; }
  std::int32_t KX_CALL Release() override { return 1; }
  void* KX_CALL AllocBlock(std::uint32_t size) override {
    requests.push_back(size);
    return size > limit_ ? nullptr : memory_.AllocBlock(size);
  }
  void* KX_CALL ReallocBlock(void* block, std::uint32_t size) override {
    return memory_.ReallocBlock(block, size);
  }
  void KX_CALL FreeBlock(void* block) override { memory_.FreeBlock(block); }
  void* KX_CALL AllocObject(std::uint32_t size) override { return memory_.AllocObject(size); }
  void KX_CALL FreeObject(void* object) override { memory_.FreeObject(object); }

  Sizes requests;

 private:
  THostMemory& memory_;
  std::uint32_t limit_;
};

}  // namespace

TEST_F(KXTextStreamTest, BufferIsHalvedDownToAFewBytes) {
  SmallBlockMemory small(Memory(), 4);
  Install(kKXEntryMemoryManager, &small);
  std::string text;
  {
    TKXTextStream stream(Path(), kWrite, 100, nullptr);
    EXPECT_EQ(small.requests, Sizes({100, 50, 25, 12, 6, 3}));
    EXPECT_EQ(stream.State(), 0u);
    EXPECT_EQ(stream.Capacity(), 3u);
    text = WriteInPieces(stream, 10, 2);
    EXPECT_EQ(Files().WriteSizes(), Sizes({3, 3, 3}));
  }
  Install(kKXEntryMemoryManager, &Memory());
  EXPECT_EQ(Contents(), text);
  TKXTextStream reading(Path(), kRead, 3, nullptr);
  EXPECT_EQ(ReadInPieces(reading, 4), text);
}

TEST_F(KXTextStreamTest, WritePathIsRelativeToTheStreamsFileAndCutToItsArea) {
  const std::string dir = ::testing::TempDir();
  const std::string longName(300, 'n');
  {
    TKXTextStream stream(Path(), kWrite, 64, nullptr);
    stream.WritePath((dir + "tex/a\"b.png").c_str());
    stream << " ";
    stream.WritePath((dir + longName).c_str());
  }
  EXPECT_EQ(Contents(), "\":tex:a\\\"b.png\" \":" + longName.substr(0, 254) + "\"");
}

TEST_F(KXTextStreamTest, BookmarkReopensAtItsPosition) {
  SetContents(kDigits);
  TKXTextStream stream(Path(), kRead, 4, nullptr);
  stream.Seek(6, 0);
  TKXStreamBookmark* bookmark = stream.CreateBookmark();
  ASSERT_NE(bookmark, nullptr);
  const auto& marked = static_cast<const TKXTextStreamBookmark&>(*bookmark);
  EXPECT_STREQ(marked.Path(), Path());
  EXPECT_EQ(marked.Position(), 6u);
  EXPECT_EQ(marked.BufferSize(), 4);
  EXPECT_EQ(marked.AccessFlags(), kKXFileRead);
  TKXTextStream* reopened = bookmark->Reopen();
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(NextChar(*reopened), '6');
  delete reopened;
  delete bookmark;
}

TEST_F(KXTextStreamTest, BookmarkOfAWriteOnlyStreamKeepsTheFile) {
  TKXStreamBookmark* bookmark = nullptr;
  {
    TKXTextStream stream(Path(), kWrite, 4, nullptr);
    stream << "hello";
    bookmark = stream.CreateBookmark();
  }
  ASSERT_NE(bookmark, nullptr);
  TKXTextStream* reopened = bookmark->Reopen();
  *reopened << " world";
  delete reopened;
  delete bookmark;
  EXPECT_EQ(Contents(), "hello world");
}

TEST_F(KXTextStreamTest, BookmarkNoticesWholePathChangesAndAccessChanges) {
  TKXTextStreamBookmark bookmark("/d/scene.t3d", kKXFileRead, 64, 0);
  bookmark.Notify("/d/scene", "/e/x", kKXBookmarkPathChanged);  // only a beginning
  bookmark.Notify("/d/scene.t3d.bak", "/e/x", kKXBookmarkPathChanged);
  EXPECT_STREQ(bookmark.Path(), "/d/scene.t3d");
  bookmark.Notify("/d/scene.t3d", "/d/s.t3d", kKXBookmarkPathChanged);
  EXPECT_STREQ(bookmark.Path(), "/d/s.t3d");
  bookmark.Notify("/d/s.t3d", "/d/a/much/longer/path.t3d", kKXBookmarkPathChanged);
  EXPECT_STREQ(bookmark.Path(), "/d/a/much/longer/path.t3d");
  const std::uint32_t flags = kKXFileRead | kKXFileWrite;
  bookmark.Notify("/x", reinterpret_cast<const char*>(&flags), kKXBookmarkAccessChanged);
  EXPECT_EQ(bookmark.AccessFlags(), kKXFileRead);
  bookmark.Notify(nullptr, reinterpret_cast<const char*>(&flags), kKXBookmarkAccessChanged);
  bookmark.Notify(nullptr, nullptr, kKXBookmarkPathChanged);
  bookmark.Notify("/a", "/b", 3);
  EXPECT_EQ(bookmark.AccessFlags(), flags);
}

TEST_F(KXTextStreamTest, BookmarkIsNullWhenTheHostRefusesItsMemory) {
  SetContents(kDigits);
  TKXTextStream stream(Path(), kRead, 4, nullptr);
  for (std::uint32_t refused : {1u, 2u}) {  // the object, then its path
    Memory().RefuseRequest(refused);
    EXPECT_EQ(stream.CreateBookmark(), nullptr);
  }
  Memory().ClearFaults();
  TKXStream& base = stream;
  EXPECT_EQ(base.TKXStream::CreateBookmark(), nullptr);
}
