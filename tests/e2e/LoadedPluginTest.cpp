// The plug-in as a host application meets it: the built library loaded at run time, its entry
// points resolved by name, its exporter reached through the class factory. Each test loads a
// fresh copy of the library, so each starts from the state of a library just loaded.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include "KXComponentInterfaces.h"
#include "KXException.h"
#include "KXIdentifiers.h"
#include "THostApplication.h"
#include "THostPluginLibrary.h"
#include "THostPolygonGroup.h"
#include "THostRef.h"
#include "THostScene.h"
#include "support/FileText.h"
#include "support/TriangleScene.h"

namespace {

class LoadedPluginTest : public ::testing::Test {
 protected:
  LoadedPluginTest()
      : path(::testing::TempDir() + "e2e_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".t3d") {
    std::remove(path.c_str());
  }

  void SetUp() override { ASSERT_TRUE(library.Load(T3D_PLUGIN_LIBRARY)) << library.Error(); }

  /// Asks the factory of the exporter class for an exporter.
  THostRef<IKXExporter> MakeExporter() {
    THostRef<IKXClassFactory> factory;
    EXPECT_EQ(library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory,
                                          factory.Slot()),
              kKXOk);
    THostRef<IKXExporter> exporter;
    if (factory) {
      EXPECT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot()), kKXOk);
    }
    return exporter;
  }

  /// Nothing of the host is held or allocated any more.
  void ExpectHostWhole() {
    EXPECT_EQ(host.OutstandingReferences(), 0);
    EXPECT_EQ(host.ServiceUnderflows(), 0);
    EXPECT_EQ(host.Memory().LiveObjects(), 0u);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0u);
    EXPECT_EQ(host.Memory().FreeErrors(), 0u);
  }

  THostApplication host;
  THostPluginLibrary library;
  const std::string path;
};

}  // namespace

TEST_F(LoadedPluginTest, HostsUsualSequenceWritesTheMap) {
  THostScene scene;
  AddTriangle(scene, "Box");

  ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  THostRef<IKXClassFactory> factory;
  ASSERT_EQ(library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory,
                                        factory.Slot()),
            kKXOk);
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
  ASSERT_EQ(dlopen(T3D_PLUGIN_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    const bool returned = entry == 6 || entry == 25;
    EXPECT_EQ(host.ServiceReferences(entry), returned ? 0 : 1) << "entry " << entry;
  }
}

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
