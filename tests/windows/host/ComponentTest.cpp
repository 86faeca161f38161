// The class factory and the exporter as a Windows host meets them: through the SDK's IUnknown and
// IClassFactory declarations, with the SDK's identifier values.
#include <cstring>

#include "KXIdentifiers.h"
#include "KXResultCodes.h"
#include "THostApplication.h"
#include "WindowsHost.h"

namespace {

class ComponentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dll.Complete()) << "LoadLibrary or GetProcAddress failed";
    ASSERT_EQ(dll.Init(host.Shell()), kKXOk);
  }
  void TearDown() override {
    if (dll.Complete()) {
      EXPECT_EQ(dll.CleanUp(), kKXOk);
    }
  }

  /// The exporter class's factory, asked for with the SDK's IID_IClassFactory.
  IClassFactory* Factory() {
    void* out = nullptr;
    EXPECT_EQ(dll.GetClassObject(&kKXCLSIDT3DExporter, TWindowsPluginDll::AsKX(IID_IClassFactory),
                                 &out),
              kKXOk);
    return static_cast<IClassFactory*>(out);
  }

  THostApplication host;
  TWindowsPluginDll dll;
};

const IID& Exporter() { return TWindowsPluginDll::AsIID(kKXIIDExporter); }
const IID& Extension() { return TWindowsPluginDll::AsIID(kKXIIDExtension); }

}  // namespace

TEST(ComponentIdentifiers, StandardOnesMatchTheSdk) {
  EXPECT_EQ(std::memcmp(&IID_IUnknown, &kKXIIDUnknown, 16), 0);
  EXPECT_EQ(std::memcmp(&IID_IClassFactory, &kKXIIDClassFactory, 16), 0);
}

TEST_F(ComponentTest, HostsUsualSequenceCountsAsTheHostExpects) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(dll.CanUnloadNow(), 1);

  IUnknown* exporter = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, Exporter(), reinterpret_cast<void**>(&exporter)),
            kKXOk);
  ASSERT_NE(exporter, nullptr);
  EXPECT_EQ(exporter->AddRef(), 2u);  // the caller held the only reference
  EXPECT_EQ(exporter->Release(), 1u);

  EXPECT_EQ(factory->Release(), 0u);  // the factory goes; the exporter stays alive
  EXPECT_EQ(dll.CanUnloadNow(), 1);
  EXPECT_EQ(exporter->Release(), 0u);
  EXPECT_EQ(dll.CanUnloadNow(), 0);
}

TEST_F(ComponentTest, FactoryPartsAreTwoPointersOnOneCount) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  IUnknown* identity = nullptr;
  ASSERT_EQ(factory->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), kKXOk);
  ASSERT_NE(identity, nullptr);
  EXPECT_NE(static_cast<void*>(identity), static_cast<void*>(factory));
  EXPECT_EQ(identity->AddRef(), 3u);
  EXPECT_EQ(factory->AddRef(), 4u);
  EXPECT_EQ(factory->LockServer(TRUE), kKXOk);
  EXPECT_EQ(factory->LockServer(FALSE), kKXOk);
  EXPECT_EQ(identity->Release(), 3u);
  EXPECT_EQ(factory->Release(), 2u);
  EXPECT_EQ(identity->Release(), 1u);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(dll.CanUnloadNow(), 0);
}

TEST_F(ComponentTest, UnansweredRequestsLeaveNothingBehind) {
  // A factory for an interface it does not answer: nothing handed out, nothing left alive.
  void* out = nullptr;
  EXPECT_EQ(dll.GetClassObject(&kKXCLSIDT3DExporter, &kKXIIDExporter, &out),
            kKXErrNoInterface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(dll.CanUnloadNow(), 0);

  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  // An interface the exporter does not answer: slot null, the component destroyed again.
  IUnknown* component = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(&component)),
            kKXErrNoInterface);
  EXPECT_EQ(component, nullptr);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(dll.CanUnloadNow(), 0);

  // A class no component has: the factory is made, its CreateInstance refuses and leaves the
  // slot as it was.
  void* unknownFactory = nullptr;
  ASSERT_EQ(dll.GetClassObject(&kKXIIDExtension, TWindowsPluginDll::AsKX(IID_IClassFactory),
                               &unknownFactory),
            kKXOk);
  auto* other = static_cast<IClassFactory*>(unknownFactory);
  void* untouched = reinterpret_cast<void*>(&untouched);
  EXPECT_EQ(other->CreateInstance(nullptr, IID_IUnknown, &untouched),
            static_cast<HRESULT>(kKXErrClassNotAvailable));
  EXPECT_EQ(untouched, reinterpret_cast<void*>(&untouched));
  EXPECT_EQ(other->Release(), 0u);
  EXPECT_EQ(dll.CanUnloadNow(), 0);
}

TEST_F(ComponentTest, ExporterPartsLieInOrderAndShareOneCount) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  IUnknown* exporter = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, Exporter(), reinterpret_cast<void**>(&exporter)),
            kKXOk);
  factory->Release();
  ASSERT_NE(exporter, nullptr);

  IUnknown* extension = nullptr;
  IUnknown* identity = nullptr;
  ASSERT_EQ(exporter->QueryInterface(Extension(), reinterpret_cast<void**>(&extension)), kKXOk);
  ASSERT_EQ(extension->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), kKXOk);
  // The 32-bit object: IKXExporter part at 0, TKXComObject part (table, count, outer) at 4,
  // IKXExtension part at 16.
  const char* start = reinterpret_cast<const char*>(exporter);
  EXPECT_EQ(reinterpret_cast<const char*>(identity), start + 4);
  EXPECT_EQ(reinterpret_cast<const char*>(extension), start + 16);
  EXPECT_EQ(extension->AddRef(), 4u);
  EXPECT_EQ(identity->Release(), 3u);
  EXPECT_EQ(extension->Release(), 2u);
  EXPECT_EQ(extension->Release(), 1u);

  // Anything else: the out slot is released and left null.
  IUnknown* slot = identity;
  identity->AddRef();
  EXPECT_EQ(exporter->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&slot)),
            static_cast<HRESULT>(kKXErrNoInterface));
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(exporter->Release(), 0u);
  EXPECT_EQ(dll.CanUnloadNow(), 0);
}
