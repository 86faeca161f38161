#include "KXTextStream.h"

#include "KXIdentifiers.h"
#include "KXResultCodes.h"
#include "KXServiceTable.h"
#include "KXString.h"

namespace {

// A new host file object, or null when the host has no file service or makes none.
void NewFileObject(TKXCountedPtr<IKXFileSpec>& object) {
  if (IKXFileManager* files = KXFileManagerService()) files->NewFileSpec(object.AsOutParam());
}

}  // namespace

TKXTextStream::TKXTextStream(const char* path, std::int32_t accessMode, std::int32_t bufferSize,
                             bool* created) {
  // The result shows in the state word and the access flags.
  Open(path, accessMode, bufferSize, created);
}

TKXTextStream::~TKXTextStream() {
  if (accessFlags_ & kKXFileWrite) Flush();
  Close();
  KXFreeBlock(buffer_);
  // file_ is released next, as a member, and the base then releases the context.
}

std::uint32_t TKXTextStream::GetPosition() {
  if (capacity_ > 0) return bufferOffset_ + pos_;
  std::uint32_t position = 0;
  if (file_.Get()) file_->GetPosition(&position);
  return position;
}

void TKXTextStream::Write(const void* src, std::uint32_t count) {
  if (!(accessFlags_ & kKXFileWrite)) {
    SetFail(kKXStreamErrAccess);
    return;
  }
  state_ = 0;
  const auto* bytes = static_cast<const std::uint8_t*>(src);
  if (capacity_ == 0) {
    file_->Write(bytes, count, &count);
    std::uint32_t position = 0;
    file_->GetPosition(&position);
    if (position > length_) length_ = position;
    return;
  }
  // Fill the buffer and hand it on as often as the bytes overflow it; pos_ <= capacity_ holds,
  // so the room left cannot wrap around.
  while (count > capacity_ - pos_) {
    const std::uint32_t room = capacity_ - pos_;
    if (room > 0) {
      KXMemCopy(buffer_ + pos_, bytes, static_cast<std::int32_t>(room));
      pos_ += room;
      bytes += room;
      count -= room;
    }
    if (pos_ >= extent_) extent_ = pos_;
    FlushAndAdvance();
  }
  if (count > 0) {
    KXMemCopy(buffer_ + pos_, bytes, static_cast<std::int32_t>(count));
    pos_ += count;
    if (pos_ >= extent_) extent_ = pos_;
  }
  dirty_ = true;
  if (bufferOffset_ + pos_ > length_) length_ = bufferOffset_ + pos_;
}

KXResult TKXTextStream::Open(const char* path, std::int32_t accessMode, std::int32_t bufferSize,
                             bool* created) {
  TKXCountedPtr<IKXFileSpec> spec;
  NewFileObject(spec);
  if (!spec) return kKXErrNoMemory;
  TKXString1023 pathText;
  pathText.AssignText(path);
  if (KXResult result = spec->SetPath(&pathText, 0)) return result;
  if (KXResult result = spec->SetAccessMode(accessMode)) return result;
  return OpenFile(spec.Get(), bufferSize, created);
}

KXResult TKXTextStream::OpenFile(IKXFileSpec* spec, std::int32_t bufferSize, bool* created) {
  if (created) *created = false;
  if (!file_) {
    TKXCountedPtr<IKXFileSpec> object;
    NewFileObject(object);
    if (object.Get()) object->QueryInterface(kKXIIDFileStream, file_.AsQuerySlot());
  }
  if (!file_) return kKXErrNoMemory;
  if (KXResult result = file_->SetSpec(spec)) return FailOpen(result, created);
  file_->GetAccessFlags(&accessFlags_);
  length_ = 0;
  dirty_ = false;
  loaded_ = false;
  if (KXResult result = OpenOrCreate(created)) return FailOpen(result, created);
  KXResult result = kKXOk;
  if (accessFlags_ & kKXFileRead) {
    result = file_->GetLength(&length_);
  } else if (accessFlags_ & kKXFileWrite) {
    // A file opened for writing only starts empty.
    result = file_->SetLength(0);
  }
  if (result) return FailOpen(result, created);
  result = AllocateBuffer(bufferSize);
  pos_ = 0;
  bufferOffset_ = 0;
  return result ? FailOpen(result, created) : kKXOk;
}

void TKXTextStream::SetCreatorAndType(FourCharCode creator, FourCharCode type) {
  if (!file_) return;
  KXFileInfo info;
  KXMemFill(0, &info, sizeof info);
  file_->GetInfo(&info);
  info.type = type;
  info.creator = creator;
  file_->SetInfo(&info);
}

void TKXTextStream::Flush() {
  if (capacity_ == 0 || !(accessFlags_ & kKXFileWrite)) return;
  std::uint32_t written = 0;
  file_->Seek(static_cast<std::int32_t>(bufferOffset_), 0);
  file_->Write(buffer_, extent_, &written);
}

void TKXTextStream::Close() {
  if (file_.Get()) file_->Close();
}

void TKXTextStream::FlushAndAdvance() {
  Flush();
  bufferOffset_ += extent_;
  extent_ = 0;
  pos_ = 0;
  dirty_ = false;
}

KXResult TKXTextStream::FailOpen(KXResult result, bool* created) {
  if (created) *created = false;
  SetFail(result);
  return result;
}

KXResult TKXTextStream::OpenOrCreate(bool* created) {
  KXResult result = file_->Exists() ? file_->Open() : kKXErrFileNotFound;
  if (result != kKXErrFileNotFound) return result;
  if (!(accessFlags_ & kKXFileWrite) || (accessFlags_ & kKXFileMustExist)) return result;
  if (KXResult made = file_->Create()) return made;
  if (created) *created = true;
  return file_->Open();
}

KXResult TKXTextStream::AllocateBuffer(std::int32_t bufferSize) {
  KXFreeBlock(buffer_);
  buffer_ = nullptr;
  capacity_ = 0;
  extent_ = 0;
  if (bufferSize <= 0) return kKXOk;
  // Settle for less memory rather than fail: halve the request until the host grants one.
  for (std::int32_t size = bufferSize; size > 0; size >>= 1) {
    if (void* block = KXAllocBlock(static_cast<std::uint32_t>(size))) {
      // The new buffer holds no bytes of the file until it is loaded, so its high-water mark
      // starts at 0: a flush must never hand unloaded bytes to the file.
      buffer_ = static_cast<std::uint8_t*>(block);
      capacity_ = static_cast<std::uint32_t>(size);
      return kKXOk;
    }
  }
  return kKXErrNoMemory;
}
