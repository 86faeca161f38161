// The host's file objects on real files: what the text stream relies on, and the faults.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "KXIdentifiers.h"
#include "KXString.h"
#include "THostApplication.h"

namespace {

class THostFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const auto dir = std::filesystem::temp_directory_path() /
                     ("host_file_" + test + "_" + std::to_string(stamp));
    ASSERT_TRUE(std::filesystem::create_directory(dir));
    dir_ = dir.string();
  }

  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string PathOf(const char* name) const { return dir_ + "/" + name; }

  // The way the text stream binds a file: one object holds the location and mode, a second one
  // is asked for its I/O part and bound to the first.
  THostRef<IKXFileStream> Bind(const std::string& path, std::int32_t mode) {
    return BindIn(files_, path, mode);
  }
  static THostRef<IKXFileStream> BindIn(THostFileManager& files, const std::string& path,
                                        std::int32_t mode) {
    THostRef<IKXFileSpec> fileSpec;
    EXPECT_EQ(files.NewFileSpec(fileSpec.Out()), kKXOk);
    TKXString1023 text(path.c_str());
    EXPECT_EQ(fileSpec->SetPath(&text, 0), kKXOk);
    EXPECT_EQ(fileSpec->SetAccessMode(mode), kKXOk);
    THostRef<IKXFileSpec> other;
    files.NewFileSpec(other.Out());
    THostRef<IKXFileStream> stream;
    EXPECT_EQ(other->QueryInterface(kKXIIDFileStream, stream.Slot()), kKXOk);
    EXPECT_EQ(stream->SetSpec(fileSpec.Get()), kKXOk);
    return stream;
  }

  std::string Contents(const char* name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  THostApplication app_;
  THostFileManager& files_ = app_.Files();
  std::string dir_;
};

TEST_F(THostFileTest, CreatesWritesAndReadsBackARealFile) {
  {
    THostRef<IKXFileStream> out = Bind(PathOf("a.t3d"), kKXFileWrite);
    EXPECT_FALSE(out->Exists());
    EXPECT_EQ(out->Open(), kKXErrFileNotFound);
    EXPECT_EQ(out->Create(), kKXOk);
    EXPECT_TRUE(out->Exists());
    ASSERT_EQ(out->Open(), kKXOk);
    std::uint32_t actual = 0;
    EXPECT_EQ(out->Write("hello world", 11, &actual), kKXOk);
    EXPECT_EQ(actual, 11u);
    std::uint32_t length = 0, position = 0, flags = 0;
    EXPECT_EQ(out->GetLength(&length), kKXOk);
    EXPECT_EQ(out->GetPosition(&position), kKXOk);
    EXPECT_EQ(out->GetAccessFlags(&flags), kKXOk);
    EXPECT_EQ(length, 11u);
    EXPECT_EQ(position, 11u);
    EXPECT_EQ(flags, kKXFileWrite);
    char byte = 0;
    EXPECT_NE(out->Read(&byte, 1, nullptr), kKXOk) << "reading needs kKXFileRead";
  }
  EXPECT_EQ(Contents("a.t3d"), "hello world");

  THostRef<IKXFileStream> in = Bind(PathOf("a.t3d"), kKXFileRead);
  ASSERT_EQ(in->Open(), kKXOk);
  char buffer[16] = {};
  std::uint32_t actual = 0;
  EXPECT_EQ(in->Read(buffer, 5, &actual), kKXOk);
  EXPECT_EQ(std::string(buffer, actual), "hello");
  EXPECT_EQ(in->Seek(-5, 2), kKXOk);
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(in->Read(buffer, 10, &actual), kKXErrEndOfStream);
  EXPECT_EQ(actual, 5u);
  EXPECT_EQ(std::string(buffer, 6), "world#") << "bytes past the end stay untouched";
  EXPECT_EQ(in->Read(buffer, 1, nullptr), kKXErrEndOfStream);
  EXPECT_EQ(in->Write("x", 1, nullptr), kKXErrNotSupported) << "writing needs kKXFileWrite";
}

TEST_F(THostFileTest, SeeksOnlyWithinTheFile) {
  THostRef<IKXFileStream> file = Bind(PathOf("a.t3d"), kKXFileRead | kKXFileWrite);
  ASSERT_EQ(file->Create(), kKXOk);
  ASSERT_EQ(file->Open(), kKXOk);
  file->Write("0123456789", 10, nullptr);
  std::uint32_t position = 0;
  EXPECT_EQ(file->Seek(4, 0), kKXOk);
  EXPECT_EQ(file->Seek(-2, 1), kKXOk);
  file->GetPosition(&position);
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(file->Seek(0, 2), kKXOk);
  file->GetPosition(&position);
  EXPECT_EQ(position, 10u);
  EXPECT_NE(file->Seek(11, 0), kKXOk);
  EXPECT_NE(file->Seek(-1, 0), kKXOk);
  EXPECT_NE(file->Seek(1, 2), kKXOk);
  EXPECT_NE(file->Seek(0, 3), kKXOk);
  file->GetPosition(&position);
  EXPECT_EQ(position, 10u) << "a failed seek does not move";
  EXPECT_EQ(file->SetLength(3), kKXOk);
  std::uint32_t length = 0;
  file->GetLength(&length);
  EXPECT_EQ(length, 3u);
}

TEST_F(THostFileTest, PathAndInfoRecordComeBackPerPath) {
  const std::string path = PathOf("a.t3d");
  THostRef<IKXFileStream> first = Bind(path, kKXFileWrite);
  TKXString1023 answer;
  EXPECT_EQ(first->GetPath(&answer), kKXOk);
  EXPECT_EQ(std::string(answer.GetBuffer()), path);
  EXPECT_EQ(answer.ByteLength(), path.size());

  KXFileInfo info;
  std::memset(&info, 0, sizeof info);
  EXPECT_EQ(first->GetInfo(&info), kKXOk);
  const KXFileInfo fresh = THostFileManager::DefaultInfo();
  EXPECT_EQ(std::memcmp(&info, &fresh, sizeof info), 0);
  info.type = KXFourChar('T', 'E', 'X', 'T');
  info.creator = KXFourChar('K', 'X', 'h', 'o');
  EXPECT_EQ(first->SetInfo(&info), kKXOk);

  KXFileInfo again;
  std::memset(&again, 0, sizeof again);
  Bind(path, kKXFileRead)->GetInfo(&again);
  EXPECT_EQ(again.type, KXFourChar('T', 'E', 'X', 'T'));
  EXPECT_EQ(files_.InfoOf(path).creator, KXFourChar('K', 'X', 'h', 'o'));
  EXPECT_EQ(std::memcmp(again.host, fresh.host, sizeof again.host), 0);
  EXPECT_FALSE(files_.HasStoredInfo(PathOf("b.t3d")));
}

TEST_F(THostFileTest, RefusesOpenCreateAndNewFilesOnRequest) {
  THostRef<IKXFileStream> file = Bind(PathOf("a.t3d"), kKXFileWrite);
  files_.Faults().RefuseCreate();
  EXPECT_EQ(file->Create(), kKXErrNotSupported);
  EXPECT_FALSE(file->Exists());
  files_.Faults().Clear();
  ASSERT_EQ(file->Create(), kKXOk);
  files_.Faults().RefuseOpen();
  EXPECT_EQ(file->Open(), kKXErrNotSupported);
  EXPECT_NE(file->Write("x", 1, nullptr), kKXOk) << "the file stayed closed";
  files_.Faults().RefuseNewFiles();
  THostRef<IKXFileSpec> fileSpec;
  EXPECT_EQ(files_.NewFileSpec(fileSpec.Out()), kKXOk);
  EXPECT_FALSE(fileSpec);
}

TEST_F(THostFileTest, WriteLimitsFailOrShortenAndEveryWriteIsLogged) {
  THostRef<IKXFileStream> a = Bind(PathOf("a.t3d"), kKXFileWrite);
  THostRef<IKXFileStream> b = Bind(PathOf("b.t3d"), kKXFileWrite);
  for (IKXFileStream* file : {a.Get(), b.Get()}) {
    file->Create();
    file->Open();
  }
  std::uint32_t actual = 99;
  files_.Faults().FailWritesAfter(10);
  EXPECT_EQ(a->Write("12345678", 8, &actual), kKXOk);
  EXPECT_EQ(b->Write("abc", 3, &actual), kKXErrNotSupported) << "the limit spans all files";
  EXPECT_EQ(actual, 0u);
  files_.Faults().ShortenWritesAfter(2);
  EXPECT_EQ(b->Write("abc", 3, &actual), kKXOk);
  EXPECT_EQ(actual, 2u);
  EXPECT_EQ(a->Write("9", 1, &actual), kKXOk);
  EXPECT_EQ(actual, 0u);
  EXPECT_EQ(Contents("a.t3d"), "12345678");
  EXPECT_EQ(Contents("b.t3d"), "ab");
  EXPECT_EQ(files_.WriteSizes(), (std::vector<std::uint32_t>{8, 3, 3, 1}));
}

TEST_F(THostFileTest, SeeksFailAfterTheirAllowance) {
  THostRef<IKXFileStream> file = Bind(PathOf("a.t3d"), kKXFileWrite);
  file->Create();
  file->Open();
  files_.Faults().FailSeeksAfter(1);
  EXPECT_EQ(file->Seek(0, 0), kKXOk);
  EXPECT_EQ(file->Seek(0, 0), kKXErrNotSupported);
  files_.Faults().Clear();
  EXPECT_EQ(file->Seek(0, 0), kKXOk);
}

// One call of `call` on `file` (open, with read and write access); true when it succeeded.
bool Succeeds(THostFileManager& files, IKXFileStream* file, THostFileCall call) {
  KXFileInfo info{};
  std::uint32_t value = 0;
  char byte = 0;
  switch (call) {
    case THostFileCall::NewFileSpec: {
      THostRef<IKXFileSpec> made;
      files.NewFileSpec(made.Out());
      return static_cast<bool>(made);
    }
    case THostFileCall::Create: return file->Create() == kKXOk;
    case THostFileCall::Open: return file->Open() == kKXOk;
    case THostFileCall::GetLength: return file->GetLength(&value) == kKXOk;
    case THostFileCall::GetInfo: return file->GetInfo(&info) == kKXOk;
    case THostFileCall::SetInfo: return file->SetInfo(&info) == kKXOk;
    case THostFileCall::SetLength: return file->SetLength(1) == kKXOk;
    case THostFileCall::Seek: return file->Seek(0, 0) == kKXOk;
    case THostFileCall::Read: return file->Read(&byte, 0, nullptr) == kKXOk;
    case THostFileCall::Write: return file->Write("x", 1, nullptr) == kKXOk;
    case THostFileCall::kCount: break;
  }
  return false;
}

TEST_F(THostFileTest, EveryOperationFailsAtTheCallAskedFor) {
  THostRef<IKXFileStream> file = Bind(PathOf("a.t3d"), kKXFileRead | kKXFileWrite);
  ASSERT_EQ(file->Create(), kKXOk);
  ASSERT_EQ(file->Open(), kKXOk);
  for (int i = 0; i < static_cast<int>(THostFileCall::kCount); ++i) {
    const auto call = static_cast<THostFileCall>(i);
    for (bool onward : {false, true}) {
      files_.Faults().Clear();
      files_.Faults().FailCall(call, 2, onward);
      std::string outcomes;
      for (int n = 0; n < 4; ++n) outcomes += Succeeds(files_, file.Get(), call) ? '+' : '-';
      EXPECT_EQ(outcomes, onward ? "+---" : "+-++") << "operation " << i;
      EXPECT_EQ(files_.Faults().Calls(call), 4u) << "operation " << i;
    }
  }
}

TEST_F(THostFileTest, WriteAccountCountsFailedAndShortWritesAndTheBytesWritten) {
  THostRef<IKXFileStream> file = Bind(PathOf("a.t3d"), kKXFileWrite);
  file->Create();
  file->Open();
  files_.Faults().FailCall(THostFileCall::Write, 2);
  files_.Faults().ShortenWrite(3);
  std::uint32_t actual = 0;
  const char* const writes[] = {"1234", "lost", "abcdef", "xy"};
  const KXResult answers[] = {kKXOk, kKXErrNotSupported, kKXOk, kKXOk};
  const std::uint32_t written[] = {4, 0, 3, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(file->Write(writes[i], static_cast<std::uint32_t>(std::strlen(writes[i])), &actual),
              answers[i]);
    EXPECT_EQ(actual, written[i]);
  }
  EXPECT_EQ(Contents("a.t3d"), "1234abcxy");
  EXPECT_EQ(files_.FailedWrites(), 1u);
  EXPECT_EQ(files_.ShortWrites(), 1u);
  EXPECT_EQ(files_.BytesWritten(), 9u);
  // A write the file cannot take counts as failed too, and the log keeps what was asked.
  THostRef<IKXFileStream> closed = Bind(PathOf("b.t3d"), kKXFileWrite);
  EXPECT_NE(closed->Write("z", 1, nullptr), kKXOk);
  EXPECT_EQ(files_.FailedWrites(), 2u);
  EXPECT_EQ(files_.WriteSizes(), (std::vector<std::uint32_t>{4, 4, 6, 2, 1}));
}

// Collects what passes through, and refuses what comes after `refuseFrom` bytes.
struct CollectingFilter final : THostWriteFilter {
  bool Take(const void* data, std::uint32_t count) override {
    if (taken.size() + count > refuseFrom) return false;
    taken.append(static_cast<const char*>(data), count);
    return true;
  }
  std::string taken;
  std::size_t refuseFrom = 1000;
};

TEST_F(THostFileTest, AFilteredPathHandsWritesOnInOrderAndLeavesTheFileAlone) {
  CollectingFilter filter;
  files_.FilterWrites(PathOf("a.t3d"), &filter);
  EXPECT_NE(Bind(PathOf("a.t3d"), kKXFileRead | kKXFileWrite)->Open(), kKXOk) << "nothing to read";
  THostRef<IKXFileStream> file = Bind(PathOf("a.t3d"), kKXFileWrite);
  ASSERT_EQ(file->Create(), kKXOk);
  ASSERT_EQ(file->Open(), kKXOk);
  std::uint32_t actual = 0, position = 0, length = 0;
  EXPECT_EQ(file->Write("0123456789", 10, &actual), kKXOk);
  EXPECT_EQ(file->Seek(4, 0), kKXOk);
  EXPECT_NE(file->Write("x", 1, &actual), kKXOk) << "what was handed on cannot be rewritten";
  EXPECT_NE(file->Seek(11, 0), kKXOk) << "no gap";
  EXPECT_NE(file->SetLength(4), kKXOk);
  EXPECT_EQ(file->SetLength(10), kKXOk);
  char byte = 0;
  EXPECT_NE(file->Read(&byte, 1, nullptr), kKXOk);
  file->GetPosition(&position);
  file->GetLength(&length);
  EXPECT_EQ(position, 4u);
  EXPECT_EQ(length, 10u);
  EXPECT_EQ(file->Seek(0, 2), kKXOk);
  filter.refuseFrom = 12;
  EXPECT_EQ(file->Write("ab", 2, &actual), kKXOk);
  EXPECT_NE(file->Write("cd", 2, &actual), kKXOk) << "the filter refused";
  EXPECT_EQ(actual, 0u);
  EXPECT_EQ(filter.taken, "0123456789ab");
  EXPECT_EQ(files_.FailedWrites(), 2u);
  EXPECT_EQ(files_.BytesWritten(), 12u);
  file->Close();
  EXPECT_EQ(Contents("a.t3d"), "") << "the file itself is only created";
  // Once the filter is gone the path is an ordinary file again.
  files_.FilterWrites(PathOf("a.t3d"), nullptr);
  ASSERT_EQ(file->Open(), kKXOk);
  EXPECT_EQ(file->Write("plain", 5, &actual), kKXOk);
  EXPECT_EQ(Contents("a.t3d"), "plain");
}

// A file written, faults and seeks among the writes, then closed: its bytes, the write account
// and log, and where the file stood before it closed.
std::string WriteAndClose(THostFileManager& files, IKXFileStream* file, const std::string& path) {
  file->Create();
  file->Open();
  files.Faults().FailCall(THostFileCall::Write, 2);
  files.Faults().ShortenWrite(4);
  for (const char* text : {"0123456789", "lost", "abcdef", "abcdef"}) {
    file->Write(text, static_cast<std::uint32_t>(std::strlen(text)), nullptr);
  }
  file->Seek(2, 0);
  file->Write("ZZ", 2, nullptr);
  file->Seek(0, 2);
  file->Write("!", 1, nullptr);
  std::uint32_t position = 0, length = 0;
  file->GetPosition(&position);
  file->GetLength(&length);
  file->Close();
  std::ifstream in(path, std::ios::binary);
  std::string outcome(std::istreambuf_iterator<char>(in), {});
  for (std::uint64_t n : {std::uint64_t{position}, std::uint64_t{length},
                          std::uint64_t{files.FailedWrites()}, std::uint64_t{files.ShortWrites()},
                          files.BytesWritten()}) {
    outcome += " " + std::to_string(n);
  }
  for (std::uint32_t size : files.WriteSizes()) outcome += " " + std::to_string(size);
  return outcome;
}

TEST_F(THostFileTest, WritingBehindEndsAsWritingInPlaceAndCountsWhatTheSystemRefused) {
  const auto run = [&](bool behind, const char* name) {
    THostApplication app;
    app.Files().WriteBehind(behind);
    return WriteAndClose(app.Files(), BindIn(app.Files(), PathOf(name), kKXFileWrite).Get(),
                         PathOf(name));
  };
  const std::string inPlace = run(false, "in-place.t3d");
  EXPECT_EQ(inPlace, "01ZZ456789abcdefabc! 20 20 1 1 22 10 4 6 6 2 1");
  EXPECT_EQ(run(true, "behind.t3d"), inPlace);
  // The system's refusal comes after the answer; the account has it once the file is closed.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no device that is always full";
  files_.WriteBehind();
  THostRef<IKXFileStream> full = Bind("/dev/full", kKXFileWrite);
  ASSERT_EQ(full->Open(), kKXOk);
  EXPECT_EQ(full->Write("x", 1, nullptr), kKXOk);
  full->Close();
  EXPECT_EQ(files_.FailedWrites(), 1u);
  EXPECT_EQ(files_.BytesWritten(), 0u);
}

TEST_F(THostFileTest, FileObjectsLiveUntilTheirLastReference) {
  THostRef<IKXFileSpec> fileSpec;
  files_.NewFileSpec(fileSpec.Out());
  THostRef<IKXFileStream> stream;
  EXPECT_EQ(fileSpec->QueryInterface(kKXIIDFileStream, stream.Slot()), kKXOk);
  EXPECT_EQ(app_.LiveFileObjects(), 1);
  fileSpec.Reset();
  EXPECT_EQ(app_.LiveFileObjects(), 1);
  stream.Reset();
  EXPECT_EQ(app_.LiveFileObjects(), 0);

  THostRef<IKXFileStream> destination = files_.NewDestination(PathOf("a.t3d"));
  EXPECT_EQ(app_.LiveFileObjects(), 0) << "destinations belong to the test, not the plug-in";
  TKXString1023 path;
  destination->GetPath(&path);
  EXPECT_EQ(std::string(path.GetBuffer()), PathOf("a.t3d"));
  EXPECT_EQ(files_.FileObjectsMade(), 1);
}

}  // namespace
