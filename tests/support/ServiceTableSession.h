// Fills the plug-in's host service table from a host shell for the life of a test, as start-up
// and shut-down do, so tests can call into the plug-in without going through its entry points.
#pragma once

#include "KXHostServices.h"
#include "KXIdentifiers.h"
#include "KXServiceTable.h"

class TServiceTableSession {
 public:
  explicit TServiceTableSession(IKXShell* shell) {
    for (int i = 0; i < kKXServiceCount; ++i) {
      shell->QueryInterface(*kKXServiceIDs[i], reinterpret_cast<void**>(&gKXServiceTable[i]));
    }
  }
  TServiceTableSession(const TServiceTableSession&) = delete;
  TServiceTableSession& operator=(const TServiceTableSession&) = delete;
  ~TServiceTableSession() {
    for (IKXUnknown*& entry : gKXServiceTable) {
      if (entry) entry->Release();
      entry = nullptr;
    }
  }
};
