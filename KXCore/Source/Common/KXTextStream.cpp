#include "KXTextStream.h"

#include "KXIdentifiers.h"
#include "KXRelativePath.h"
#include "KXResultCodes.h"
#include "KXServiceTable.h"
#include "KXString.h"
#include "KXTextStreamBookmark.h"

namespace {

// The size of the area that a path's relative form is written from.
constexpr std::size_t kRelativePathArea = 256;

std::uint32_t Min(std::uint32_t a, std::uint32_t b) { return a < b ? a : b; }

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
  Flush();
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

void TKXTextStream::Seek(std::int32_t offset, std::int32_t origin) {
  state_ = 0;
  // Without a file object (the open failed first) there is nowhere to move.
  if (!file_ || origin < 0 || origin > 2) return SetFail(kKXStreamErrBadPosition);
  if (capacity_ == 0) return SeekUnbuffered(offset, origin);
  SeekBuffered(offset, origin);
}

void TKXTextStream::SeekUnbuffered(std::int32_t offset, std::int32_t origin) {
  std::int64_t target = offset;
  KXResult result = kKXOk;
  if (origin == 0) {
    result = file_->Seek(offset, 0);
  } else if (origin == 1) {
    std::uint32_t current = 0;
    file_->GetPosition(&current);
    target += current;
    result = file_->Seek(offset, 1);
  } else {
    target = std::int64_t{length_} - offset;
    result = file_->Seek(-offset, 2);
  }
  // A host that will not go past the end of the file: stop at the end, so that reads find
  // nothing there rather than the bytes at the old position.
  if (result != kKXOk && target > length_) {
    file_->Seek(0, 2);
    target = length_;
  }
  if (result != kKXOk && target <= length_) SetFail(result);
  if (target == length_) state_ |= kKXStreamEnd;
}

void TKXTextStream::SeekBuffered(std::int32_t offset, std::int32_t origin) {
  // The target relative to the buffer's start, in unsigned arithmetic: a target before the
  // buffer wraps around to a large value and so counts as outside it.
  const auto distance = static_cast<std::uint32_t>(offset);
  std::uint32_t target = 0;
  switch (origin) {
    case 0: target = distance - bufferOffset_; break;
    case 1: target = pos_ + distance; break;
    default: target = length_ - bufferOffset_ - distance; break;
  }
  if (bufferOffset_ + target > length_) state_ = kKXStreamEnd;
  if (target > 0 && target <= extent_) {
    pos_ = target;
    return;
  }
  LoadBufferAt(static_cast<std::int32_t>(bufferOffset_ + target));
}

void TKXTextStream::Read(void* dst, std::uint32_t count) {
  if (!(accessFlags_ & kKXFileRead)) return SetFail(kKXStreamErrAccess);
  state_ = 0;
  lastCount_ = 0;
  if (capacity_ == 0) {
    // The count is what the host delivered, also when the file ends first.
    const KXResult result = file_->Read(dst, count, &lastCount_);
    if (result == kKXErrEndOfStream) {
      state_ |= kKXStreamEnd;
    } else if (result != kKXOk) {
      SetFail(result);
    }
    return;
  }
  if (!loaded_) LoadBufferAt(static_cast<std::int32_t>(bufferOffset_ + pos_));
  while (pos_ + count > extent_ && state_ == 0) {
    const std::uint32_t position = bufferOffset_ + pos_;
    std::uint32_t part = 0;
    if (position + count > length_ && length_ <= bufferOffset_ + extent_) {
      // The file ends inside this buffer: deliver what there is.
      part = position < length_ ? length_ - position : 0;
      state_ |= kKXStreamEnd;
      Deliver(dst, part);
    } else {
      part = pos_ < extent_ ? extent_ - pos_ : 0;
      Deliver(dst, part);
      NextBuffer();
    }
    count -= part;
  }
  if (count > 0 && state_ == 0) Deliver(dst, count);
}

void TKXTextStream::Deliver(void* dst, std::uint32_t count) {
  KXMemCopy(static_cast<std::uint8_t*>(dst) + lastCount_, buffer_ + pos_,
            static_cast<std::int32_t>(count));
  pos_ += count;
  lastCount_ += count;
}

void TKXTextStream::PutBack(char ch) {
  if (!(accessFlags_ & kKXFileRead)) return SetFail(kKXStreamErrAccess);
  if (capacity_ == 0) {
    // The file's own byte is read again; ch is not needed.
    file_->Seek(-1, 1);
    return;
  }
  if (pos_ == 0 && bufferOffset_ == 0) return SetFail(kKXStreamErrBadPosition);
  if (pos_ > 0) {
    --pos_;
  } else {
    StepBackBuffer();
  }
  buffer_[pos_] = static_cast<std::uint8_t>(ch);
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
    Store(bytes, room);
    bytes += room;
    count -= room;
    FlushAndAdvance();
  }
  Store(bytes, count);
  if (bufferOffset_ + pos_ > length_) length_ = bufferOffset_ + pos_;
}

void TKXTextStream::Store(const std::uint8_t* src, std::uint32_t count) {
  if (count == 0) return;
  KXMemCopy(buffer_ + pos_, src, static_cast<std::int32_t>(count));
  pos_ += count;
  if (pos_ >= extent_) extent_ = pos_;
  dirty_ = true;
}

void TKXTextStream::BeginDirectWrite(char*& next, char*& end) {
  next = nullptr;
  end = nullptr;
  if (!(accessFlags_ & kKXFileWrite) || capacity_ == 0) return;
  next = reinterpret_cast<char*>(buffer_ + pos_);
  end = reinterpret_cast<char*>(buffer_ + capacity_);
}

void TKXTextStream::EndDirectWrite(const char* next) {
  if (!next) return;
  const auto count = static_cast<std::uint32_t>(next - reinterpret_cast<const char*>(buffer_ + pos_));
  if (count == 0) return;
  state_ = 0;
  pos_ += count;
  if (pos_ >= extent_) extent_ = pos_;
  dirty_ = true;
  if (bufferOffset_ + pos_ > length_) length_ = bufferOffset_ + pos_;
}

void TKXTextStream::WritePath(const char* path) {
  TKXString1023 own;
  OwnPath(own);
  char relative[kRelativePathArea];
  MakeRelativePath(path, relative, sizeof relative, own.Buffer());
  WriteQuoted(relative);
}

TKXStreamBookmark* TKXTextStream::CreateBookmark() {
  TKXString1023 own;
  OwnPath(own);
  auto* bookmark = new TKXTextStreamBookmark(own.Buffer(), accessFlags_,
                                             static_cast<std::int32_t>(capacity_), GetPosition());
  // A bookmark that could not keep its path could never reopen anything.
  if (bookmark && !bookmark->Path()) {
    delete bookmark;
    return nullptr;
  }
  return bookmark;
}

void TKXTextStream::OwnPath(TKXString& path) {
  if (file_.Get()) file_->GetPath(&path);
}

KXResult TKXTextStream::Open(const char* path, std::int32_t accessMode, std::int32_t bufferSize,
                             bool* created) {
  TKXCountedPtr<IKXFileSpec> fileSpec;
  NewFileObject(fileSpec);
  if (!fileSpec) return kKXErrNoMemory;
  TKXString1023 pathText;
  pathText.AssignText(path);
  if (KXResult result = fileSpec->SetPath(&pathText, 0)) return result;
  if (KXResult result = fileSpec->SetAccessMode(accessMode)) return result;
  return OpenFile(fileSpec.Get(), bufferSize, created);
}

KXResult TKXTextStream::OpenFile(IKXFileSpec* fileSpec, std::int32_t bufferSize, bool* created) {
  if (created) *created = false;
  if (!file_) {
    TKXCountedPtr<IKXFileSpec> object;
    NewFileObject(object);
    if (object.Get()) object->QueryInterface(kKXIIDFileStream, file_.AsQuerySlot());
  }
  if (!file_) return kKXErrNoMemory;
  if (KXResult result = file_->SetSpec(fileSpec)) return FailOpen(result, created);
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
  // Without the host's own record, storing one would put zeros over its part.
  if (file_->GetInfo(&info) != kKXOk) return;
  info.type = type;
  info.creator = creator;
  file_->SetInfo(&info);
}

void TKXTextStream::Flush() {
  // A buffer that was only loaded holds the file's own bytes, and bytes put back must not reach
  // the file.
  if (!dirty_) return;
  std::uint32_t written = 0;
  file_->Seek(static_cast<std::int32_t>(bufferOffset_), 0);
  file_->Write(buffer_, extent_, &written);
  dirty_ = false;
}

void TKXTextStream::Close() {
  if (file_.Get()) file_->Close();
}

void TKXTextStream::FlushAndAdvance() {
  Flush();
  bufferOffset_ += extent_;
  extent_ = 0;
  pos_ = 0;
}

void TKXTextStream::LoadBufferAt(std::int32_t offset) {
  if (dirty_) FlushAndAdvance();
  if (offset < 0) return SetFail(kKXStreamErrBadPosition);
  const auto at = static_cast<std::uint32_t>(offset);
  if (file_->Seek(offset, 0) != kKXOk) {
    state_ |= kKXStreamEnd;
    // A host that will not go past the end of the file: stop at the end, so that reads find
    // nothing there rather than the bytes at the old position.
    if (at > length_) return LoadBufferAt(static_cast<std::int32_t>(length_));
    // Anywhere else the host could not move: stay at the target, unloaded, so that the next
    // read tries there again rather than delivering the bytes at the old position.
    bufferOffset_ = at;
    pos_ = 0;
    extent_ = 0;
    loaded_ = false;
    return;
  }
  ReadIntoBuffer(at < length_ ? Min(capacity_, length_ - at) : 0);
  bufferOffset_ = at;
  pos_ = 0;
  loaded_ = true;
}

void TKXTextStream::NextBuffer() {
  if (dirty_) FlushAndAdvance();
  bufferOffset_ += extent_;
  // The position stays where the old buffer ended, also when nothing follows it.
  pos_ = 0;
  extent_ = bufferOffset_ < length_ ? Min(capacity_, length_ - bufferOffset_) : 0;
  if (extent_ == 0) return SetFail(kKXStreamErrPastEnd);
  ReadIntoBuffer(extent_);
  // The file is shorter than it was when opened: its data has run out here.
  if (extent_ == 0 && state_ == 0) state_ |= kKXStreamEnd;
}

void TKXTextStream::StepBackBuffer() {
  if (dirty_) FlushAndAdvance();
  if (bufferOffset_ < capacity_) {
    file_->Seek(0, 0);
    extent_ = Min(capacity_, length_);
    pos_ = bufferOffset_ - 1;
    bufferOffset_ = 0;
  } else {
    bufferOffset_ -= capacity_;
    file_->Seek(static_cast<std::int32_t>(bufferOffset_), 0);
    extent_ = capacity_;
    pos_ = capacity_ - 1;
  }
  ReadIntoBuffer(extent_);
}

void TKXTextStream::ReadIntoBuffer(std::uint32_t count) {
  extent_ = count;
  const KXResult result = file_->Read(buffer_, count, &extent_);
  // A read that failed is a failure, not the end of the data: a reader must not take a file it
  // could not read for a shorter one.
  if (result != kKXOk && result != kKXErrEndOfStream) {
    extent_ = 0;
    SetFail(result);
  }
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
