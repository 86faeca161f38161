#include "THostLiteShell.h"

#include "KXIdentifiers.h"
#include "THostLiteFile.h"
#include "THostLiteText.h"

KXResult KX_CALL THostLiteProgress::QueryInterface(const KXGUID& iid, void** out) {
  return HandOut(iid == kKXIIDUnknown ? this : nullptr, out);
}

KXResult KX_CALL THostLiteUtilities::QueryInterface(const KXGUID& iid, void** out) {
  const bool known = iid == kKXIIDUnknown || iid == kKXIIDShellUtilities;
  return HandOut(known ? this : nullptr, out);
}

KXResult KX_CALL THostLiteUtilities::OpenProgress(const TKXString*, IKXUnknown** progress,
                                                  float) {
  ++opened_;
  *progress = &progress_;
  progress_.AddRef();
  return kKXOk;
}

KXResult KX_CALL THostLiteUtilities::CloseProgress(IKXUnknown*) {
  ++closed_;
  return kKXOk;
}

KXResult KX_CALL THostLiteUtilities::AdvanceProgress(float step, IKXUnknown*) {
  advanced_ += step;
  return kKXOk;
}

FourCharCode KX_CALL THostLiteUtilities::GetCreatorCode() { return KXFourChar('T', 'H', 'S', 'T'); }

KXResult KX_CALL THostLiteResources::QueryInterface(const KXGUID& iid, void** out) {
  const bool known = iid == kKXIIDUnknown || iid == kKXIIDResourceManager;
  return HandOut(known ? this : nullptr, out);
}

KXResult KX_CALL THostLiteResources::GetText(TKXString* text, std::int32_t, std::int32_t) {
  HostFillString(text, "Exporting T3D");
  return kKXOk;
}

KXResult KX_CALL THostLiteResources::UseResources(FourCharCode, FourCharCode,
                                                  std::uint32_t* savedContext) {
  *savedContext = 1;
  return kKXOk;
}

KXResult KX_CALL THostLiteResources::RestoreResources(std::uint32_t) { return kKXOk; }

KXResult KX_CALL THostLiteFiles::QueryInterface(const KXGUID& iid, void** out) {
  const bool known = iid == kKXIIDUnknown || iid == kKXIIDFileManager;
  return HandOut(known ? this : nullptr, out);
}

char KX_CALL THostLiteFiles::GetPathSeparator() { return '\\'; }

KXResult KX_CALL THostLiteFiles::NewFileSpec(IKXFileSpec** fileSpec) {
  *fileSpec = THostLiteFile::Make("");
  return *fileSpec ? kKXOk : kKXErrNoMemory;
}

KXResult KX_CALL THostLitePlatformInfo::QueryInterface(const KXGUID& iid, void** out) {
  const bool known = iid == kKXIIDUnknown || iid == kKXIIDPlatformInfo;
  return HandOut(known ? this : nullptr, out);
}

const void* KX_CALL THostLitePlatformInfo::GetCharacterTables() { return nullptr; }

void KX_CALL THostLitePlatformInfo::GetProcessorFeatures(std::uint8_t* features) {
  features[0] = 1;
}

KXResult KX_CALL THostLiteShell::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDShellUtilities) return utilities_.QueryInterface(iid, out);
  if (iid == kKXIIDFileManager) return files_.QueryInterface(iid, out);
  if (iid == kKXIIDResourceManager) return resources_.QueryInterface(iid, out);
  if (iid == kKXIIDMemoryManager) return memory_.QueryInterface(iid, out);
  if (iid == kKXIIDPlatformInfo) return platform_.QueryInterface(iid, out);
  return HandOut(iid == kKXIIDUnknown ? this : nullptr, out);
}
