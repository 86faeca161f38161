// The fixed answers of the exporter's IKXExporter and IKXExtension parts, each reached by its
// slot number as the host reaches it.
#include <cstdint>

#include "KXComponentInterfaces.h"
#include "plugin/KXComponentClasses.h"
#include "plugin/TKXExporterBase.h"
#include "plugin/CallSlot.h"
#include "plugin/PluginObjectTest.h"

namespace {

class DefaultAnswersTest : public PluginObjectTest {
 protected:
  DefaultAnswersTest() : object(CreateComponent(kKXCLSIDT3DExporter)) {
    exporter = Query<IKXUnknown>(object.Get(), kKXIIDExporter);
    extension = Query<IKXUnknown>(object.Get(), kKXIIDExtension);
  }

  THostRef<IKXUnknown> object;
  THostRef<IKXUnknown> exporter;
  THostRef<IKXUnknown> extension;
};

// An exporter that keeps the base's Export.
class TBaseExporter final : public KXImplements<TBaseExporter, TKXExporterBase> {};

}  // namespace

TEST_F(DefaultAnswersTest, ExporterPart) {
  void* part = exporter.Get();
  EXPECT_EQ(CallSlot<std::uint8_t>(part, 3, 7u, 8u), 1);
  EXPECT_EQ(CallSlot<std::uint8_t>(part, 4), 0);
  std::int32_t result = -1;
  EXPECT_EQ(CallSlot<KXResult>(part, 5, 1u, 2u, 3u, &result), kKXOk);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(CallSlot<std::uint8_t>(part, 7), 0);
  EXPECT_EQ(CallSlot<KXResult>(part, 8, 1u, 2u), kKXErrNotImplementedByComponent);
  EXPECT_EQ(CallSlot<KXResult>(part, 9, 1u), kKXErrNotImplementedByComponent);
  EXPECT_EQ(CallSlot<std::uint8_t>(part, 10), 1);
  EXPECT_EQ(CallSlot<std::uint8_t>(part, 11), 1);
}

TEST_F(DefaultAnswersTest, ExtensionPart) {
  void* part = extension.Get();
  THostRef<IKXUnknown> held;
  host.Shell()->QueryInterface(kKXIIDHeldService2, held.Slot());
  CallSlot<void>(part, 3, held.Out(), 5u);
  EXPECT_FALSE(held) << "slot 3 empties the slot it is given";
  EXPECT_EQ(host.ServiceReferences(2), 1) << "and gives its reference back";
  CallSlot<void>(part, 3, held.Out(), 5u);
  CallSlot<void>(part, 3, static_cast<IKXUnknown**>(nullptr), 5u);

  EXPECT_EQ(CallSlot<std::uint8_t>(part, 4, 1u), 1);
  EXPECT_EQ(CallSlot<KXResult>(part, 5, 1u, 2u), kKXErrNotImplementedByComponent);
  EXPECT_EQ(CallSlot<KXResult>(part, 6, 1u, 2u), kKXErrNotImplementedByComponent);
  EXPECT_EQ(CallSlot<std::uint32_t>(part, 7), 0u);
  EXPECT_EQ(CallSlot<std::uint32_t>(part, 8), 0u);
  EXPECT_EQ(CallSlot<std::uint32_t>(part, 9, 1u, 2u, 3u), 0u);
  EXPECT_EQ(CallSlot<std::uint16_t>(part, 10), 0);
  EXPECT_EQ(CallSlot<KXResult>(part, 11), kKXErrNotSupported);
  EXPECT_EQ(CallSlot<KXResult>(part, 12, 1u), kKXErrNotSupported);
}

TEST_F(DefaultAnswersTest, BaseExportWritesNothing) {
  auto* base = new TBaseExporter;
  ASSERT_NE(base, nullptr);
  IKXExporter* part = base;
  void* none = nullptr;
  EXPECT_EQ(CallSlot<KXResult>(part, 6, none, none, none),
            kKXErrNotImplementedByComponent);
  base->Release();
}
