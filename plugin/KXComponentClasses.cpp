#include "plugin/KXComponentClasses.h"

TKXComObject* CreateComponent(const KXGUID& classId) {
  for (std::size_t i = 0; i < kKXComponentClassCount; ++i) {
    if (*kKXComponentClasses[i].classId == classId) return kKXComponentClasses[i].create();
  }
  return nullptr;
}
