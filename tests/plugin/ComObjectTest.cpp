// The component object model on the exporter: its parts and their one count, the out slot,
// outer objects and the release rule.
#include <cstdint>

#include "KXComponentInterfaces.h"
#include "KXException.h"
#include "plugin/KXComponentClasses.h"
#include "plugin/PluginObjectTest.h"
#include "plugin/TKXClassFactory.h"
#include "plugin/TOuterObject.h"

namespace {

using ComObjectTest = PluginObjectTest;

THostRef<IKXUnknown> NewExporter() {
  return THostRef<IKXUnknown>(CreateComponent(kKXCLSIDT3DExporter));
}

const char* Address(const void* p) { return static_cast<const char*>(p); }

// Releases itself once more while being destroyed, as a callback reached from a destructor may.
class TReleasedWhileDying final : public KXImplements<TReleasedWhileDying, TKXComObject> {
 public:
  explicit TReleasedWhileDying(KXResult* caught) : caught_(caught) {}
  ~TReleasedWhileDying() {
    try {
      Release();
    } catch (const TKXException& failure) {
      *caught_ = failure.Code();
      EXPECT_EQ(failure.GetFileName(), nullptr);
      EXPECT_EQ(failure.Line(), 0);
    }
  }

 private:
  KXResult* caught_;
};

class TWithoutRelease final : public TKXComObject {};

}  // namespace

TEST_F(ComObjectTest, ExporterPartsLieInOrderAndShareOneCount) {
  THostRef<IKXUnknown> object = NewExporter();
  auto exporter = Query<IKXExporter>(object.Get(), kKXIIDExporter);
  auto extension = Query<IKXExtension>(exporter.Get(), kKXIIDExtension);
  auto identity = Query<IKXUnknown>(extension.Get(), kKXIIDUnknown);
  ASSERT_TRUE(exporter && extension && identity);
  EXPECT_EQ(identity.Get(), object.Get());
  // IKXExporter part, TKXComObject part (the IUnknown identity), IKXExtension part.
  const char* start = Address(exporter.Get());
  EXPECT_EQ(Address(identity.Get()), start + sizeof(void*));
  EXPECT_EQ(Address(extension.Get()), start + sizeof(void*) + sizeof(TKXComObject));
  // Creation and three queries: four references, one count for every part.
  EXPECT_EQ(exporter->AddRef(), 5);
  EXPECT_EQ(extension->AddRef(), 6);
  EXPECT_EQ(identity->Release(), 5);
  EXPECT_EQ(extension->Release(), 4);
  EXPECT_EQ(KXLiveObjectCount, 1);
}

TEST_F(ComObjectTest, QueryGivesBackWhatTheSlotHeld) {
  THostRef<IKXUnknown> object = NewExporter();
  THostRef<IKXUnknown> slot;
  host.Shell()->QueryInterface(kKXIIDHeldService2, slot.Slot());
  EXPECT_EQ(object->QueryInterface(kKXIIDInstance, slot.Slot()), kKXErrNoInterface);
  EXPECT_FALSE(slot);
  EXPECT_EQ(host.ServiceReferences(2), 1) << "only the service table's reference is left";
  EXPECT_EQ(KXLiveObjectCount, 1);
  EXPECT_EQ(object->AddRef(), 2) << "a failed query takes no reference";
  object->Release();

  // The slot may hold the last reference to the object that answers.
  IKXUnknown* last = CreateComponent(kKXCLSIDT3DExporter);
  ASSERT_EQ(last->QueryInterface(kKXIIDExtension, reinterpret_cast<void**>(&last)), kKXOk);
  EXPECT_EQ(last->Release(), 0);
}

TEST_F(ComObjectTest, OuterObjectTakesTheCountAndUnansweredQueries) {
  TOuterObject outer;
  THostRef<IKXClassFactory> factory(new TKXClassFactory(kKXCLSIDT3DExporter));
  THostRef<IKXExporter> exporter;
  ASSERT_EQ(factory->CreateInstance(&outer, kKXIIDExporter, exporter.Slot()), kKXOk);
  // The query's reference and the creation reference given back both went to the outer object.
  EXPECT_EQ(outer.addRefs, 1);
  EXPECT_EQ(outer.releases, 1);
  {
    auto extension = Query<IKXExtension>(exporter.Get(), kKXIIDExtension);
    EXPECT_TRUE(extension) << "the component answers its own interfaces itself";
    EXPECT_EQ(outer.queries, 0);
    EXPECT_EQ(Query<IKXUnknown>(extension.Get(), kKXIIDUnknown).Get(), &outer);
    EXPECT_EQ(Query<IKXUnknown>(exporter.Get(), kKXIIDInstance).Get(), &outer);
    EXPECT_EQ(outer.queries, 2);
  }
  const std::int32_t added = exporter->AddRef();
  EXPECT_EQ(added, outer.addRefs - outer.releases) << "the outer object's answer";
  exporter->Release();
  EXPECT_EQ(KXLiveObjectCount, 2) << "only an answer of -1 destroys the component";

  outer.answerMinusOne = true;
  EXPECT_EQ(exporter->Release(), -1);
  *exporter.Out() = nullptr;
  EXPECT_EQ(KXLiveObjectCount, 1);
}

TEST_F(ComObjectTest, ReleaseRuleFaults) {
  KXResult caught = kKXOk;
  auto* dying = new TReleasedWhileDying(&caught);
  ASSERT_NE(dying, nullptr);
  EXPECT_EQ(dying->Release(), 0);
  EXPECT_EQ(caught, kKXErrRefCountUnderflow);
  // The fixture checks that its memory went back exactly once.

  TWithoutRelease abstract;
  try {
    abstract.Release();
    ADD_FAILURE() << "the abstract Release returned";
  } catch (const TKXException& failure) {
    EXPECT_EQ(failure.Code(), kKXErrNotImplemented);
  }
}
