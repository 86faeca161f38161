#include "RawWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace {

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

double RawWriteSeconds(std::uint64_t bytes, const std::string& path, bool sync) {
  static char block[kStreamBlock];
  std::remove(path.c_str());
  const auto start = std::chrono::steady_clock::now();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  for (std::uint64_t left = bytes; left > 0;) {
    const std::size_t piece = left < kStreamBlock ? static_cast<std::size_t>(left) : kStreamBlock;
    if (::write(fd, block, piece) != static_cast<ssize_t>(piece)) {
      throw std::runtime_error("write failed");
    }
    left -= piece;
  }
  if (sync && ::fsync(fd) != 0) throw std::runtime_error("fsync failed");
  ::close(fd);
  return Since(start);
}

double SyncSeconds(const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  const int fd = ::open(path.c_str(), O_WRONLY);
  if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("cannot sync " + path);
  ::close(fd);
  return Since(start);
}
