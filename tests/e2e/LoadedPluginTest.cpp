// The plug-in as a host application meets it: the built library loaded at run time, its entry
// points resolved by name, its exporter reached through the class factory; and the ways a failure
// leaves the library: a TKXException thrown by value across the library boundary, and a
// processor fault in the library's code translated into one.
#include <exception>
#include <string>

#include "KXException.h"
#include "THostScene.h"
#include "e2e/PluginHost.h"
#include "support/FileText.h"
#include "support/TriangleScene.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

using LoadedPluginTest = PluginHostTest;

TEST_F(LoadedPluginTest, HostsUsualSequenceWritesTheMap) {
  THostScene scene;
  AddTriangle(scene, "Box");

  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  THostRef<IKXClassFactory> factory = MakeFactory();
  ASSERT_TRUE(factory);
  THostRef<IKXExporter> exporter;
  ASSERT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot()), kKXOk);
  factory.Reset();
  EXPECT_EQ(library.KXDllCanUnloadNow(), 1);
  {
    auto destination = host.Files().NewDestination(path);
    EXPECT_EQ(exporter->Export(destination.Get(), &scene, scene.Universe()), kKXOk);
  }
  exporter.Reset();
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);
  EXPECT_EQ(library.KXDllCleanUp(), kKXOk);

  EXPECT_EQ(ReadFileText(path), ExpectedTriangleMap("Box"));
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    EXPECT_EQ(host.ServiceReferencesHandedOut(entry), 1) << "entry " << entry;
    EXPECT_EQ(host.ServiceReferencesReturned(entry), 1) << "entry " << entry;
  }
  EXPECT_EQ(scene.OutstandingReferences(), 0);
  ExpectHostWhole();
}

TEST_F(LoadedPluginTest, HostCatchesTheFailureOfExportByItsType) {
  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  THostRef<IKXExporter> exporter = MakeExporter();
  ASSERT_TRUE(exporter);
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
  exporter.Reset();
  library.KXDllCleanUp();
  ExpectHostWhole();
}

TEST_F(LoadedPluginTest, CleanUpWithoutStartUpTouchesNothing) {
  EXPECT_EQ(library.KXDllCleanUp(), kKXOk);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);
  EXPECT_EQ(host.Startup().RecordCalls(), 0);
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    EXPECT_EQ(host.ServiceReferencesHandedOut(entry), 0) << "entry " << entry;
  }
  // The plug-in still starts and stops as usual afterwards.
  EXPECT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  EXPECT_EQ(library.KXDllCleanUp(), kKXOk);
  ExpectHostWhole();
}

TEST_F(LoadedPluginTest, UnloadWithoutCleanUpGivesBackEntries6And25) {
  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  library.Unload();
  ASSERT_FALSE(THostPluginLibrary::IsMapped(T3D_PLUGIN_LIBRARY)) << "still loaded";
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    const bool returned = entry == 6 || entry == 25;
    EXPECT_EQ(host.ServiceReferences(entry), returned ? 0 : 1) << "entry " << entry;
  }
}

#ifdef _WIN32

// The out slot lies on a page the library may not read: its QueryInterface faults while it looks
// at what the slot holds. With translation on (KXDllInit switched it on for this thread) the host
// receives a TKXException with kKXErrSystemException, no file and line 0.
namespace {

// A page that may not even be read: any access from the library faults.
class NoAccessPage {
 public:
  NoAccessPage() : page_(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS)) {}
  ~NoAccessPage() { VirtualFree(page_, 0, MEM_RELEASE); }
  void** Slot() const { return static_cast<void**>(page_); }

 private:
  void* page_;
};

}  // namespace

TEST_F(LoadedPluginTest, FaultInTheLibraryReachesTheHostAsException) {
  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  NoAccessPage page;
  for (int attempt = 0; attempt < 2; ++attempt) {  // the second proves the handler still works
    try {
      library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, page.Slot());
      ADD_FAILURE() << "no fault";
    } catch (const TKXException& failure) {
      EXPECT_EQ(static_cast<std::uint32_t>(failure.Code()), 0x80010004u);
      EXPECT_EQ(failure.GetFileName(), nullptr);
      EXPECT_EQ(failure.Line(), 0);
    }
  }
  // The faulting query left its factory behind; the plug-in still counts it.
  EXPECT_EQ(library.KXDllCanUnloadNow(), 1);
}

// After KXDllCleanUpExceptionTranslator the thread has its previous translator (none) again, so
// the same fault is the host's own: the test main ends the program with the fault's code.
TEST(LoadedPluginDeathTest, FaultWithTranslationSwitchedOffStaysTheHosts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        THostApplication host;
        THostPluginLibrary library;
        library.Load(T3D_PLUGIN_LIBRARY);
        library.KXDllInit(host.Shell());
        library.KXDllCleanUpExceptionTranslator();
        NoAccessPage page;
        library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, page.Slot());
      },
      [](int status) { return static_cast<DWORD>(status) == EXCEPTION_ACCESS_VIOLATION; }, "");
}

TEST_F(LoadedPluginTest, UnloadGivesTheHostItsTerminateHandlerBack) {
  const std::terminate_handler hostTerminate = std::get_terminate();
  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);  // switches translation on
  // One GCC runtime DLL serves the host and the plug-in, so the plug-in's handler is the host's too.
  EXPECT_NE(std::get_terminate(), hostTerminate);
  EXPECT_EQ(library.KXDllCleanUp(), kKXOk);
  library.Unload();
  EXPECT_FALSE(THostPluginLibrary::IsMapped(T3D_PLUGIN_LIBRARY)) << "still loaded";
  EXPECT_EQ(std::get_terminate(), hostTerminate);
}

#else

TEST_F(LoadedPluginTest, UnloadGivesTheHostItsFaultAndTerminateHandlingBack) {
  struct sigaction before;
  sigaction(SIGSEGV, nullptr, &before);
  const std::terminate_handler hostTerminate = std::get_terminate();

  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);  // switches translation on
  struct sigaction during;
  sigaction(SIGSEGV, nullptr, &during);
  EXPECT_NE(during.sa_sigaction, before.sa_sigaction);
  EXPECT_NE(std::get_terminate(), hostTerminate);
  EXPECT_EQ(library.KXDllCleanUp(), kKXOk);  // switches it off, handlers stay
  library.Unload();

  // Nothing may point into the unloaded library's code any more.
  struct sigaction after;
  sigaction(SIGSEGV, nullptr, &after);
  EXPECT_EQ(after.sa_sigaction, before.sa_sigaction);
  EXPECT_EQ(std::get_terminate(), hostTerminate);
}

#endif
