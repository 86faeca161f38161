// Start-up and shut-down through the entry points: the references they take and give back, the
// calls they make, and hosts that leave services out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "KXComponentInterfaces.h"
#include "KXPlatform.h"
#include "KXTranslator.h"
#include "KXEntryPoints.h"
#include "KXException.h"
#include "KXServiceTable.h"
#include "THostApplication.h"
#include "THostCom.h"
#include "THostScene.h"
#include "plugin/TKXComObject.h"
#include "support/FileText.h"

namespace {

constexpr int kHeldOnlyEntries[] = {2,  6,  7,  10, 11, 12, 13, 14, 15, 16, 17,
                                    18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

bool Translating() { return KXPlatformCurrentTranslator() == KXTranslateSystemException; }

bool TableIsEmpty() {
  for (IKXUnknown* entry : gKXServiceTable) {
    if (entry) return false;
  }
  return true;
}

class EntryPointsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(Translating()) << "a test left translation on"; }

  void TearDown() override {
    EXPECT_EQ(KXDllCleanUp(), kKXOk);
    EXPECT_TRUE(TableIsEmpty());
    EXPECT_FALSE(Translating());
    EXPECT_EQ(host.OutstandingReferences(), 0);
    EXPECT_EQ(host.ServiceUnderflows(), 0);
    EXPECT_EQ(host.Memory().LiveObjects(), 0u);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0u);
    EXPECT_EQ(KXLiveObjectCount, 0);
  }

  /// Makes an exporter through a class factory, as the host does.
  THostRef<IKXExporter> MakeExporter() {
    THostRef<IKXClassFactory> factory;
    EXPECT_EQ(KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, factory.Slot()),
              kKXOk);
    THostRef<IKXExporter> exporter;
    if (factory) factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot());
    return exporter;
  }

  /// Exports a scene of one instance named "Box" as a map; returns the file's text.
  std::string ExportBox(IKXExporter* exporter) {
    const std::string path = TestFilePath("plugin_", ".t3d");
    std::remove(path.c_str());
    THostScene scene;
    scene.AddInstance("Box");
    {
      auto destination = host.Files().NewDestination(path);
      exporter->Export(destination.Get(), &scene, scene.Universe());
    }
    EXPECT_EQ(scene.OutstandingReferences(), 0);
    return ReadFileText(path);
  }

  void ExpectEveryServiceHeldOnce() {
    for (int entry = 1; entry <= kKXServiceCount; ++entry) {
      EXPECT_EQ(host.ServiceReferences(entry), 1) << "entry " << entry;
    }
  }

  THostApplication host;
};

}  // namespace

TEST_F(EntryPointsTest, EveryServiceReferenceComesBackOnce) {
  host.Platform().SetProcessorFeatures({0, 7, 8, 9});
  EXPECT_EQ(KXDllInit(host.Shell()), kKXOk);
  ExpectEveryServiceHeldOnce();
  EXPECT_EQ(host.OutstandingServiceReferences(), kKXServiceCount) << "the shell is borrowed";
  EXPECT_TRUE(Translating());
  const std::uint8_t features[4] = {0, 7, 8, 9};
  EXPECT_EQ(std::memcmp(KXProcessorFeatures, features, sizeof features), 0);
  EXPECT_EQ(host.Startup().RecordCalls(), 1);
  EXPECT_EQ(host.Startup().CallsA(), 1);
  EXPECT_EQ(host.Startup().CallsB(), 1);
  EXPECT_EQ(host.StartupEntry24().Calls(), 1);
  EXPECT_EQ(host.StartupEntry25().Calls(), 1);
  EXPECT_EQ(KXDllCleanUp(), kKXOk);
  EXPECT_EQ(KXDllCleanUp(), kKXOk) << "a second clean-up releases nothing";
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    EXPECT_EQ(host.ServiceReferencesHandedOut(entry), 1) << "entry " << entry;
    EXPECT_EQ(host.ServiceReferencesReturned(entry), 1) << "entry " << entry;
  }
}

// Each start-up's references come back at the shut-down that follows it.
TEST_F(EntryPointsTest, StartUpAfterCleanUpFetchesAndGivesBackAgain) {
  KXDllInit(host.Shell());
  KXDllCleanUp();
  EXPECT_EQ(KXDllInit(host.Shell()), kKXOk);
  ExpectEveryServiceHeldOnce();
  EXPECT_TRUE(Translating());
  EXPECT_EQ(ExportBox(MakeExporter().Get()).rfind("Begin Map\n", 0), 0u);
  EXPECT_EQ(KXDllCleanUp(), kKXOk);
  EXPECT_EQ(host.OutstandingServiceReferences(), 0);
  EXPECT_EQ(host.ServiceReferencesHandedOut(8), 2);
  EXPECT_EQ(host.Startup().RecordCalls(), 2);
}

TEST_F(EntryPointsTest, NullShellStartsAndStopsWithoutServices) {
  EXPECT_EQ(KXDllInit(nullptr), kKXOk);
  EXPECT_TRUE(TableIsEmpty());
  EXPECT_TRUE(Translating());
  // Without a memory service no factory can be made; the host hears of it as an exception.
  void* factory = nullptr;
  try {
    KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, &factory);
    ADD_FAILURE() << "no exception";
  } catch (const TKXException& failure) {
    EXPECT_EQ(failure.Code(), kKXErrNoMemory);
  }
  EXPECT_EQ(factory, nullptr);
  EXPECT_EQ(KXDllCleanUp(), kKXOk);
  EXPECT_FALSE(Translating());
}

// Export's own answer to these missing services is tested with the export driver.
TEST_F(EntryPointsTest, MissingCalledServicesAreSkippedAtStartUp) {
  for (int entry : {1, 3, 4, 5, 9, 24, 25}) host.Withhold(entry);
  KXProcessorFeatures[0] = 1;
  EXPECT_EQ(KXDllInit(host.Shell()), kKXOk);
  const std::uint8_t none[4] = {};
  EXPECT_EQ(std::memcmp(KXProcessorFeatures, none, sizeof none), 0)
      << "no platform service: 32-bit moves only";
  EXPECT_EQ(host.ServiceReferences(8), 1);
  EXPECT_EQ(host.ServiceReferences(27), 1);
}

TEST_F(EntryPointsTest, HostWithoutHeldOnlyServicesExportsAsBefore) {
  for (int entry : kHeldOnlyEntries) host.Withhold(entry);
  EXPECT_EQ(KXDllInit(host.Shell()), kKXOk);
  for (int entry : kHeldOnlyEntries) {
    EXPECT_EQ(gKXServiceTable[entry - 1], nullptr) << "entry " << entry;
  }
  const std::string text = ExportBox(MakeExporter().Get());
  EXPECT_EQ(text.rfind("Begin Map\n", 0), 0u);
  EXPECT_NE(text.find("Begin Actor Class=Brush Name=Box\n"), std::string::npos);
}

TEST_F(EntryPointsTest, TranslatorSwitchedOnTwiceAndOffOnceStaysOn) {
  KXDllInit(host.Shell());
  EXPECT_EQ(KXDllInitExceptionTranslator(), kKXOk);
  EXPECT_EQ(KXDllCleanUpExceptionTranslator(), kKXOk);
  EXPECT_TRUE(Translating()) << "the second switching-on saved the plug-in's own translator";
  KXDllCleanUp();
  EXPECT_TRUE(Translating());
  KXPlatformSetTranslator(nullptr);
}
