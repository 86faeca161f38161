// The object of a host scene instance.
#pragma once

#include "THostCounted.h"
#include "THostSwitches.h"

/// Answers IUnknown, and kKXIIDPrimitive unless its instance is switched to non-primitive.
class THostObject final : public THostCounted<IKXUnknown> {
 public:
  THostObject(THostRefLedger& ledger, const THostSwitches& switches);

  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;

 private:
  const THostSwitches& switches_;
};
