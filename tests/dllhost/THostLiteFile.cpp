#include "THostLiteFile.h"

#include <cstring>

#include "KXIdentifiers.h"
#include "KXResultCodes.h"
#include "THostLiteText.h"

namespace {

std::int32_t gLiveFiles = 0;

}  // namespace

THostLiteFile::THostLiteFile() : path_{}, info_{} { ++gLiveFiles; }

THostLiteFile::~THostLiteFile() {
  Close();
  --gLiveFiles;
}

THostLiteFile* THostLiteFile::Make(const char* path) {
  auto* file = new THostLiteFile;
  if (!file) return nullptr;
  std::strncpy(file->path_, path, sizeof file->path_ - 1);
  file->AddRef();
  return file;
}

std::int32_t THostLiteFile::Live() { return gLiveFiles; }

std::int32_t KX_CALL THostLiteFile::Release() {
  const std::int32_t left = THostLiteObject::Release();
  if (left == 0) delete this;
  return left;
}

KXResult KX_CALL THostLiteFile::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDFileStream) return HandOut(static_cast<IKXFileStream*>(this), out);
  return HandOut(iid == kKXIIDUnknown ? static_cast<IKXFileSpec*>(this) : nullptr, out);
}

KXResult KX_CALL THostLiteFile::SetPath(const TKXString* path, std::int32_t) {
  HostReadString(path, path_, sizeof path_);
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::SetAccessMode(std::int32_t mode) {
  mode_ = static_cast<std::uint32_t>(mode);
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::SetSpec(IKXFileSpec* fileSpec) {
  // Every location the plug-in hands over is one of ours.
  const auto* location = static_cast<const THostLiteFile*>(fileSpec);
  std::memcpy(path_, location->path_, sizeof path_);
  mode_ = location->mode_;
  return kKXOk;
}

std::uint8_t KX_CALL THostLiteFile::Exists() {
  std::FILE* probe = std::fopen(path_, "rb");
  if (probe) std::fclose(probe);
  return probe ? 1 : 0;
}

KXResult KX_CALL THostLiteFile::GetInfo(KXFileInfo* info) {
  *info = info_;
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::SetInfo(const KXFileInfo* info) {
  info_ = *info;
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::GetLength(std::uint32_t* length) {
  const long position = std::ftell(file_);
  std::fseek(file_, 0, SEEK_END);
  *length = static_cast<std::uint32_t>(std::ftell(file_));
  std::fseek(file_, position, SEEK_SET);
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::GetPosition(std::uint32_t* position) {
  *position = static_cast<std::uint32_t>(std::ftell(file_));
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::GetAccessFlags(std::uint32_t* flags) {
  *flags = mode_;
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::Create() {
  std::FILE* made = std::fopen(path_, "wb");
  if (!made) return kKXErrFileNotFound;
  std::fclose(made);
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::Open() {
  file_ = std::fopen(path_, (mode_ & kKXFileWrite) ? "r+b" : "rb");
  return file_ ? kKXOk : kKXErrFileNotFound;
}

KXResult KX_CALL THostLiteFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::Read(void* dst, std::uint32_t count, std::uint32_t* actual) {
  const std::size_t read = std::fread(dst, 1, count, file_);
  if (actual) *actual = static_cast<std::uint32_t>(read);
  return read < count ? kKXErrEndOfStream : kKXOk;
}

KXResult KX_CALL THostLiteFile::Write(const void* src, std::uint32_t count,
                                      std::uint32_t* actual) {
  const std::size_t written = std::fwrite(src, 1, count, file_);
  if (actual) *actual = static_cast<std::uint32_t>(written);
  return kKXOk;
}

KXResult KX_CALL THostLiteFile::Seek(std::int32_t offset, std::int32_t origin) {
  const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : SEEK_END;
  return std::fseek(file_, offset, whence) == 0 ? kKXOk : 1;
}

// Only emptying is needed: a file opened for writing starts empty.
KXResult KX_CALL THostLiteFile::SetLength(std::uint32_t length) {
  if (length != 0) return 1;
  file_ = std::freopen(path_, "w+b", file_);
  return file_ ? kKXOk : kKXErrFileNotFound;
}

KXResult KX_CALL THostLiteFile::GetPath(TKXString* path) {
  HostFillString(path, path_);
  return kKXOk;
}
