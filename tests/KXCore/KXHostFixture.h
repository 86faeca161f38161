// A reference host whose memory and file services stand in the service table for one test.
#pragma once

#include <gtest/gtest.h>

#include "KXServiceTable.h"
#include "THostFileManager.h"
#include "THostMemory.h"

class KXHostFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Install(kKXEntryMemoryManager, &memory_);
    Install(kKXEntryFileManager, &files_);
  }
  void TearDown() override {
    gKXServiceTable[kKXEntryMemoryManager - 1] = nullptr;
    gKXServiceTable[kKXEntryFileManager - 1] = nullptr;
    EXPECT_EQ(memory_.LiveObjects(), 0u);
    EXPECT_EQ(memory_.LiveBlocks(), 0u);
    EXPECT_EQ(memory_.FreeErrors(), 0u);
    EXPECT_EQ(files_.LiveFileObjects(), 0);
  }

  THostMemory& Memory() { return memory_; }
  THostFileManager& Files() { return files_; }

 private:
  static void Install(int entry, IKXUnknown* service) { gKXServiceTable[entry - 1] = service; }

  THostMemory memory_;
  THostFileManager files_;
};
