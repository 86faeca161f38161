// The exception's table as the host reads it: GetFileName at slot 0, for every way the plug-in
// raises one.
#include <gtest/gtest.h>

#include <cstdint>

#include "KXException.h"
#include "KXExceptionSupport.h"
#include "KXResultCodes.h"
#include "support/ExceptionTable.h"

namespace {

// What each raise site hands to the host: code, file (or none) and line.
struct RaiseSite {
  const char* name;
  void (*raise)();
  KXResult code;
  const char* file;
  int line;
};

[[noreturn]] void RaiseWithFile() { throw TKXException(kKXErrMissingObject, "T3d", 250); }

const RaiseSite kRaiseSites[] = {
    {"a site with a file", RaiseWithFile, kKXErrMissingObject, "T3d", 250},
    {"KXNotImplemented", KXNotImplemented, kKXErrNotImplemented, nullptr, 0},
    {"KXTerminateHandler", KXTerminateHandler, kKXErrSystemException,
     "KXCore/Source/Common/KXException", 50},
};

}  // namespace

TEST(ExceptionTable, SlotZeroHandsTheFileToTheHost) {
  for (const RaiseSite& site : kRaiseSites) {
    SCOPED_TRACE(site.name);
    try {
      site.raise();
      ADD_FAILURE() << "nothing thrown";
    } catch (const TKXException& caught) {
      EXPECT_EQ(caught.Code(), site.code);
      EXPECT_EQ(caught.Line(), site.line);
      EXPECT_STREQ(caught.GetFileName(), site.file);
      // The host reads the pointer itself, so it must be the very one the exception holds.
      EXPECT_EQ(CallExceptionTableEntry0(caught), caught.GetFileName());
      const TKXException copy(caught);
      EXPECT_EQ(CallExceptionTableEntry0(copy), caught.GetFileName());
    }
  }
}
