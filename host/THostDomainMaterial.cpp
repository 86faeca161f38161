#include "THostDomainMaterial.h"

#include <utility>

#include "KXIdentifiers.h"
#include "THostOutSlot.h"
#include "THostTexture.h"

THostDomainMaterial::THostDomainMaterial(THostRefLedger& ledger, const THostSwitches& switches)
    : THostCounted(&ledger), ledger_(ledger), switches_(switches) {}

THostDomainMaterial::~THostDomainMaterial() = default;

void THostDomainMaterial::SetTexture(std::string name) {
  if (texture_) {
    texture_->SetName(std::move(name));
  } else {
    texture_ = std::make_unique<THostTexture>(ledger_, std::move(name));
  }
}

KXResult THostDomainMaterial::QueryInterface(const KXGUID& iid, void** out) {
  if (iid == kKXIIDUnknown) return THostStore(out, this);
  return THostRefuse(out);
}

std::uint8_t THostDomainMaterial::KeepsPreviousTexture() { return keeps_ ? 1 : 0; }

KXResult THostDomainMaterial::GetTexture(IKXTexture** texture, std::int32_t*) {
  ++textureCalls_;
  const bool null = switches_.IsNull(THostNull::Texture);
  return THostStore(THostSlot(texture), null ? nullptr : texture_.get());
}
