#include "plugin/TKXClassFactory.h"

#include "KXResultCodes.h"
#include "plugin/KXComponentClasses.h"

TKXClassFactory::TKXClassFactory(const KXGUID& classId) : classId_(classId) {}

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
