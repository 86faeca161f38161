// The class factory that KXDllGetClassObject hands out: makes the components of one class.
#pragma once

#include "KXComponentInterfaces.h"
#include "KXGUID.h"
#include "KXImplements.h"
#include "plugin/TKXComObject.h"

/// TKXComObject part first, IClassFactory part second, then the class identifier.
class TKXClassFactory final
    : public KXImplements<TKXClassFactory, TKXComObject, IKXClassFactory> {
 public:
  /// A factory for the components of class `classId` (copied).
  explicit TKXClassFactory(const KXGUID& classId);

  /// Makes the component through the class table and hands out its `iid`. With an outer object
  /// the component becomes part of it, unless the query fails.
  KXResult KX_CALL CreateInstance(IKXUnknown* outer, const KXGUID& iid, void** out) override;
  KXResult KX_CALL LockServer(std::int32_t lock) override;

 private:
  KXGUID classId_;

  friend struct TKXClassFactoryLayout;
};
