// The class factory and the exporter as a host meets them through the loaded library: parts,
// counts and the answers to unanswered requests.
#include <cstring>

#include "KXResultCodes.h"
#include "e2e/PluginHost.h"

#ifdef _WIN32
#include <windows.h>
#include <unknwn.h>
#endif

namespace {

class ComponentTest : public PluginHostTest {
 protected:
  void SetUp() override {
    PluginHostTest::SetUp();
    ASSERT_EQ(library.KXDllInit(host.Shell()), kKXOk);
  }
  void TearDown() override {
    if (library.IsLoaded()) {
      EXPECT_EQ(library.KXDllCleanUp(), kKXOk);
    }
  }

  /// The exporter class's factory, handed over to the caller's own counting.
  IKXClassFactory* Factory() {
    void* out = nullptr;
    EXPECT_EQ(library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, &out),
              kKXOk);
    return static_cast<IKXClassFactory*>(out);
  }
};

}  // namespace

#ifdef _WIN32
TEST(ComponentIdentifiers, StandardOnesMatchTheSdk) {
  EXPECT_EQ(std::memcmp(&IID_IUnknown, &kKXIIDUnknown, 16), 0);
  EXPECT_EQ(std::memcmp(&IID_IClassFactory, &kKXIIDClassFactory, 16), 0);
}
#endif

TEST_F(ComponentTest, HostsUsualSequenceCountsAsTheHostExpects) {
  IKXClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 1);

  IKXUnknown* exporter = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, KXSlot(&exporter)), kKXOk);
  ASSERT_NE(exporter, nullptr);
  EXPECT_EQ(exporter->AddRef(), 2);  // the caller held the only reference
  EXPECT_EQ(exporter->Release(), 1);

  EXPECT_EQ(factory->Release(), 0);  // the factory goes; the exporter stays alive
  EXPECT_EQ(library.KXDllCanUnloadNow(), 1);
  EXPECT_EQ(exporter->Release(), 0);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);
}

TEST_F(ComponentTest, FactoryPartsAreTwoPointersOnOneCount) {
  IKXClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  IKXUnknown* identity = nullptr;
  ASSERT_EQ(factory->QueryInterface(kKXIIDUnknown, KXSlot(&identity)), kKXOk);
  ASSERT_NE(identity, nullptr);
  EXPECT_NE(static_cast<void*>(identity), static_cast<void*>(factory));
  EXPECT_EQ(identity->AddRef(), 3);
  EXPECT_EQ(factory->AddRef(), 4);
  EXPECT_EQ(factory->LockServer(1), kKXOk);
  EXPECT_EQ(factory->LockServer(0), kKXOk);
  EXPECT_EQ(identity->Release(), 3);
  EXPECT_EQ(factory->Release(), 2);
  EXPECT_EQ(identity->Release(), 1);
  EXPECT_EQ(factory->Release(), 0);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);
}

TEST_F(ComponentTest, UnansweredRequestsLeaveNothingBehind) {
  // A factory for an interface it does not answer: nothing handed out, nothing left alive.
  void* out = nullptr;
  EXPECT_EQ(library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDExporter, &out),
            kKXErrNoInterface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);

  IKXClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  // An interface the exporter does not answer: slot null, the component destroyed again.
  IKXUnknown* component = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, kKXIIDClassFactory, KXSlot(&component)),
            kKXErrNoInterface);
  EXPECT_EQ(component, nullptr);
  EXPECT_EQ(factory->Release(), 0);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);

  // A class no component has: the factory is made, its CreateInstance refuses and leaves the
  // slot as it was.
  void* unknownFactory = nullptr;
  ASSERT_EQ(library.KXDllGetClassObject(&kKXIIDExtension, &kKXIIDClassFactory, &unknownFactory),
            kKXOk);
  auto* other = static_cast<IKXClassFactory*>(unknownFactory);
  void* untouched = reinterpret_cast<void*>(&untouched);
  EXPECT_EQ(other->CreateInstance(nullptr, kKXIIDUnknown, &untouched), kKXErrClassNotAvailable);
  EXPECT_EQ(untouched, reinterpret_cast<void*>(&untouched));
  EXPECT_EQ(other->Release(), 0);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);
}

TEST_F(ComponentTest, ExporterPartsLieInOrderAndShareOneCount) {
  IKXClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  IKXUnknown* exporter = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, KXSlot(&exporter)), kKXOk);
  factory->Release();
  ASSERT_NE(exporter, nullptr);

  IKXUnknown* extension = nullptr;
  IKXUnknown* identity = nullptr;
  ASSERT_EQ(exporter->QueryInterface(kKXIIDExtension, KXSlot(&extension)), kKXOk);
  ASSERT_EQ(extension->QueryInterface(kKXIIDUnknown, KXSlot(&identity)), kKXOk);
  if constexpr (sizeof(void*) == 4) {
    // The 32-bit object: IKXExporter part at 0, TKXComObject part (table, count, outer) at 4,
    // IKXExtension part at 16.
    const char* start = reinterpret_cast<const char*>(exporter);
    EXPECT_EQ(reinterpret_cast<const char*>(identity), start + 4);
    EXPECT_EQ(reinterpret_cast<const char*>(extension), start + 16);
  }
  EXPECT_EQ(extension->AddRef(), 4);
  EXPECT_EQ(identity->Release(), 3);
  EXPECT_EQ(extension->Release(), 2);
  EXPECT_EQ(extension->Release(), 1);

  // Anything else: the out slot is released and left null.
  IKXUnknown* slot = identity;
  identity->AddRef();
  EXPECT_EQ(exporter->QueryInterface(kKXIIDClassFactory, KXSlot(&slot)), kKXErrNoInterface);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(exporter->Release(), 0);
  EXPECT_EQ(library.KXDllCanUnloadNow(), 0);
}
