#include "FinishFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>


FinishingWriter::FinishingWriter(std::function<bool(FinishedTexture&)> next)
    : finisher_(std::make_unique<MapFinisher>(
          [this](const char* data, std::size_t size) { WriteOut(data, size); }, std::move(next))) {}

FinishingWriter::~FinishingWriter() {
  if (fd_ >= 0) ::close(fd_);
}

bool FinishingWriter::Open(const std::string& path, std::string& error) {
  // No O_TRUNC: truncating makes ext4 start writing the whole file back at close, which the
  // user would wait for (about 0.6 s per GB on the benchmark's disk).
  fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd_ < 0) error = std::string("cannot open the map for finishing: ") + std::strerror(errno);
  return fd_ >= 0;
}

bool FinishingWriter::Take(const void* data, std::uint32_t count) {
  finisher_->Write(static_cast<const char*>(data), count);
  return !failed_;
}

bool FinishingWriter::WriteOut(const char* data, std::size_t size) {
  while (size > 0 && !failed_) {
    const ssize_t put = ::write(fd_, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      failed_ = true;
      error_ = put < 0 ? errno : ENOSPC;
      break;
    }
    data += put;
    size -= static_cast<std::size_t>(put);
    bytes_ += static_cast<std::uint64_t>(put);
  }
  return !failed_;
}

bool FinishingWriter::Finish(FinishedMap& result, std::string& error) {
  finisher_->Finish();
  result.bytes = bytes_;
  result.textured = finisher_->TexturedPolygons();
  result.mapped = finisher_->MappedPolygons();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && !failed_) {
    failed_ = true;
    error_ = errno;
  }
  if (failed_) error = std::string("writing the finished map failed: ") + std::strerror(error_);
  return !failed_;
}
