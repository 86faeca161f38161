#include "plugin/TKXClassFactory.h"

#include "KXIdentifiers.h"
#include "KXResultCodes.h"
#include "plugin/KXComponent.h"

TKXClassFactory::TKXClassFactory(const KXGUID& classId) : classId_(classId) {}

KXResult TKXClassFactory::QueryInterface(const KXGUID& iid, void** out) {
  return KXQueryClassChain<TKXComObject, IKXClassFactory, kKXIIDClassFactory>(this, iid, out);
}

std::int32_t TKXClassFactory::AddRef() { return TKXComObject::AddRef(); }

std::int32_t TKXClassFactory::Release() { return ReleaseByRule(this); }

KXResult TKXClassFactory::CreateInstance(IKXUnknown* outer, const KXGUID& iid, void** out) {
  TKXComObject* component = CreateComponent(classId_);
  if (!component) return kKXErrClassNotAvailable;
  component->SetOuter(outer);
  const KXResult result = component->QueryInterface(iid, out);
  // A component that was not handed out must not give its last reference to the outer object.
  if (result != kKXOk) component->SetOuter(nullptr);
  component->Release();
  return result;
}

KXResult TKXClassFactory::LockServer(std::int32_t) { return kKXOk; }
