#include "plugin/TKXComObject.h"

#include "KXException.h"
#include "KXExceptionSupport.h"
#include "KXImplements.h"
#include "KXIdentifiers.h"
#include "KXResultCodes.h"

std::int32_t KXLiveObjectCount = 0;

TKXComObject::TKXComObject() : count_(1), outer_(nullptr) { ++KXLiveObjectCount; }

TKXComObject::~TKXComObject() { --KXLiveObjectCount; }

KXResult TKXComObject::QueryInterface(const KXGUID& iid, void** out) {
  if (outer_) return outer_->QueryInterface(iid, out);
  if (iid == kKXIIDUnknown) return KXStoreInterface(out, this);
  return KXRefuseInterface(out);
}

std::int32_t TKXComObject::AddRef() {
  if (outer_) return outer_->AddRef();
  return ++count_;
}

std::int32_t TKXComObject::Release() { KXNotImplemented(); }

std::int32_t TKXComObject::DropReference(bool& destroy) {
  if (outer_) {
    const std::int32_t answer = outer_->Release();
    destroy = answer == -1;
    return answer;
  }
  --count_;
  if (count_ < 0) throw TKXException(kKXErrRefCountUnderflow, nullptr, 0);
  destroy = count_ == 0;
  return count_;
}
