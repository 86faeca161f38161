#include "KXEntryPoints.h"

#include <cstdint>
#include <cstring>

#include "KXCountedPtrHelper.h"
#include "KXExceptionSupport.h"
#include "KXIdentifiers.h"
#include "KXImplements.h"
#include "KXResultCodes.h"
#include "KXServiceTable.h"
#include "plugin/KXComponentClasses.h"
#include "plugin/TKXClassFactory.h"
#include "plugin/TKXComObject.h"

namespace {

// Set when shut-down has given the services back, so that a repeated KXDllCleanUp does nothing.
// A new start-up clears it: the services it fetches are given back by the next shut-down.
bool gCleanedUp = false;

// Shut-down gives the three groups back last group first, the first group in a fixed order.
constexpr int kReleaseOrder[kKXServiceCount] = {25, 26, 27, 21, 22, 23, 24, 10, 5, 8, 7, 9, 4, 3,
                                                2,  1,  6,  17, 16, 15, 14, 13, 12, 11, 20, 18, 19};

void** EntrySlot(int entry) { return reinterpret_cast<void**>(&gKXServiceTable[entry - 1]); }

// The answers are not examined: an entry the host does not supply stays null.
void QueryServices(IKXShell* shell, int first, int last) {
  for (int entry = first; entry <= last; ++entry) {
    shell->QueryInterface(*kKXServiceIDs[entry - 1], EntrySlot(entry));
  }
}

// Without a platform service the features are zero: 32-bit moves only.
void ReadProcessorFeatures() {
  std::uint8_t features[4] = {};
  if (IKXPlatformInfo* platform = KXPlatformInfoService()) platform->GetProcessorFeatures(features);
  std::memcpy(KXProcessorFeatures, features, sizeof features);
}

// The start-up calls below are made for the host's sake; their answers are not kept. Each is
// skipped when its service is missing.
void CallEntry24() {
  if (auto* service = KXService<IKXHeldService24>(kKXEntryHeld24)) service->StartupCall();
}

void CallStartupInfo() {
  auto* startup = KXService<IKXStartupInfo>(kKXEntryStartupInfo);
  if (!startup) return;
  std::uint32_t first = 0;
  std::uint32_t second = 0;
  startup->GetStartupRecord();
  startup->GetStartupValuesA(&first, &second);
  startup->GetStartupValuesB(&first, &second);
}

void CallEntry25() {
  if (auto* service = KXService<IKXHeldService25>(kKXEntryHeld25)) service->StartupCall();
}

}  // namespace

KXResult KX_CALL KXDllInit(IKXShell* shell) {
  gCleanedUp = false;
  if (shell) {
    QueryServices(shell, 1, 20);
    ReadProcessorFeatures();
  }
  KXSetExceptionTranslator(true);
  if (shell) {
    QueryServices(shell, 21, 24);
    CallEntry24();
  }
  CallStartupInfo();
  if (shell) {
    QueryServices(shell, 25, 27);
    CallEntry25();
  }
  KXComponentStartUp(shell);
  return kKXOk;
}

KXResult KX_CALL KXDllCleanUp() {
  if (gCleanedUp) return kKXOk;
  KXComponentShutDown();
  for (int entry : kReleaseOrder) KXReleaseSlot(EntrySlot(entry));
  KXSetExceptionTranslator(false);
  gCleanedUp = true;
  return kKXOk;
}

KXResult KX_CALL KXDllGetClassObject(const KXGUID* classId, const KXGUID* iid, void** out) {
  auto* factory = KXCreateObject<TKXClassFactory>(*classId);
  const KXResult result = factory->QueryInterface(*iid, out);
  // Gives back the construction reference: the factory lives on only if it was handed out.
  factory->Release();
  return result;
}

KXResult KX_CALL KXDllCanUnloadNow() { return KXLiveObjectCount > 0 ? 1 : 0; }

KXResult KX_CALL KXDllInitExceptionTranslator() {
  KXSetExceptionTranslator(true);
  return kKXOk;
}

KXResult KX_CALL KXDllCleanUpExceptionTranslator() {
  KXSetExceptionTranslator(false);
  return kKXOk;
}
