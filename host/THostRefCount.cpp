#include "THostRefCount.h"

std::int32_t THostRefCount::Add() {
  ++added_;
  if (ledger_) ++ledger_->outstanding_;
  return Count();
}

std::int32_t THostRefCount::Drop() {
  const bool underflow = Count() <= 0;
  ++dropped_;
  if (underflow) ++underflows_;
  if (ledger_) {
    --ledger_->outstanding_;
    if (underflow) ++ledger_->underflows_;
  }
  return Count();
}
