#include "THostScene.h"

#include "KXIdentifiers.h"
#include "THostOutSlot.h"

// The base only keeps the ledger's address; the ledger is built before anything counts.
THostScene::THostScene() : THostCounted(&ledger_), universe_(ledger_, "Universe") {}

THostScene::~THostScene() = default;

THostInstance& THostScene::AddInstance(const std::string& name) {
  instances_.push_back(std::make_unique<THostInstance>(ledger_, name));
  return *instances_.back();
}

KXResult THostScene::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

std::uint32_t THostScene::GetInstanceCount() {
  return static_cast<std::uint32_t>(instances_.size());
}

KXResult THostScene::GetInstance(IKXInstance** instance, std::uint32_t index) {
  if (index >= instances_.size()) {
    THostStore(THostSlot(instance), nullptr);
    return kKXErrMissingObject;
  }
  THostInstance& answer = *instances_[index];
  const bool null = answer.Switches().IsNull(THostNull::Instance);
  return THostStore(THostSlot(instance), null ? nullptr : answer.Instance());
}
