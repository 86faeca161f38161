#include "KXServiceTable.h"

#include <initializer_list>

IKXUnknown* gKXServiceTable[kKXServiceCount] = {};
std::uint8_t KXProcessorFeatures[4] = {};

namespace {

// Entries 6 and 25 own their reference beyond shut-down: if they are still set when the library
// is unloaded, they are given back then.
struct TKXOwnedEntriesRelease {
  ~TKXOwnedEntriesRelease() {
    for (int entry : {6, 25}) {
      IKXUnknown*& slot = gKXServiceTable[entry - 1];
      if (slot) {
        IKXUnknown* service = slot;
        slot = nullptr;
        service->Release();
      }
    }
  }
};

TKXOwnedEntriesRelease gOwnedEntriesRelease;

}  // namespace
