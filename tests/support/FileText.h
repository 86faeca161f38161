// Files a test writes to disk and reads back.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

/// A path in the test's temporary folder that no other test shares: ctest runs tests side by
/// side, and suites may have tests of the same name.
inline std::string TestFilePath(const std::string& prefix, const std::string& suffix) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name) c = c == '/' ? '_' : c;
  return ::testing::TempDir() + prefix + name + suffix;
}

inline std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
