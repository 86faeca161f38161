#include "T3d/T3DInstanceFilter.h"

#include "KXCountedPtr.h"
#include "KXIdentifiers.h"
#include "KXSceneInterfaces.h"

bool IsExportableInstance(IKXInstance* instance) {
  TKXCountedPtr<IKXUnknown> kindA;
  if (instance->QueryInterface(kKXIIDExcludedKindA, kindA.AsQuerySlot()) == kKXOk) return false;
  TKXCountedPtr<IKXUnknown> kindB;
  if (instance->QueryInterface(kKXIIDExcludedKindB, kindB.AsQuerySlot()) == kKXOk) return false;
  TKXCountedPtr<IKXUnknown> object;
  instance->GetObject(object.AsOutParam());
  if (!object) return false;
  TKXCountedPtr<IKXUnknown> primitive;
  object->QueryInterface(kKXIIDPrimitive, primitive.AsQuerySlot());
  return !!primitive;
}
