// The process-wide table of host services: filled at start-up, emptied at shut-down, read by
// every part of the plug-in in between.
#pragma once

#include <cstdint>

#include "KXHostServices.h"
#include "KXIdentifiers.h"

/// Entry n of the table is gKXServiceTable[n - 1]; null when the host did not supply it.
extern IKXUnknown* gKXServiceTable[kKXServiceCount];

/// Four bytes of processor facts from the host; byte 0 allows 64-bit block moves.
extern std::uint8_t KXProcessorFeatures[4];

constexpr int kKXEntryShellUtilities = 1;
constexpr int kKXEntryFileManager = 3;
constexpr int kKXEntryResourceManager = 4;
constexpr int kKXEntryStartupInfo = 5;
constexpr int kKXEntryMemoryManager = 8;
constexpr int kKXEntryPlatformInfo = 9;
constexpr int kKXEntryHeld24 = 24;
constexpr int kKXEntryHeld25 = 25;

/// The entry's interface as the host handed it out (the pointer is the interface part itself).
template <class I>
I* KXService(int entry) {
  return reinterpret_cast<I*>(gKXServiceTable[entry - 1]);
}

inline IKXShellUtilities* KXShellUtilitiesService() {
  return KXService<IKXShellUtilities>(kKXEntryShellUtilities);
}
inline IKXFileManager* KXFileManagerService() { return KXService<IKXFileManager>(kKXEntryFileManager); }
inline IKXResourceManager* KXResourceManagerService() {
  return KXService<IKXResourceManager>(kKXEntryResourceManager);
}
inline IKXMemoryManager* KXMemoryManagerService() {
  return KXService<IKXMemoryManager>(kKXEntryMemoryManager);
}
inline IKXPlatformInfo* KXPlatformInfoService() {
  return KXService<IKXPlatformInfo>(kKXEntryPlatformInfo);
}
