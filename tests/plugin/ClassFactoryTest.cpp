// The class factory as KXDllGetClassObject hands it out, and the components it makes.
#include <cstdint>
#include <cstring>

#include "KXComponentInterfaces.h"
#include "KXEntryPoints.h"
#include "KXException.h"
#include "plugin/CallSlot.h"
#include "plugin/PluginObjectTest.h"

namespace {

class ClassFactoryTest : public PluginObjectTest {
 protected:
  THostRef<IKXClassFactory> FactoryFor(const KXGUID& classId) {
    THostRef<IKXClassFactory> factory;
    EXPECT_EQ(KXDllGetClassObject(&classId, &kKXIIDClassFactory, factory.Slot()), kKXOk);
    return factory;
  }
};

// Equal to the exporter's class identifier in its first 12 bytes only.
KXGUID AlmostTheExporter() {
  KXGUID classId = kKXCLSIDT3DExporter;
  classId.data4[7] ^= 0x01;
  return classId;
}

}  // namespace

TEST_F(ClassFactoryTest, HostsUsualSequence) {
  THostRef<IKXClassFactory> factory = FactoryFor(kKXCLSIDT3DExporter);
  ASSERT_TRUE(factory);
  EXPECT_EQ(KXLiveObjectCount, 1);
  THostRef<IKXExporter> exporter;
  ASSERT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot()), kKXOk);
  ASSERT_TRUE(exporter);
  EXPECT_EQ(KXLiveObjectCount, 2);
  EXPECT_EQ(KXDllCanUnloadNow(), 1);
  factory.Reset();
  EXPECT_EQ(KXLiveObjectCount, 1);
  EXPECT_EQ(KXDllCanUnloadNow(), 1);
  EXPECT_EQ(exporter->AddRef(), 2) << "the host holds the exporter's only reference";
  EXPECT_EQ(exporter->Release(), 1);
  exporter.Reset();
  EXPECT_EQ(KXLiveObjectCount, 0);
  EXPECT_EQ(KXDllCanUnloadNow(), 0);
}

TEST_F(ClassFactoryTest, FactoryPartsShareOneCountAndLockServerChangesNothing) {
  THostRef<IKXClassFactory> factory = FactoryFor(kKXCLSIDT3DExporter);
  auto identity = Query<IKXUnknown>(factory.Get(), kKXIIDUnknown);
  ASSERT_TRUE(identity);
  // TKXComObject part (the IUnknown identity), then the IClassFactory part.
  EXPECT_EQ(reinterpret_cast<char*>(factory.Get()),
            reinterpret_cast<char*>(identity.Get()) + sizeof(TKXComObject));
  EXPECT_EQ(identity->AddRef(), 3);
  EXPECT_EQ(factory->AddRef(), 4);
  EXPECT_EQ(CallSlot<KXResult>(factory.Get(), 4, std::int32_t{1}), kKXOk);
  EXPECT_EQ(CallSlot<KXResult>(factory.Get(), 4, std::int32_t{0}), kKXOk);
  EXPECT_EQ(factory->Release(), 3);
  EXPECT_EQ(identity->Release(), 2);
  EXPECT_EQ(KXLiveObjectCount, 1);

  void* made = nullptr;
  IKXUnknown* noOuter = nullptr;
  EXPECT_EQ(CallSlot<KXResult>(factory.Get(), 3, noOuter, &kKXIIDExtension, &made), kKXOk)
      << "CreateInstance is slot 3";
  ASSERT_NE(made, nullptr);
  static_cast<IKXUnknown*>(made)->Release();
}

TEST_F(ClassFactoryTest, UnknownClassGivesAFactoryThatMakesNothing) {
  const KXGUID classId = AlmostTheExporter();
  THostRef<IKXClassFactory> factory = FactoryFor(classId);
  ASSERT_TRUE(factory) << "the class is not checked when the factory is made";
  THostRef<IKXUnknown> slot;
  host.Shell()->QueryInterface(kKXIIDHeldService2, slot.Slot());
  IKXUnknown* held = slot.Get();
  EXPECT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, slot.Slot()),
            kKXErrClassNotAvailable);
  EXPECT_EQ(slot.Get(), held) << "the slot is left as it was";
  EXPECT_EQ(host.ServiceReferences(2), 2);
  EXPECT_EQ(KXLiveObjectCount, 1);
}

TEST_F(ClassFactoryTest, UnansweredInterfaceLeavesTheSlotNullAndNothingAlive) {
  THostRef<IKXUnknown> slot;
  host.Shell()->QueryInterface(kKXIIDHeldService2, slot.Slot());
  EXPECT_EQ(KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDExporter, slot.Slot()),
            kKXErrNoInterface);
  EXPECT_FALSE(slot);
  EXPECT_EQ(host.ServiceReferences(2), 1);
  EXPECT_EQ(KXLiveObjectCount, 0);

  THostRef<IKXClassFactory> factory = FactoryFor(kKXCLSIDT3DExporter);
  host.Shell()->QueryInterface(kKXIIDHeldService2, slot.Slot());
  EXPECT_EQ(factory->CreateInstance(nullptr, kKXIIDClassFactory, slot.Slot()),
            kKXErrNoInterface);
  EXPECT_FALSE(slot);
  EXPECT_EQ(host.ServiceReferences(2), 1);
  EXPECT_EQ(KXLiveObjectCount, 1) << "only the factory";
}

TEST_F(ClassFactoryTest, MemoryRefusedForTheFactoryThrows) {
  host.Memory().RefuseRequest(1);
  void* slot = nullptr;
  try {
    KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, &slot);
    ADD_FAILURE() << "no exception";
  } catch (const TKXException& failure) {
    EXPECT_EQ(failure.Code(), kKXErrNoMemory);
    ASSERT_NE(failure.GetFileName(), nullptr);
    EXPECT_STREQ(failure.GetFileName(), "KXCore/PublicAPI/KXCountedPtrHelper");
    EXPECT_EQ(failure.Line(), 166);
  }
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(KXLiveObjectCount, 0);
}

TEST_F(ClassFactoryTest, MemoryRefusedForTheComponentMeansNoClass) {
  THostRef<IKXClassFactory> factory = FactoryFor(kKXCLSIDT3DExporter);
  host.Memory().RefuseRequest(1);
  THostRef<IKXExporter> exporter;
  EXPECT_EQ(factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot()),
            kKXErrClassNotAvailable);
  EXPECT_FALSE(exporter);
  EXPECT_EQ(KXLiveObjectCount, 1);
}
