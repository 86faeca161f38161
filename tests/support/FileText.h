// Reading back what a test wrote to disk.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
