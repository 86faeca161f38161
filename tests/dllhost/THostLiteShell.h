// The lean host's root interface and the services the plug-in calls: progress display and
// creator code, resources, files, memory and platform facts. The other service entries go
// unanswered, which the plug-in allows.
#pragma once

#include "KXHostServices.h"
#include "THostLiteMemory.h"
#include "THostLiteObject.h"

/// The progress display object handed out by OpenProgress.
class THostLiteProgress final : public THostLiteObject<IKXUnknown> {
 public:
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
};

/// Entry 1: progress display and creator code.
class THostLiteUtilities final : public THostLiteObject<IKXShellUtilities> {
 public:
  std::int32_t Opened() const { return opened_; }
  std::int32_t Closed() const { return closed_; }
  float Advanced() const { return advanced_; }

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL OpenProgress(const TKXString* title, IKXUnknown** progress,
                                float total) override;
  KXResult KX_CALL CloseProgress(IKXUnknown* progress) override;
  KXResult KX_CALL AdvanceProgress(float step, IKXUnknown* progress) override;
  FourCharCode KX_CALL GetCreatorCode() override;

 private:
  THostLiteProgress progress_;
  std::int32_t opened_ = 0;
  std::int32_t closed_ = 0;
  float advanced_ = 0;
};

/// Entry 4: the progress title as text 131, item 1.
class THostLiteResources final : public THostLiteObject<IKXResourceManager> {
 public:
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  KXResult KX_CALL GetText(TKXString* text, std::int32_t textId, std::int32_t item) override;
  KXResult KX_CALL UseResources(FourCharCode owner, FourCharCode kind,
                                std::uint32_t* savedContext) override;
  KXResult KX_CALL RestoreResources(std::uint32_t savedContext) override;
};

/// Entry 3: makes file objects (THostLiteFile).
class THostLiteFiles final : public THostLiteObject<IKXFileManager> {
 public:
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  char KX_CALL GetPathSeparator() override;
  KXResult KX_CALL NewFileSpec(IKXFileSpec** fileSpec) override;
};

/// Entry 9: 64-bit block moves allowed, no character tables.
class THostLitePlatformInfo final : public THostLiteObject<IKXPlatformInfo> {
 public:
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  const void* KX_CALL GetCharacterTables() override;
  void KX_CALL GetProcessorFeatures(std::uint8_t* features) override;
};

/// The root interface: answers the identifiers of the five services above.
class THostLiteShell final : public THostLiteObject<IKXShell> {
 public:
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;

  THostLiteUtilities& Utilities() { return utilities_; }
  THostLiteMemory& Memory() { return memory_; }

 private:
  THostLiteUtilities utilities_;
  THostLiteResources resources_;
  THostLiteFiles files_;
  THostLiteMemory memory_;
  THostLitePlatformInfo platform_;
};
