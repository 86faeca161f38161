// A host file object: a location with an access mode, and byte I/O on the real file there.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "KXFileInterfaces.h"
#include "THostCounted.h"

class THostFileManager;

/// One object with two parts: IKXFileSpec (the location and access mode; what NewFileSpec hands
/// out, and the answer to IUnknown) and IKXFileStream (QueryInterface(kKXIIDFileStream)). The
/// stream part works with POSIX calls on the file at its path. It is destroyed by its manager
/// when the last reference is released.
///
/// Failures: kKXErrFileNotFound for a missing file (Open, GetLength of a closed missing file);
/// kKXErrEndOfStream when Read reaches the end with bytes still wanted; kKXErrNotSupported for
/// everything else (a refused open, create or write; I/O on a closed file; Read without
/// kKXFileRead; Write without kKXFileWrite; a seek before 0, or past the length unless the
/// manager allows it; a location object that this host did not make; an operating system error).
class THostFile final : public THostCounted<IKXFileSpec, IKXFileStream> {
 public:
  THostFile(THostFileManager& manager, bool forPlugin);
  ~THostFile();

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  /// Destroys the object at 0.
  std::int32_t KX_CALL Release() override;

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
  bool IsOpen() const { return fd_ >= 0; }
  bool MadeForPlugin() const { return forPlugin_; }

 private:
  bool Allows(std::uint32_t flag) const { return (mode_ & flag) != 0; }
  KXResult LengthOfOpenFile(std::uint32_t& length) const;
  KXResult WriteAll(const void* src, std::uint32_t count, std::uint32_t& written);

  THostFileManager& manager_;
  bool forPlugin_;
  std::string path_;
  std::uint32_t mode_ = 0;
  int fd_ = -1;
};
