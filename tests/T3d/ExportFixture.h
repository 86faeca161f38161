// Runs exports against the reference host and checks that each one gave back everything it took.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "KXException.h"
#include "T3d/T3DExport.h"
#include "THostApplication.h"
#include "THostScene.h"
#include "support/FileText.h"
#include "support/ServiceTableSession.h"

class ExportFixture : public ::testing::Test {
 protected:
  ExportFixture()
      : session_(std::make_unique<TServiceTableSession>(host.Shell())),
        path(TestFilePath("t3d_", ".t3d")) {
    std::remove(path.c_str());
  }

  void TearDown() override {
    // Nothing of the host may stay held, allocated or open after an export, however it ended.
    EXPECT_EQ(host.Memory().LiveObjects(), 0u);
    EXPECT_EQ(host.Memory().LiveBlocks(), 0u);
    EXPECT_EQ(host.Memory().FreeErrors(), 0u);
    EXPECT_EQ(scene.OutstandingReferences(), 0);
    EXPECT_EQ(scene.Underflows(), 0);
    EXPECT_EQ(host.LiveFileObjects(), 0);
    EXPECT_EQ(host.Utilities().OutstandingDisplayReferences(), 0);
    EXPECT_EQ(host.Utilities().OpenDisplays(), 0);
    session_.reset();
    EXPECT_EQ(host.OutstandingServiceReferences(), 0);
  }

  /// Gives the plug-in's service references back and takes them again, as a new start-up would.
  void RestartServices() {
    session_.reset();
    session_ = std::make_unique<TServiceTableSession>(host.Shell());
  }

  /// Exports `top` to `path` and returns the file's text.
  std::string ExportTop(IKXTreeElement* top) {
    auto destination = host.Files().NewDestination(path);
    EXPECT_EQ(Export(destination.Get(), &scene, top), kKXOk);
    return ReadFileText(path);
  }
  std::string ExportMap() { return ExportTop(scene.Universe()); }

  /// Exports `top`, expecting the failure it throws, and returns it.
  std::unique_ptr<TKXException> ExportFailure(IKXTreeElement* top) {
    auto destination = host.Files().NewDestination(path);
    try {
      Export(destination.Get(), &scene, top);
    } catch (const TKXException& failure) {
      return std::make_unique<TKXException>(failure);
    }
    ADD_FAILURE() << "the export did not fail";
    return nullptr;
  }

  /// Steps the progress display advanced by.
  int ProgressSteps() {
    int steps = 0;
    for (const auto& event : host.Utilities().ProgressEvents()) {
      if (event.kind == THostProgressEvent::Kind::Advance) ++steps;
    }
    return steps;
  }

  THostApplication host;

 private:
  std::unique_ptr<TServiceTableSession> session_;

 protected:
  THostScene scene;
  const std::string path;
};
