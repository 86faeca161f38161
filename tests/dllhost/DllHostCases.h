// The end-to-end cases of the lean host, and what they share. Each case loads T3dExport.dll
// afresh, drives it as the host application does and checks what comes back: the maps against the
// Linux build's bytes, the failures as TKXException caught by type, and the host's accounting.
#pragma once

#include <cstddef>

#include "KXComponentInterfaces.h"
#include "THostLiteDll.h"
#include "THostLiteShell.h"

/// Where the case reads the Linux build's maps and writes its own.
struct THostLiteFolders {
  const char* expected;
  const char* output;
};

/// The DLL under test, beside the host program.
constexpr const char* kPluginDll = "T3dExport.dll";

/// A file's bytes, read whole; empty when it cannot be read.
class THostLiteBytes {
 public:
  explicit THostLiteBytes(const char* path);
  ~THostLiteBytes();
  THostLiteBytes(const THostLiteBytes&) = delete;
  THostLiteBytes& operator=(const THostLiteBytes&) = delete;

  const char* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  bool Read() const { return data_ != nullptr; }
  /// Where the line after the first `after` that follows the first `from` ends; 0 when either is
  /// missing.
  std::size_t EndOfLineAfter(const char* from, const char* after) const;

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
};

/// Checks that `written` holds exactly the first `length` bytes of `reference` (its whole when
/// `length` is its size); reports the first line that differs.
void HostCheckSameBytes(const THostLiteBytes& written, const THostLiteBytes& reference,
                        std::size_t length);

/// `folder`/`name` in `path` (at least 1024 bytes).
void HostJoinPath(char* path, const char* folder, const char* name);

/// The exporter, made as the host makes it: class factory, CreateInstance, factory released.
/// Null when a step fails.
IKXExporter* HostMakeExporter(THostLiteDll& dll);

/// Checks that the plug-in gave back every reference, every piece of memory and every file
/// object of the host.
void HostCheckWhole(THostLiteShell& shell);

/// Starts a case: a clean ledger.
void HostStartCase();

void CaseExportTable(const THostLiteFolders& folders);
void CaseMapsMatchTheLinuxBuild(const THostLiteFolders& folders);
void CaseFailuresReachTheHostByType(const THostLiteFolders& folders);
void CaseFaultOutsideThePlugInsHandlers(const THostLiteFolders& folders);
void CaseFaultWithTranslationOffStaysTheHosts(const THostLiteFolders& folders);
void CaseTerminateHandler(const THostLiteFolders& folders);
#ifdef _MSC_VER
void CaseRuntimeTranslator(const THostLiteFolders& folders);
#endif

/// Runs the host program as that child.
constexpr const char* kFaultWithoutTranslationSwitch = "--fault-without-translation";

/// The child's part of CaseFaultWithTranslationOffStaysTheHosts: faults in the DLL with
/// translation switched off and must end with the fault's own code.
int HostFaultWithoutTranslation();
