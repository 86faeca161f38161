#include "THostFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "KXIdentifiers.h"
#include "THostBackgroundWriter.h"
#include "THostShell.h"

namespace {
constexpr KXResult kRefused = kKXErrNotSupported;

// Files are bytes: no line-end translation where the C library would otherwise do it.
#ifdef O_BINARY
constexpr int kBinary = O_BINARY;
#else
constexpr int kBinary = 0;
#endif

KXResult OpenFailure() { return errno == ENOENT ? kKXErrFileNotFound : kRefused; }
}  // namespace

/// A host file object: a location with an access mode, and byte I/O with POSIX calls on the real
/// file there or through the write filter of its path. It enters its manager's table when made
/// and leaves it when its last reference goes (or when the manager goes first).
class THostFile final
    : public KXImplements<THostFile, THostCounted, IKXFileSpec, IKXFileStream> {
 public:
  THostFile(THostFileTable& table, bool forPlugin) : table_(table), forPlugin_(forPlugin) {
    table_.Enter(this);
  }
  ~THostFile() {
    Close();
    table_.Leave(this);
  }

  /// Destroys the object at 0.
  std::int32_t KX_CALL Release() override {
    const std::int32_t count = refs_.Drop();
    if (count == 0) delete this;
    return count;
  }

  // IKXFileSpec
  KXResult KX_CALL SetPath(const TKXString* path, std::int32_t flags) override;
  KXResult KX_CALL SetAccessMode(std::int32_t mode) override;

  // IKXFileStream
  KXResult KX_CALL SetSpec(IKXFileSpec* fileSpec) override;
  std::uint8_t KX_CALL Exists() override;
  KXResult KX_CALL GetInfo(KXFileInfo* info) override;
  KXResult KX_CALL GetLength(std::uint32_t* length) override;
  KXResult KX_CALL GetPosition(std::uint32_t* position) override;
  KXResult KX_CALL GetAccessFlags(std::uint32_t* flags) override;
  KXResult KX_CALL Create() override;
  KXResult KX_CALL Open() override;
  KXResult KX_CALL Close() override;
  KXResult KX_CALL Read(void* dst, std::uint32_t count, std::uint32_t* actual) override;
  KXResult KX_CALL Write(const void* src, std::uint32_t count, std::uint32_t* actual) override;
  KXResult KX_CALL Seek(std::int32_t offset, std::int32_t origin) override;
  KXResult KX_CALL SetLength(std::uint32_t length) override;
  KXResult KX_CALL GetPath(TKXString* path) override;
  KXResult KX_CALL SetInfo(const KXFileInfo* info) override;

  void SetPathText(std::string path) { path_ = std::move(path); }
  bool IsOpen() const { return fd_ >= 0 || filter_; }
  bool MadeForPlugin() const { return forPlugin_; }

 private:
  bool Allows(std::uint32_t flag) const { return (mode_ & flag) != 0; }
  KXResult LengthOfOpenFile(std::uint32_t& length) const;
  KXResult PositionOfOpenFile(std::uint32_t& position) const;
  KXResult MoveTo(std::int64_t target);
  /// Takes a Write of `count` bytes past the faults: false when it must fail, else the bytes it
  /// may write in `granted`.
  bool Grant(std::uint32_t count, std::uint32_t& granted);
  KXResult WriteAll(const void* src, std::uint32_t count, std::uint32_t& written);
  void StartWritingBehind();
  /// Hands `count` bytes of a Write of `asked` to the writer behind, at the file's position.
  void WriteBehind(const void* src, std::uint32_t count, std::uint32_t asked);
  /// Waits for the writer behind and counts what became of its writes.
  void SettleWritesBehind();

  THostFileTable& table_;
  bool forPlugin_;
  std::string path_;
  std::uint32_t mode_ = 0;
  int fd_ = -1;
  // Where the descriptor stands, which only this object's reads, writes and seeks move: the
  // stream seeks before every block it writes, and asking the system costs a call each time.
  std::int64_t fdPosition_ = 0;
  // Writing behind (THostFileManager::WriteBehind), on a file open to write only: each block is
  // written at its position by a thread of its own, and the length is the end of what was
  // handed over.
  std::unique_ptr<THostBackgroundWriter> behind_;
  std::int64_t behindLength_ = 0;
  // Open on a filtered path: what the plug-in has written, and where it is.
  THostWriteFilter* filter_ = nullptr;
  std::uint32_t filteredLength_ = 0;
  std::uint32_t filteredPosition_ = 0;
};

KXResult THostFile::SetPath(const TKXString* path, std::int32_t) {
  if (!path) return kRefused;
  path_ = THostReadString(path);
  return kKXOk;
}

KXResult THostFile::SetAccessMode(std::int32_t mode) {
  mode_ = static_cast<std::uint32_t>(mode);
  return kKXOk;
}

KXResult THostFile::SetSpec(IKXFileSpec* fileSpec) {
  const THostFile* source = table_.FindBySpec(fileSpec);
  if (!source) return kRefused;
  Close();
  path_ = source->path_;
  mode_ = source->mode_;
  return kKXOk;
}

std::uint8_t THostFile::Exists() {
  struct stat status {};
  return !path_.empty() && ::stat(path_.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

KXResult THostFile::GetInfo(KXFileInfo* info) {
  if (!table_.Faults().Take(THostFileCall::GetInfo)) return kRefused;
  *info = table_.InfoOf(path_);
  return kKXOk;
}

KXResult THostFile::SetInfo(const KXFileInfo* info) {
  if (!table_.Faults().Take(THostFileCall::SetInfo)) return kRefused;
  table_.StoreInfo(path_, *info);
  return kKXOk;
}

KXResult THostFile::GetLength(std::uint32_t* length) {
  if (!table_.Faults().Take(THostFileCall::GetLength)) return kRefused;
  if (IsOpen()) return LengthOfOpenFile(*length);
  struct stat status {};
  if (::stat(path_.c_str(), &status) != 0) return OpenFailure();
  *length = static_cast<std::uint32_t>(status.st_size);
  return kKXOk;
}

KXResult THostFile::GetPosition(std::uint32_t* position) {
  if (!IsOpen()) return kRefused;
  return PositionOfOpenFile(*position);
}

KXResult THostFile::GetAccessFlags(std::uint32_t* flags) {
  *flags = mode_;
  return kKXOk;
}

KXResult THostFile::Create() {
  if (!table_.Faults().Take(THostFileCall::Create)) return kRefused;
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | kBinary, 0644);
  if (fd < 0) return OpenFailure();
  ::close(fd);
  return kKXOk;
}

KXResult THostFile::Open() {
  if (!table_.Faults().Take(THostFileCall::Open)) return kRefused;
  if (IsOpen()) return kKXOk;
  if (THostWriteFilter* filter = table_.FilterOf(path_)) {
    if (Allows(kKXFileRead)) return kRefused;
    filter_ = filter;
    filteredLength_ = filteredPosition_ = 0;
    return kKXOk;
  }
  fd_ = ::open(path_.c_str(), (Allows(kKXFileWrite) ? O_RDWR : O_RDONLY) | kBinary);
  fdPosition_ = 0;
  if (!IsOpen()) return OpenFailure();
  if (table_.writeBehind && Allows(kKXFileWrite) && !Allows(kKXFileRead)) StartWritingBehind();
  return kKXOk;
}

void THostFile::StartWritingBehind() {
  struct stat status {};
  if (::fstat(fd_, &status) != 0) return;
  behindLength_ = status.st_size;
  behind_ = THostBackgroundWriter::Start(fd_);
}

KXResult THostFile::Close() {
  SettleWritesBehind();
  behind_.reset();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  filter_ = nullptr;
  return kKXOk;
}

KXResult THostFile::Read(void* dst, std::uint32_t count, std::uint32_t* actual) {
  if (actual) *actual = 0;
  if (!table_.Faults().Take(THostFileCall::Read)) return kRefused;
  if (fd_ < 0 || !Allows(kKXFileRead)) return kRefused;
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd_, static_cast<char*>(dst) + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return kRefused;
    if (got == 0) break;
    done += static_cast<std::uint32_t>(got);
    fdPosition_ += got;
  }
  if (actual) *actual = done;
  return done < count ? kKXErrEndOfStream : kKXOk;
}

KXResult THostFile::Write(const void* src, std::uint32_t count, std::uint32_t* actual) {
  std::uint32_t granted = 0;
  const bool allowed = Grant(count, granted);
  if (allowed && behind_) {
    WriteBehind(src, granted, count);
    if (actual) *actual = granted;
    return kKXOk;
  }
  std::uint32_t written = 0;
  const KXResult result = allowed ? WriteAll(src, granted, written) : kRefused;
  table_.RecordWrite(count, written, result == kKXOk);
  if (actual) *actual = written;
  return result;
}

bool THostFile::Grant(std::uint32_t count, std::uint32_t& granted) {
  THostFileFaults& faults = table_.Faults();
  if (!faults.Take(THostFileCall::Write) || !IsOpen() || !Allows(kKXFileWrite)) return false;
  bool fail = false;
  granted = faults.TakeWrite(count, fail);
  return !fail;
}

void THostFile::WriteBehind(const void* src, std::uint32_t count, std::uint32_t asked) {
  behind_->Write(src, count, fdPosition_, asked);
  fdPosition_ += count;
  behindLength_ = std::max(behindLength_, fdPosition_);
  // The account counts the write when the writer is done with it.
  table_.LogWrite(asked);
}

void THostFile::SettleWritesBehind() {
  if (!behind_) return;
  for (const THostBackgroundWriter::Outcome& done : behind_->Drain()) {
    table_.CountWrite(done.asked, done.written, done.ok);
  }
}

KXResult THostFile::Seek(std::int32_t offset, std::int32_t origin) {
  if (!table_.Faults().Take(THostFileCall::Seek) || !IsOpen()) return kRefused;
  std::uint32_t position = 0;
  std::uint32_t length = 0;
  if (GetPosition(&position) != kKXOk || LengthOfOpenFile(length) != kKXOk) return kRefused;
  std::int64_t base = 0;
  switch (origin) {
    case 0: base = 0; break;
    case 1: base = position; break;
    case 2: base = length; break;
    default: return kRefused;
  }
  const std::int64_t target = base + offset;
  if (target < 0 || (target > length && !table_.seeksPastEnd)) return kRefused;
  if (target == position) return kKXOk;
  return MoveTo(target);
}

KXResult THostFile::MoveTo(std::int64_t target) {
  if (filter_) {
    if (target > filteredLength_) return kRefused;  // a filter takes no gap
    filteredPosition_ = static_cast<std::uint32_t>(target);
    return kKXOk;
  }
  // Each block behind is written at its own position: moving is only noting where.
  if (!behind_ && ::lseek(fd_, static_cast<off_t>(target), SEEK_SET) < 0) return kRefused;
  fdPosition_ = target;
  return kKXOk;
}

KXResult THostFile::SetLength(std::uint32_t length) {
  if (!table_.Faults().Take(THostFileCall::SetLength)) return kRefused;
  if (!IsOpen() || !Allows(kKXFileWrite)) return kRefused;
  // What was handed on stays handed on.
  if (filter_) return length == filteredLength_ ? kKXOk : kRefused;
  SettleWritesBehind();
  // A file of that length already is left alone: ext4 starts writing a file truncated to nothing
  // back to disk when it is closed, which a new file's writer would wait for (0.4 s a GB).
  struct stat status {};
  const bool already = ::fstat(fd_, &status) == 0 && status.st_size == static_cast<off_t>(length);
  if (!already && ::ftruncate(fd_, static_cast<off_t>(length)) != 0) return kRefused;
  behindLength_ = length;
  return kKXOk;
}

KXResult THostFile::GetPath(TKXString* path) {
  THostFillString(path, path_);
  return kKXOk;
}

KXResult THostFile::LengthOfOpenFile(std::uint32_t& length) const {
  if (filter_ || behind_) {
    length = filter_ ? filteredLength_ : static_cast<std::uint32_t>(behindLength_);
    return kKXOk;
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0) return kRefused;
  length = static_cast<std::uint32_t>(status.st_size);
  return kKXOk;
}

KXResult THostFile::PositionOfOpenFile(std::uint32_t& position) const {
  if (filter_) {
    position = filteredPosition_;
    return kKXOk;
  }
  position = static_cast<std::uint32_t>(fdPosition_);
  return kKXOk;
}

KXResult THostFile::WriteAll(const void* src, std::uint32_t count, std::uint32_t& written) {
  if (filter_) {
    // Only at the end, and only what the filter takes, counts as written.
    if (filteredPosition_ != filteredLength_ || !filter_->Take(src, count)) return kRefused;
    filteredPosition_ = filteredLength_ += count;
    written = count;
    return kKXOk;
  }
  while (written < count) {
    const ssize_t put = ::write(fd_, static_cast<const char*>(src) + written, count - written);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return kRefused;
    written += static_cast<std::uint32_t>(put);
    fdPosition_ += put;
  }
  return kKXOk;
}

void THostFileFaults::FailWritesAfter(std::uint64_t bytes) {
  writeLimit_ = WriteLimit::Fail;
  writeAllowance_ = bytes;
}

void THostFileFaults::ShortenWritesAfter(std::uint64_t bytes) {
  writeLimit_ = WriteLimit::Shorten;
  writeAllowance_ = bytes;
}

void THostFileFaults::FailCall(THostFileCall call, std::uint32_t n, bool onward) {
  faults_[Index(call)] = CallFault{Calls(call) + n, onward};
}

void THostFileFaults::ShortenWrite(std::uint32_t n) {
  shortenedWrite_ = Calls(THostFileCall::Write) + n;
}

void THostFileFaults::Switch(THostFileCall call, bool on) {
  if (on) {
    FailCall(call, 1, true);
  } else {
    faults_[Index(call)] = CallFault{};
  }
}

bool THostFileFaults::Take(THostFileCall call) {
  const std::uint32_t number = ++calls_[Index(call)];
  const CallFault& fault = faults_[Index(call)];
  if (fault.first == 0) return true;
  return number != fault.first && !(fault.onward && number > fault.first);
}

std::uint32_t THostFileFaults::TakeWrite(std::uint32_t count, bool& fail) {
  fail = false;
  if (Calls(THostFileCall::Write) == shortenedWrite_) count /= 2;
  if (writeLimit_ == WriteLimit::None || count <= writeAllowance_) {
    if (writeLimit_ != WriteLimit::None) writeAllowance_ -= count;
    return count;
  }
  if (writeLimit_ == WriteLimit::Fail) {
    fail = true;
    return 0;
  }
  const auto granted = static_cast<std::uint32_t>(writeAllowance_);
  writeAllowance_ = 0;
  return granted;
}

THostFile* THostFileTable::FindBySpec(const IKXFileSpec* fileSpec) const {
  for (THostFile* file : files_) {
    if (static_cast<const IKXFileSpec*>(file) == fileSpec) return file;
  }
  return nullptr;
}

void THostFileTable::RecordWrite(std::uint32_t asked, std::uint32_t written, bool ok) {
  LogWrite(asked);
  CountWrite(asked, written, ok);
}

void THostFileTable::CountWrite(std::uint32_t asked, std::uint32_t written, bool ok) {
  if (!ok) {
    ++writeAccount_.failed;
  } else if (written < asked) {
    ++writeAccount_.shortened;
  }
  writeAccount_.bytesWritten += written;
}

void THostFileTable::Leave(THostFile* file) {
  files_.erase(std::find(files_.begin(), files_.end(), file));
}

void THostFileTable::SetFilter(const std::string& path, THostWriteFilter* filter) {
  if (filter) {
    filters_[path] = filter;
  } else {
    filters_.erase(path);
  }
}

THostWriteFilter* THostFileTable::FilterOf(const std::string& path) const {
  const auto found = filters_.find(path);
  return found == filters_.end() ? nullptr : found->second;
}

KXFileInfo THostFileTable::InfoOf(const std::string& path) const {
  const auto found = infos_.find(path);
  return found == infos_.end() ? DefaultInfo() : found->second;
}

KXFileInfo THostFileTable::DefaultInfo() {
  KXFileInfo info{};
  for (std::size_t i = 0; i < sizeof info.host; ++i) info.host[i] = static_cast<std::uint8_t>(0x40 + i);
  info.type = KXFourChar('?', '?', '?', '?');
  info.creator = KXFourChar('?', '?', '?', '?');
  return info;
}

THostFileManager::~THostFileManager() {
  // Each object leaves the table as it goes.
  while (!table_.Files().empty()) delete table_.Files().back();
}

char THostFileManager::GetPathSeparator() { return separator_; }

KXResult THostFileManager::NewFileSpec(IKXFileSpec** fileSpec) {
  if (!table_.Faults().Take(THostFileCall::NewFileSpec)) {
    return KXStoreInterface(KXSlot(fileSpec), nullptr);
  }
  ++made_;
  return KXStoreInterface(KXSlot(fileSpec), static_cast<IKXFileSpec*>(new THostFile(table_, true)));
}

THostRef<IKXFileStream> THostFileManager::NewDestination(const std::string& path) {
  auto* file = new THostFile(table_, false);
  file->SetPathText(path);
  file->AddRef();
  return THostRef<IKXFileStream>(file);
}

std::int32_t THostFileManager::LiveFileObjects() const {
  return static_cast<std::int32_t>(std::count_if(table_.Files().begin(), table_.Files().end(),
                                                 [](THostFile* file) { return file->MadeForPlugin(); }));
}
