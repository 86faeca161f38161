// The reference host: everything a host application offers the plug-in, in process.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "KXHostServices.h"
#include "THostCom.h"
#include "THostFiles.h"
#include "THostMemory.h"
#include "THostShell.h"

/// Owns the shell and the 27 services behind it. Hand Shell() to KXDllInit; configure and
/// inspect each service through its accessor; switch a service off with Withhold.
///
/// Entries: 1 Utilities (progress, creator code), 3 Files, 4 Resources, 5 Startup, 8 Memory,
/// 9 Platform, 24 and 25 answer one start-up call each, all others are held only.
///
/// Accounting: every service counts the references handed out and given back. After the
/// plug-in's shut-down OutstandingServiceReferences() is 0, and after an export
/// OutstandingReferences() is 0 too (no service, progress display or file object still held).
class THostApplication {
 public:
  using Entry24 = THostStartupCallService<IKXHeldService24>;
  using Entry25 = THostStartupCallService<IKXHeldService25>;

  THostApplication();
  ~THostApplication();
  THostApplication(const THostApplication&) = delete;
  THostApplication& operator=(const THostApplication&) = delete;

  /// The root interface; the application keeps it (no reference is added).
  IKXShell* Shell() { return &shell_; }

  /// Makes service entry `entry` (1 to 27) go unanswered (or answered again).
  void Withhold(int entry, bool withheld = true) { shell_.Withhold(entry, withheld); }

  /// References to entry `entry` (1 to 27) held right now.
  std::int32_t ServiceReferences(int entry) const;
  /// References to entry `entry` handed out / given back over the application's life.
  std::int32_t ServiceReferencesHandedOut(int entry) const;
  std::int32_t ServiceReferencesReturned(int entry) const;
  /// References held right now on any service or on the shell.
  std::int32_t OutstandingServiceReferences() const;
  /// Releases below zero on any service or on the shell.
  std::int32_t ServiceUnderflows() const;
  /// File objects made for the plug-in (NewFileSpec) and not yet released.
  std::int32_t LiveFileObjects() const { return files_.LiveFileObjects(); }
  /// Everything the plug-in still holds of the host: service and shell references, progress
  /// display references and live file objects.
  std::int32_t OutstandingReferences() const;

  THostShellUtilities& Utilities() { return utilities_; }
  THostFileManager& Files() { return files_; }
  THostResources& Resources() { return resources_; }
  THostStartupInfo& Startup() { return startup_; }
  THostMemory& Memory() { return memory_; }
  THostPlatformInfo& Platform() { return platform_; }
  Entry24& StartupEntry24() { return entry24_; }
  Entry25& StartupEntry25() { return entry25_; }

 private:
  void Register(int entry, IKXUnknown* service, const THostRefCount& refs);
  const THostRefCount& RefsOf(int entry) const;

  THostShellUtilities utilities_;
  THostFileManager files_;
  THostResources resources_;
  THostStartupInfo startup_;
  THostMemory memory_;
  THostPlatformInfo platform_;
  Entry24 entry24_;
  Entry25 entry25_;
  std::vector<std::unique_ptr<THostHeldService>> held_;
  std::vector<const THostRefCount*> refs_;  // entry n at n - 1
  THostShell shell_;
};
