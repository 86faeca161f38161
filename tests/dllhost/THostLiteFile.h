// The lean host's file object: a location with an access mode (IKXFileSpec) and byte I/O on the
// real file there (IKXFileStream), through the C runtime's streams. Made for the plug-in by the
// file manager and destroyed by the release that brings its count to 0.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "KXFileInterfaces.h"
#include "THostLiteObject.h"

class THostLiteFile final : public THostLiteObject<IKXFileSpec, IKXFileStream> {
 public:
  /// A new file object at `path` with one reference for its maker.
  static THostLiteFile* Make(const char* path);
  /// File objects alive right now.
  static std::int32_t Live();

  std::int32_t KX_CALL Release() override;
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
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

 private:
  // The C runtime's heap; the test host needs no global allocation operators.
  static void* operator new(std::size_t size) noexcept { return std::malloc(size); }
  static void operator delete(void* file) noexcept { std::free(file); }

  THostLiteFile();
  ~THostLiteFile();

  char path_[1024];
  std::uint32_t mode_ = 0;
  std::FILE* file_ = nullptr;
  KXFileInfo info_;
};
