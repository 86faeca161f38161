// The shell and its services, reached through their interfaces as the plug-in reaches them.
#include <gtest/gtest.h>

#include <vector>

#include "KXIdentifiers.h"
#include "KXString.h"
#include "THostApplication.h"

namespace {

template <class I>
THostRef<I> Query(IKXShell* shell, const KXGUID& iid) {
  THostRef<I> service;
  shell->QueryInterface(iid, service.Slot());
  return service;
}

TEST(THostApplicationTest, ShellAnswersEveryServiceWithOneReference) {
  THostApplication app;
  std::vector<THostRef<IKXUnknown>> table(kKXServiceCount);
  for (int entry = 1; entry <= kKXServiceCount; ++entry) {
    const KXGUID& iid = *kKXServiceIDs[entry - 1];
    THostRef<IKXUnknown>& slot = table[static_cast<std::size_t>(entry - 1)];
    ASSERT_EQ(app.Shell()->QueryInterface(iid, slot.Slot()), kKXOk) << "entry " << entry;
    ASSERT_TRUE(slot);
    EXPECT_EQ(app.ServiceReferences(entry), 1) << "entry " << entry;
    THostRef<IKXUnknown> again;
    EXPECT_EQ(slot->QueryInterface(iid, again.Slot()), kKXOk);
    EXPECT_EQ(again.Get(), slot.Get()) << "a service answers its own identifier";
  }
  EXPECT_EQ(app.OutstandingServiceReferences(), kKXServiceCount);
  table.clear();
  EXPECT_EQ(app.OutstandingServiceReferences(), 0);
  EXPECT_EQ(app.ServiceReferencesHandedOut(8), 2);
  EXPECT_EQ(app.ServiceReferencesReturned(8), 2);
  EXPECT_EQ(app.ServiceUnderflows(), 0);
}

TEST(THostApplicationTest, WithheldServiceGoesUnansweredAndEmptiesTheSlot) {
  THostApplication app;
  app.Withhold(8);
  THostRef<IKXUnknown> slot = Query<IKXUnknown>(app.Shell(), kKXIIDFileManager);
  ASSERT_TRUE(slot);
  EXPECT_EQ(app.Shell()->QueryInterface(kKXIIDMemoryManager, slot.Slot()), kKXErrNoInterface);
  EXPECT_FALSE(slot);
  EXPECT_EQ(app.ServiceReferences(3), 0) << "what the slot held was given back";
  EXPECT_EQ(app.Shell()->QueryInterface(kKXIIDExporter, slot.Slot()), kKXErrNoInterface);
  app.Withhold(8, false);
  EXPECT_TRUE(Query<IKXMemoryManager>(app.Shell(), kKXIIDMemoryManager));
  Query<IKXUnknown>(app.Shell(), kKXIIDPlatformInfo)->Release();  // one release too many
  EXPECT_EQ(app.ServiceUnderflows(), 1);
}

TEST(THostApplicationTest, ResourcesSwitchToTheExporterAndBack) {
  THostApplication app;
  auto resources = Query<IKXResourceManager>(app.Shell(), kKXIIDResourceManager);
  std::uint32_t saved = 0;
  TKXString255 title;
  EXPECT_EQ(resources->GetText(&title, 131, 1), kKXErrMissingObject) << "not the exporter's yet";
  resources->UseResources(KXFourChar('3', 'D', 'o', 'u'), KXFourChar('R', 'T', '3', 'D'), &saved);
  EXPECT_EQ(resources->GetText(&title, 131, 1), kKXOk);
  EXPECT_STREQ(title.GetBuffer(), "Exporting T3D");
  EXPECT_EQ(title.ByteLength(), 13u);
  resources->RestoreResources(saved);
  EXPECT_EQ(app.Resources().CurrentContext(), THostResources::kHostContext);
  const auto& calls = app.Resources().Calls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[1].op, THostResourceCall::Op::Use);
  EXPECT_EQ(calls[2].op, THostResourceCall::Op::GetText);
  EXPECT_EQ(calls[3].op, THostResourceCall::Op::Restore);
  EXPECT_EQ(calls[3].context, THostResources::kHostContext);
}

TEST(THostApplicationTest, ProgressIsRecordedAndCalledBack) {
  THostApplication app;
  std::vector<THostProgressEvent::Kind> seen;
  app.Utilities().SetProgressCallback(
      [&seen](const THostProgressEvent& event, const THostProgressDisplay*) {
        seen.push_back(event.kind);
      });
  auto utilities = Query<IKXShellUtilities>(app.Shell(), kKXIIDShellUtilities);
  TKXString255 title("Exporting T3D");
  THostRef<IKXUnknown> progress;
  EXPECT_EQ(utilities->OpenProgress(&title, progress.Out(), 3.0f), kKXOk);
  ASSERT_TRUE(progress);
  utilities->AdvanceProgress(1.0f, progress.Get());
  utilities->AdvanceProgress(1.0f, progress.Get());
  utilities->CloseProgress(progress.Get());
  utilities->CloseProgress(nullptr);
  EXPECT_EQ(app.OutstandingReferences(), 2) << "the service and the display";
  progress.Reset();
  utilities.Reset();
  EXPECT_EQ(app.OutstandingReferences(), 0);

  const auto& events = app.Utilities().ProgressEvents();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].title, "Exporting T3D");
  EXPECT_EQ(events[0].value, 3.0f);
  EXPECT_EQ(events[3].display, 1);
  EXPECT_EQ(events[4].display, 0) << "closing null names no display";
  EXPECT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[1], THostProgressEvent::Kind::Advance);
  EXPECT_EQ(app.Utilities().Display(1)->Done(), 2.0f);
  EXPECT_EQ(app.Utilities().OpenDisplays(), 0);
}

TEST(THostApplicationTest, StartupServicesAnswerTheirCalls) {
  THostApplication app;
  const int tables = 0;
  app.Platform().SetCharacterTables(&tables);
  app.Platform().SetProcessorFeatures({{0, 7, 0, 9}});
  app.Utilities().SetCreatorCode(KXFourChar('A', 'B', 'C', 'D'));
  IKXShell* shell = app.Shell();

  std::uint8_t features[4] = {};
  auto platform = Query<IKXPlatformInfo>(shell, kKXIIDPlatformInfo);
  platform->GetProcessorFeatures(features);
  EXPECT_EQ(features[1], 7);
  EXPECT_EQ(features[3], 9);
  EXPECT_EQ(platform->GetCharacterTables(), &tables);

  auto startup = Query<IKXStartupInfo>(shell, kKXIIDStartupInfo);
  std::uint32_t first = 0, second = 0;
  startup->GetStartupValuesA(&first, &second);
  EXPECT_EQ(second, 2u);
  startup->GetStartupValuesB(&first, &second);
  EXPECT_EQ(first, 3u);
  EXPECT_NE(startup->GetStartupRecord(), nullptr);
  app.Startup().SetRecordAbsent(true);
  EXPECT_EQ(startup->GetStartupRecord(), nullptr);

  EXPECT_EQ(Query<IKXHeldService24>(shell, kKXIIDHeldService24)->StartupCall(), 1);
  EXPECT_EQ(Query<IKXHeldService25>(shell, kKXIIDHeldService25)->StartupCall(), 1);
  EXPECT_EQ(Query<IKXShellUtilities>(shell, kKXIIDShellUtilities)->GetCreatorCode(),
            KXFourChar('A', 'B', 'C', 'D'));
#ifdef _WIN32
  EXPECT_EQ(Query<IKXFileManager>(shell, kKXIIDFileManager)->GetPathSeparator(), '\\');
#else
  EXPECT_EQ(Query<IKXFileManager>(shell, kKXIIDFileManager)->GetPathSeparator(), '/');
#endif
  EXPECT_EQ(app.StartupEntry24().Calls(), 1);
  EXPECT_EQ(app.StartupEntry25().Calls(), 1);
  EXPECT_EQ(app.Startup().CallsA() + app.Startup().CallsB() + app.Startup().RecordCalls(), 4);
}

}  // namespace
