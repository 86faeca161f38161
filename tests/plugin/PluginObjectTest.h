// Tests of the plug-in's objects on the reference host's services, without start-up: every
// object made in a test, the fixture's own included, must be gone and its host memory given back
// when the test ends.
#pragma once

#include <gtest/gtest.h>

#include "KXIdentifiers.h"
#include "THostApplication.h"
#include "THostCom.h"
#include "plugin/TKXComObject.h"
#include "support/ServiceTableSession.h"

class PluginObjectTest : public ::testing::Test {
 protected:
  // A destructor, not TearDown: derived fixtures' objects are gone by the time it runs.
  ~PluginObjectTest() override {
    EXPECT_EQ(KXLiveObjectCount, 0);
    EXPECT_EQ(host.Memory().LiveObjects(), 0u);
    EXPECT_EQ(host.Memory().FreeErrors(), 0u);
  }

  /// Asks `object` for `iid`; the answer, or null.
  template <class I>
  static THostRef<I> Query(IKXUnknown* object, const KXGUID& iid) {
    THostRef<I> answer;
    object->QueryInterface(iid, answer.Slot());
    return answer;
  }

  THostApplication host;
  TServiceTableSession services{host.Shell()};
};
