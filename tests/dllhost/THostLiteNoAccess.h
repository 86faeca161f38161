// A page that may not even be read: any access to it faults.
#pragma once

#include "THostLiteWindows.h"

class THostLiteNoAccessPage {
 public:
  THostLiteNoAccessPage()
      : page_(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS)) {}
  ~THostLiteNoAccessPage() { VirtualFree(page_, 0, MEM_RELEASE); }
  THostLiteNoAccessPage(const THostLiteNoAccessPage&) = delete;
  THostLiteNoAccessPage& operator=(const THostLiteNoAccessPage&) = delete;

  /// The page's address as any pointer type.
  template <class T>
  T* As() const {
    return static_cast<T*>(page_);
  }

 private:
  void* page_;
};
