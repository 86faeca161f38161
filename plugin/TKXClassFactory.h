// The class factory that KXDllGetClassObject hands out: makes the components of one class.
#pragma once

#include <cstddef>

#include "KXComponentInterfaces.h"
#include "KXGUID.h"
#include "plugin/TKXComObject.h"

class TKXClassFactory final : public TKXComObject, public IKXClassFactory {
 public:
  /// A factory for the components of class `classId` (copied).
  explicit TKXClassFactory(const KXGUID& classId);

  /// Answers IClassFactory, else as TKXComObject.
  KXResult KX_CALL QueryInterface(const KXGUID& iid, void** out) override;
  std::int32_t KX_CALL AddRef() override;
  std::int32_t KX_CALL Release() override;

  /// Makes the component through CreateComponent and hands out its `iid`. With an outer object
  /// the component becomes part of it, unless the query fails.
  KXResult KX_CALL CreateInstance(IKXUnknown* outer, const KXGUID& iid, void** out) override;
  KXResult KX_CALL LockServer(std::int32_t lock) override;

 private:
  KXGUID classId_;

  friend struct TKXClassFactoryLayout;
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
struct TKXClassFactoryLayout {
  static constexpr std::size_t kClassId = offsetof(TKXClassFactory, classId_);
};
#pragma GCC diagnostic pop
KX_ABI_ASSERT(sizeof(IKXClassFactory) == 4, "IClassFactory part: one table");
KX_ABI_ASSERT(sizeof(TKXClassFactory) == 32,
              "TKXClassFactory: TKXComObject part at 0, IClassFactory part at 12, class at 16");
KX_ABI_ASSERT(TKXClassFactoryLayout::kClassId == 16, "the class identifier follows both parts");
