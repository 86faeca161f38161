// The host services the plug-in calls, each operation at its slot in the host's table.
#pragma once

#include "KXUnknown.h"

class TKXString;
class IKXFileSpec;

/// The host's root interface, handed to KXDllInit; only its QueryInterface (slot 0) is used.
class IKXShell : public IKXUnknown {};

/// Host memory: block memory for buffers, object memory for objects.
class IKXMemoryManager : public IKXUnknown {
 public:
  /// Slot 3: a new block of `size` bytes, or null.
  virtual void* KX_CALL AllocBlock(std::uint32_t size) = 0;
  KX_UNUSED_SLOT(4)
  /// Slot 5: the block resized to `size` bytes with its contents kept, or null.
  virtual void* KX_CALL ReallocBlock(void* block, std::uint32_t size) = 0;
  /// Slot 6: gives the block back.
  virtual void KX_CALL FreeBlock(void* block) = 0;
  /// Slot 7: memory for one object of `size` bytes, or null.
  virtual void* KX_CALL AllocObject(std::uint32_t size) = 0;
  /// Slot 8: gives object memory back.
  virtual void KX_CALL FreeObject(void* object) = 0;
};

/// Facts about the platform.
class IKXPlatformInfo : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3)
  /// Slot 4: the host's character conversion tables, or null.
  virtual const void* KX_CALL GetCharacterTables() = 0;
  /// Slot 5: fills the 4 bytes at `features` (zeroed by the caller) with the processor features.
  virtual void KX_CALL GetProcessorFeatures(std::uint8_t* features) = 0;
};

/// Localised resources of the host and its plug-ins.
class IKXResourceManager : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3)
  /// Slot 4: fills `text` with text `textId`, item `item`, of the current resources.
  virtual KXResult KX_CALL GetText(TKXString* text, std::int32_t textId, std::int32_t item) = 0;
  KX_UNUSED_SLOT(5)
  KX_UNUSED_SLOT(6)
  /// Slot 7: makes the resources under the two codes current; stores the previous context.
  virtual KXResult KX_CALL UseResources(FourCharCode owner, FourCharCode kind,
                                        std::uint32_t* savedContext) = 0;
  /// Slot 8: makes the resources of `savedContext` current again.
  virtual KXResult KX_CALL RestoreResources(std::uint32_t savedContext) = 0;
};

/// Progress display and application facts.
class IKXShellUtilities : public IKXUnknown {
 public:
  /// Slot 3: opens a progress display titled `title` over `total` steps; stores its object in
  /// `*progress` with one reference for the caller.
  virtual KXResult KX_CALL OpenProgress(const TKXString* title, IKXUnknown** progress,
                                        float total) = 0;
  /// Slot 4: closes the display of `progress` (null is allowed and closes nothing).
  virtual KXResult KX_CALL CloseProgress(IKXUnknown* progress) = 0;
  KX_UNUSED_SLOT(5)
  /// Slot 6: advances the display of `progress` by `step`.
  virtual KXResult KX_CALL AdvanceProgress(float step, IKXUnknown* progress) = 0;
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOTS_DECADE(1) KX_UNUSED_SLOTS_DECADE(2)
  KX_UNUSED_SLOT(30) KX_UNUSED_SLOT(31) KX_UNUSED_SLOT(32) KX_UNUSED_SLOT(33)
  KX_UNUSED_SLOT(34) KX_UNUSED_SLOT(35) KX_UNUSED_SLOT(36) KX_UNUSED_SLOT(37)
  /// Slot 38: the application's creator code.
  virtual FourCharCode KX_CALL GetCreatorCode() = 0;
};

/// File locations and file objects.
class IKXFileManager : public IKXUnknown {
 public:
  /// Slot 3: the platform's path separator character.
  virtual char KX_CALL GetPathSeparator() = 0;
  KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6) KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8)
  /// Slot 9: stores a new file object's IKXFileSpec in `*fileSpec` (one reference), or null.
  virtual KXResult KX_CALL NewFileSpec(IKXFileSpec** fileSpec) = 0;
};

/// Start-up facts, read once by KXDllInit.
class IKXStartupInfo : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9) KX_UNUSED_SLOT(10)
  KX_UNUSED_SLOT(11) KX_UNUSED_SLOT(12)
  /// Slot 13: fills two 32-bit values.
  virtual void KX_CALL GetStartupValuesA(std::uint32_t* first, std::uint32_t* second) = 0;
  /// Slot 14: fills two 32-bit values.
  virtual void KX_CALL GetStartupValuesB(std::uint32_t* first, std::uint32_t* second) = 0;
  /// Slot 15: the address of a 32-bit value, or null.
  virtual const std::uint32_t* KX_CALL GetStartupRecord() = 0;
};

/// Host service entry 24: held, with one call at start-up.
class IKXHeldService24 : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOT(10) KX_UNUSED_SLOT(11) KX_UNUSED_SLOT(12) KX_UNUSED_SLOT(13)
  KX_UNUSED_SLOT(14) KX_UNUSED_SLOT(15) KX_UNUSED_SLOT(16) KX_UNUSED_SLOT(17)
  KX_UNUSED_SLOT(18) KX_UNUSED_SLOT(19) KX_UNUSED_SLOT(20) KX_UNUSED_SLOT(21)
  /// Slot 22: a start-up call; the answer is not kept.
  virtual std::uint8_t KX_CALL StartupCall() = 0;
};

/// Host service entry 25: held, with one call at start-up.
class IKXHeldService25 : public IKXUnknown {
 public:
  KX_UNUSED_SLOT(3) KX_UNUSED_SLOT(4) KX_UNUSED_SLOT(5) KX_UNUSED_SLOT(6)
  KX_UNUSED_SLOT(7) KX_UNUSED_SLOT(8) KX_UNUSED_SLOT(9)
  KX_UNUSED_SLOTS_DECADE(1) KX_UNUSED_SLOTS_DECADE(2) KX_UNUSED_SLOTS_DECADE(3)
  KX_UNUSED_SLOTS_DECADE(4) KX_UNUSED_SLOTS_DECADE(5) KX_UNUSED_SLOTS_DECADE(6)
  KX_UNUSED_SLOTS_DECADE(7) KX_UNUSED_SLOTS_DECADE(8) KX_UNUSED_SLOTS_DECADE(9)
  KX_UNUSED_SLOT(100) KX_UNUSED_SLOT(101) KX_UNUSED_SLOT(102) KX_UNUSED_SLOT(103)
  /// Slot 104: a start-up call; the answer is not kept.
  virtual std::uint8_t KX_CALL StartupCall() = 0;
};

KX_INTERFACE_ID(IKXShellUtilities, kKXIIDShellUtilities);
KX_INTERFACE_ID(IKXFileManager, kKXIIDFileManager);
KX_INTERFACE_ID(IKXResourceManager, kKXIIDResourceManager);
KX_INTERFACE_ID(IKXStartupInfo, kKXIIDStartupInfo);
KX_INTERFACE_ID(IKXMemoryManager, kKXIIDMemoryManager);
KX_INTERFACE_ID(IKXPlatformInfo, kKXIIDPlatformInfo);
KX_INTERFACE_ID(IKXHeldService24, kKXIIDHeldService24);
KX_INTERFACE_ID(IKXHeldService25, kKXIIDHeldService25);
