#include "THostFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "KXIdentifiers.h"
#include "THostFileManager.h"
#include "THostOutSlot.h"
#include "THostText.h"

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

THostFile::THostFile(THostFileManager& manager, bool forPlugin)
    : manager_(manager), forPlugin_(forPlugin) {}

THostFile::~THostFile() { Close(); }

KXResult THostFile::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDFileStream) return THostStore(out, static_cast<IKXFileStream*>(this));
  if (iid == kKXIIDUnknown) return THostStore(out, static_cast<IKXFileSpec*>(this));
  return THostRefuse(out);
}

std::int32_t THostFile::Release() {
  const std::int32_t count = refs_.Drop();
  if (count == 0) manager_.Destroy(this);  // this object is gone from here on
  return count;
}

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
  const THostFile* source = manager_.FindBySpec(fileSpec);
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
  *info = manager_.InfoOf(path_);
  return kKXOk;
}

KXResult THostFile::SetInfo(const KXFileInfo* info) {
  manager_.StoreInfo(path_, *info);
  return kKXOk;
}

KXResult THostFile::GetLength(std::uint32_t* length) {
  if (IsOpen()) return LengthOfOpenFile(*length);
  struct stat status {};
  if (::stat(path_.c_str(), &status) != 0) return OpenFailure();
  *length = static_cast<std::uint32_t>(status.st_size);
  return kKXOk;
}

KXResult THostFile::GetPosition(std::uint32_t* position) {
  if (!IsOpen()) return kRefused;
  const off_t at = ::lseek(fd_, 0, SEEK_CUR);
  if (at < 0) return kRefused;
  *position = static_cast<std::uint32_t>(at);
  return kKXOk;
}

KXResult THostFile::GetAccessFlags(std::uint32_t* flags) {
  *flags = mode_;
  return kKXOk;
}

KXResult THostFile::Create() {
  if (manager_.Faults().CreateRefused()) return kRefused;
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | kBinary, 0644);
  if (fd < 0) return OpenFailure();
  ::close(fd);
  return kKXOk;
}

KXResult THostFile::Open() {
  if (IsOpen()) return kKXOk;
  if (manager_.Faults().OpenRefused()) return kRefused;
  fd_ = ::open(path_.c_str(), (Allows(kKXFileWrite) ? O_RDWR : O_RDONLY) | kBinary);
  return IsOpen() ? kKXOk : OpenFailure();
}

KXResult THostFile::Close() {
  if (IsOpen()) ::close(fd_);
  fd_ = -1;
  return kKXOk;
}

KXResult THostFile::Read(void* dst, std::uint32_t count, std::uint32_t* actual) {
  if (actual) *actual = 0;
  if (!IsOpen() || !Allows(kKXFileRead)) return kRefused;
  std::uint32_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd_, static_cast<char*>(dst) + done, count - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return kRefused;
    if (got == 0) break;
    done += static_cast<std::uint32_t>(got);
  }
  if (actual) *actual = done;
  return done < count ? kKXErrEndOfStream : kKXOk;
}

KXResult THostFile::Write(const void* src, std::uint32_t count, std::uint32_t* actual) {
  manager_.RecordWrite(count);
  if (actual) *actual = 0;
  if (!IsOpen() || !Allows(kKXFileWrite)) return kRefused;
  bool fail = false;
  const std::uint32_t granted = manager_.Faults().TakeWrite(count, fail);
  if (fail) return kRefused;
  std::uint32_t written = 0;
  const KXResult result = WriteAll(src, granted, written);
  if (actual) *actual = written;
  return result;
}

KXResult THostFile::Seek(std::int32_t offset, std::int32_t origin) {
  if (!IsOpen() || !manager_.Faults().TakeSeek()) return kRefused;
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
  if (target < 0 || (target > length && !manager_.SeeksPastEndAllowed())) return kRefused;
  return ::lseek(fd_, static_cast<off_t>(target), SEEK_SET) < 0 ? kRefused : kKXOk;
}

KXResult THostFile::SetLength(std::uint32_t length) {
  if (!IsOpen() || !Allows(kKXFileWrite)) return kRefused;
  return ::ftruncate(fd_, static_cast<off_t>(length)) == 0 ? kKXOk : kRefused;
}

KXResult THostFile::GetPath(TKXString* path) {
  THostFillString(path, path_);
  return kKXOk;
}

KXResult THostFile::LengthOfOpenFile(std::uint32_t& length) const {
  struct stat status {};
  if (::fstat(fd_, &status) != 0) return kRefused;
  length = static_cast<std::uint32_t>(status.st_size);
  return kKXOk;
}

KXResult THostFile::WriteAll(const void* src, std::uint32_t count, std::uint32_t& written) {
  while (written < count) {
    const ssize_t put = ::write(fd_, static_cast<const char*>(src) + written, count - written);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return kRefused;
    written += static_cast<std::uint32_t>(put);
  }
  return kKXOk;
}
