// An object that a component is made part of: it counts what the component hands on to it and
// answers its Release with -1 when told to, the signal that destroys the component.
#pragma once

#include <cstdint>

#include "KXUnknown.h"
#include "THostCom.h"

class TOuterObject final : public IKXUnknown {
 public:
  /// Answers every identifier with itself.
  KXResult KX_CALL QueryInterface(const KXGUID&, void** out) override {
    ++queries;
    return KXStoreInterface(out, this);
  }
  std::int32_t KX_CALL AddRef() override {
    ++addRefs;
    return addRefs - releases;
  }
  std::int32_t KX_CALL Release() override {
    ++releases;
    return answerMinusOne ? -1 : addRefs - releases;
  }

  int queries = 0;
  std::int32_t addRefs = 0;
  std::int32_t releases = 0;
  bool answerMinusOne = false;
};
