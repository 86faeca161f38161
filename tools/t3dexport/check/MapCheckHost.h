// The reference host's memory, file and platform services behind the service table while maps
// are checked, so the support library's text stream can read them.
#pragma once

#include "KXUnknown.h"
#include "THostFiles.h"
#include "THostMemory.h"
#include "THostShell.h"

class MapCheckHost {
 public:
  /// Puts the services in the table, keeping the entries they replace.
  MapCheckHost();
  /// Puts the replaced entries back.
  ~MapCheckHost();
  MapCheckHost(const MapCheckHost&) = delete;
  MapCheckHost& operator=(const MapCheckHost&) = delete;

  THostMemory& Memory() { return memory_; }

 private:
  THostMemory memory_;
  THostFileManager files_;
  THostPlatformInfo platform_;
  IKXUnknown* replaced_[3] = {};
};
