#include "FinishFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "MapFinisher.h"

namespace {

constexpr std::size_t kChunk = 1 << 20;

// The file descriptor of an open file, closed when it goes.
class OpenFile {
 public:
  OpenFile(const std::string& path, int flags) : fd_(::open(path.c_str(), flags | O_CLOEXEC, 0666)) {}
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Fd() const { return fd_; }
  /// Closes now, reporting what the system says about the last writes.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

}  // namespace

bool FinishMapFile(const std::string& from, const std::string& to, FinishedMap& result,
                   std::string& error) {
  OpenFile in(from, O_RDONLY);
  OpenFile out(to, O_WRONLY | O_CREAT | O_TRUNC);
  if (in.Fd() < 0 || out.Fd() < 0) {
    error = std::string("cannot open the map for finishing: ") + std::strerror(errno);
    return false;
  }
  bool written = true;
  MapFinisher finisher([&](const char* data, std::size_t size) {
    written = written && WriteAll(out.Fd(), data, size);
    result.bytes += size;
  });
  std::vector<char> chunk(kChunk);
  for (;;) {
    const ssize_t got = ::read(in.Fd(), chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = std::string("cannot read the plug-in's map: ") + std::strerror(errno);
      return false;
    }
    if (got == 0) break;
    finisher.Write(chunk.data(), static_cast<std::size_t>(got));
  }
  finisher.Finish();
  result.textured = finisher.TexturedPolygons();
  if (!written || !out.Close()) {
    error = std::string("writing the finished map failed: ") + std::strerror(errno);
    return false;
  }
  return true;
}
