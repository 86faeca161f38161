// The host side of the end-to-end tests: the built plug-in library loaded through the reference
// host's loader, a whole reference host to start it with, and its exporter made through the class
// factory, as the host application does on Linux and on Windows alike.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "KXComponentInterfaces.h"
#include "KXIdentifiers.h"
#include "THostApplication.h"
#include "THostPluginLibrary.h"
#include "support/FileText.h"

/// Loads a fresh copy of the library for each test, so each starts from the state of a library
/// just loaded; `path` is the test's own output file.
class PluginHostTest : public ::testing::Test {
 protected:
  PluginHostTest()
      : path(TestFilePath("e2e_", ".t3d")) {
    std::remove(path.c_str());
  }

  void SetUp() override { ASSERT_TRUE(library.Load(T3D_PLUGIN_LIBRARY)) << library.Error(); }

  /// The exporter class's factory.
  THostRef<IKXClassFactory> MakeFactory() {
    THostRef<IKXClassFactory> factory;
    EXPECT_EQ(library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory,
                                          factory.Slot()),
              kKXOk);
    return factory;
  }

  /// Asks the factory of the exporter class for an exporter.
  THostRef<IKXExporter> MakeExporter() {
    THostRef<IKXClassFactory> factory = MakeFactory();
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
