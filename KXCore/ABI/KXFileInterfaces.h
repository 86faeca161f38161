// Host file objects: a location with an access mode, and the I/O interface on it.
#pragma once

#include "KXUnknown.h"

class TKXString;

// Access flags of a host file.
constexpr std::uint32_t kKXFileRead = 0x01;
constexpr std::uint32_t kKXFileWrite = 0x02;
constexpr std::uint32_t kKXFileMustExist = 0x40;

/// The 48-byte info record of a host file. Only the type and creator belong to the plug-in; the
/// other 40 bytes are the host's and go back unchanged.
struct KXFileInfo {
  std::uint8_t host[40];
  FourCharCode type;
  FourCharCode creator;
};

/// A file location with an access mode.
class IKXFileSpec : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3)
  /// Slot 4: sets the location from the path held by `path`; `flags` is 0.
  virtual KXResult KX_CALL SetPath(const TKXString* path, std::int32_t flags) = 0;
  KX_UNUSED_SLOT(5)
  /// Slot 6: sets the access mode (kKXFileRead, kKXFileWrite, kKXFileMustExist).
  virtual KXResult KX_CALL SetAccessMode(std::int32_t mode) = 0;
};

/// Byte I/O on a host file.
class IKXFileStream : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4)
  /// Slot 5: binds this object to the location and access mode of `fileSpec`.
  virtual KXResult KX_CALL SetSpec(IKXFileSpec* fileSpec) = 0;
  KX_UNUSED_SLOT(6)
  /// Slot 7: non-zero when the file exists.
  virtual std::uint8_t KX_CALL Exists() = 0;
  KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9) KX_UNUSED_SLOT(10)
  /// Slot 11: fills the info record.
  virtual KXResult KX_CALL GetInfo(KXFileInfo* info) = 0;
  KX_UNUSED_SLOT(12)
  /// Slot 13: the current file length.
  virtual KXResult KX_CALL GetLength(std::uint32_t* length) = 0;
  KX_UNUSED_SLOT(14)
  /// Slot 15: the current file position.
  virtual KXResult KX_CALL GetPosition(std::uint32_t* position) = 0;
  /// Slot 16: the effective access flags.
  virtual KXResult KX_CALL GetAccessFlags(std::uint32_t* flags) = 0;
  KX_UNUSED_SLOT(17)
  /// Slot 18: creates the missing file.
  virtual KXResult KX_CALL Create() = 0;
  KX_UNUSED_SLOT(19) KX_UNUSED_SLOT(20)
  /// Slot 21: opens the file; kKXErrFileNotFound when it is missing.
  virtual KXResult KX_CALL Open() = 0;
  /// Slot 22: closes the file.
  virtual KXResult KX_CALL Close() = 0;
  KX_UNUSED_SLOT(23) KX_UNUSED_SLOT(24) KX_UNUSED_SLOT(25) KX_UNUSED_SLOT(26)
  /// Slot 27: reads up to `count` bytes; `*actual` (if given) gets the count read;
  /// kKXErrEndOfStream at the end of the file.
  virtual KXResult KX_CALL Read(void* dst, std::uint32_t count, std::uint32_t* actual) = 0;
  /// Slot 28: writes `count` bytes; `*actual` (if given) gets the count written.
  virtual KXResult KX_CALL Write(const void* src, std::uint32_t count, std::uint32_t* actual) = 0;
  /// Slot 29: moves the position (origin 0 start, 1 current, 2 end); non-zero when the
  /// position cannot be reached.
  virtual KXResult KX_CALL Seek(std::int32_t offset, std::int32_t origin) = 0;
  /// Slot 30: sets the file length (0 truncates).
  virtual KXResult KX_CALL SetLength(std::uint32_t length) = 0;
  KX_UNUSED_SLOT(31) KX_UNUSED_SLOT(32)
  /// Slot 33: fills `path` with the file's full path.
  virtual KXResult KX_CALL GetPath(TKXString* path) = 0;
  KX_UNUSED_SLOT(34) KX_UNUSED_SLOT(35) KX_UNUSED_SLOT(36) KX_UNUSED_SLOT(37)
  KX_UNUSED_SLOT(38) KX_UNUSED_SLOT(39) KX_UNUSED_SLOT(40) KX_UNUSED_SLOT(41)
  /// Slot 42: stores the info record.
  virtual KXResult KX_CALL SetInfo(const KXFileInfo* info) = 0;
};

KX_INTERFACE_ID(IKXFileStream, kKXIIDFileStream);
