// One export through T3dExport.dll, as the host application makes it on Windows, and the two ways
// a failure leaves the DLL: a TKXException thrown by value across the DLL boundary, and a
// processor fault in the DLL's code translated into one.
#include <cstdio>
#include <exception>
#include <string>

#include "KXComponentInterfaces.h"
#include "KXException.h"
#include "KXIdentifiers.h"
#include "KXResultCodes.h"
#include "THostApplication.h"
#include "THostPolygonGroup.h"
#include "THostScene.h"
#include "WindowsHost.h"
#include "support/FileText.h"
#include "support/TriangleScene.h"

namespace {

class DllExportTest : public ::testing::Test {
 protected:
  DllExportTest()
      : path(::testing::TempDir() + "windows_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".t3d") {
    std::remove(path.c_str());
  }

  void SetUp() override { ASSERT_TRUE(dll.Complete()) << "LoadLibrary or GetProcAddress failed"; }

  /// The exporter, made through the factory with the SDK's IClassFactory.
  IKXExporter* MakeExporter() {
    void* factory = nullptr;
    EXPECT_EQ(dll.GetClassObject(&kKXCLSIDT3DExporter, TWindowsPluginDll::AsKX(IID_IClassFactory),
                                 &factory),
              kKXOk);
    if (!factory) return nullptr;
    void* exporter = nullptr;
    EXPECT_EQ(static_cast<IClassFactory*>(factory)->CreateInstance(
                  nullptr, TWindowsPluginDll::AsIID(kKXIIDExporter), &exporter),
              kKXOk);
    static_cast<IClassFactory*>(factory)->Release();
    return static_cast<IKXExporter*>(exporter);
  }

  void ExpectHostWhole() {
    EXPECT_EQ(host.OutstandingReferences(), 0);
    EXPECT_EQ(host.ServiceUnderflows(), 0);
    EXPECT_EQ(host.Memory().LiveObjects(), 0u);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0u);
    EXPECT_EQ(host.Memory().FreeErrors(), 0u);
  }

  THostApplication host;
  TWindowsPluginDll dll;
  const std::string path;
};

// A page that may not even be read: any access from the DLL faults.
class NoAccessPage {
 public:
  NoAccessPage() : page_(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS)) {}
  ~NoAccessPage() { VirtualFree(page_, 0, MEM_RELEASE); }
  void** Slot() const { return static_cast<void**>(page_); }

 private:
  void* page_;
};

}  // namespace

TEST_F(DllExportTest, HostsUsualSequenceWritesTheMap) {
  THostScene scene;
  AddTriangle(scene, "Box");

  ASSERT_EQ(dll.Init(host.Shell()), kKXOk);
  IKXExporter* exporter = MakeExporter();
  ASSERT_NE(exporter, nullptr);
  {
    auto destination = host.Files().NewDestination(path);
    EXPECT_EQ(exporter->Export(destination.Get(), &scene, scene.Universe()), kKXOk);
  }
  EXPECT_EQ(exporter->Release(), 0);
  EXPECT_EQ(dll.CanUnloadNow(), 0);
  EXPECT_EQ(dll.CleanUp(), kKXOk);

  EXPECT_EQ(ReadFileText(path), ExpectedTriangleMap("Box"));
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    EXPECT_EQ(host.ServiceReferencesHandedOut(entry), 1) << "entry " << entry;
    EXPECT_EQ(host.ServiceReferencesReturned(entry), 1) << "entry " << entry;
  }
  EXPECT_EQ(scene.OutstandingReferences(), 0);
  ExpectHostWhole();
}

TEST_F(DllExportTest, HostCatchesTheFailureOfExportByItsType) {
  ASSERT_EQ(dll.Init(host.Shell()), kKXOk);
  IKXExporter* exporter = MakeExporter();
  ASSERT_NE(exporter, nullptr);
  THostScene scene;
  {
    auto destination = host.Files().NewDestination(path);
    host.Memory().RefuseAllAfter(0);
    try {
      exporter->Export(destination.Get(), &scene, scene.Universe());
      ADD_FAILURE() << "no exception";
    } catch (const TKXException& failure) {
      EXPECT_EQ(failure.Code(), kKXErrMissingObject);
      ASSERT_NE(failure.GetFileName(), nullptr);
      EXPECT_STREQ(failure.GetFileName(), "T3d");
      EXPECT_EQ(failure.Line(), 366);
    }
    host.Memory().ClearFaults();
  }
  exporter->Release();
  dll.CleanUp();
  ExpectHostWhole();
}

// The out slot lies on a page the DLL may not read: its QueryInterface faults while it looks at
// what the slot holds. With translation on (KXDllInit switched it on for this thread) the host
// receives a TKXException with kKXErrSystemException, no file and line 0.
TEST_F(DllExportTest, FaultInTheDllReachesTheHostAsException) {
  ASSERT_EQ(dll.Init(host.Shell()), kKXOk);
  NoAccessPage page;
  for (int attempt = 0; attempt < 2; ++attempt) {  // the second proves the handler still works
    try {
      dll.GetClassObject(&kKXCLSIDT3DExporter, TWindowsPluginDll::AsKX(IID_IClassFactory),
                         page.Slot());
      ADD_FAILURE() << "no fault";
    } catch (const TKXException& failure) {
      EXPECT_EQ(static_cast<std::uint32_t>(failure.Code()), 0x80010004u);
      EXPECT_EQ(failure.GetFileName(), nullptr);
      EXPECT_EQ(failure.Line(), 0);
    }
  }
  // The faulting query left its factory behind; the plug-in still counts it.
  EXPECT_EQ(dll.CanUnloadNow(), 1);
}

// After KXDllCleanUpExceptionTranslator the thread has its previous translator (none) again, so
// the same fault is the host's own: the test main ends the program with the fault's code.
TEST(DllExportDeathTest, FaultWithTranslationSwitchedOffStaysTheHosts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        THostApplication host;
        TWindowsPluginDll dll;
        dll.Init(host.Shell());
        dll.CleanUpExceptionTranslator();
        NoAccessPage page;
        dll.GetClassObject(&kKXCLSIDT3DExporter, TWindowsPluginDll::AsKX(IID_IClassFactory),
                           page.Slot());
      },
      [](int status) { return static_cast<DWORD>(status) == EXCEPTION_ACCESS_VIOLATION; }, "");
}

TEST_F(DllExportTest, UnloadGivesTheHostItsTerminateHandlerBack) {
  const std::terminate_handler hostTerminate = std::get_terminate();
  ASSERT_EQ(dll.Init(host.Shell()), kKXOk);  // switches translation on
  // One GCC runtime DLL serves the host and the plug-in, so the plug-in's handler is the host's too.
  EXPECT_NE(std::get_terminate(), hostTerminate);
  EXPECT_EQ(dll.CleanUp(), kKXOk);
  dll.Unload();
  EXPECT_EQ(GetModuleHandleA(T3D_PLUGIN_DLL), nullptr) << "still loaded";
  EXPECT_EQ(std::get_terminate(), hostTerminate);
}
