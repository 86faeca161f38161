#include "MapCheckHost.h"

#include "KXServiceTable.h"

namespace {

constexpr int kEntries[] = {kKXEntryMemoryManager, kKXEntryFileManager, kKXEntryPlatformInfo};

}  // namespace

MapCheckHost::MapCheckHost() {
  IKXUnknown* const services[] = {&memory_, &files_, &platform_};
  for (int i = 0; i < 3; ++i) {
    replaced_[i] = gKXServiceTable[kEntries[i] - 1];
    gKXServiceTable[kEntries[i] - 1] = services[i];
  }
}

MapCheckHost::~MapCheckHost() {
  for (int i = 0; i < 3; ++i) gKXServiceTable[kEntries[i] - 1] = replaced_[i];
}
