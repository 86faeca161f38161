// A reference host whose memory, file and platform services stand in the service table for one
// test.
#pragma once

#include <gtest/gtest.h>

#include "KXServiceTable.h"
#include "THostFiles.h"
#include "THostMemory.h"
#include "THostShell.h"

class KXHostFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Install(kKXEntryMemoryManager, &memory_);
    Install(kKXEntryFileManager, &files_);
    Install(kKXEntryPlatformInfo, &platform_);
  }
  void TearDown() override {
    Install(kKXEntryMemoryManager, nullptr);
    Install(kKXEntryFileManager, nullptr);
    Install(kKXEntryPlatformInfo, nullptr);
    EXPECT_EQ(memory_.LiveObjects(), 0u);
    EXPECT_EQ(memory_.LiveBlocks(), 0u);
    EXPECT_EQ(memory_.FreeErrors(), 0u);
    EXPECT_EQ(files_.LiveFileObjects(), 0);
  }

  static void Install(int entry, IKXUnknown* service) { gKXServiceTable[entry - 1] = service; }

  THostMemory& Memory() { return memory_; }
  THostFileManager& Files() { return files_; }
  THostPlatformInfo& Platform() { return platform_; }

 private:
  THostMemory memory_;
  THostFileManager files_;
  THostPlatformInfo platform_;
};
