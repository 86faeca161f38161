// A service that the plug-in only acquires and gives back.
#pragma once

#include "THostService.h"

/// Answers QueryInterface, AddRef and Release, and nothing else.
class THostHeldService final : public THostService<IKXUnknown> {
 public:
  explicit THostHeldService(const KXGUID& iid) : THostService(iid) {}
};
