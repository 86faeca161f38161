#include "OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The permissions of a new file in the user's mask, which a temporary file does not get.
mode_t NewFilePermissions() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

TemporaryFile::~TemporaryFile() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

bool TemporaryFile::Create(const std::string& destination, std::string& error) {
  const fs::path target = fs::absolute(destination);
  std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    error = "cannot create a file in " + target.parent_path().string() + ": " + Reason(errno);
    return false;
  }
  ::fchmod(fd, NewFilePermissions());
  ::close(fd);
  path_ = name.data();
  return true;
}

bool TemporaryFile::MoveTo(const std::string& destination, std::uint64_t expectedSize,
                           std::string& error) {
  struct stat status {};
  if (::stat(path_.c_str(), &status) != 0) {
    error = "the written map is gone: " + Reason(errno);
    return false;
  }
  if (static_cast<std::uint64_t>(status.st_size) != expectedSize) {
    error = "the map on disk has " + std::to_string(status.st_size) + " of its " +
            std::to_string(expectedSize) + " bytes";
    return false;
  }
  if (::rename(path_.c_str(), destination.c_str()) != 0) {
    error = "cannot put the map in place: " + Reason(errno);
    return false;
  }
  path_.clear();
  return true;
}

bool IsSameFile(const std::string& destination, const std::string& input) {
  std::error_code error;
  if (fs::equivalent(destination, input, error)) return true;
  return fs::weakly_canonical(destination, error) == fs::weakly_canonical(input, error);
}

std::string DestinationProblem(const std::string& destination, const std::string& input) {
  if (!input.empty() && IsSameFile(destination, input)) {
    return "the output " + destination + " is the input: refusing to overwrite the model";
  }
  std::error_code error;
  const fs::file_status status = fs::status(destination, error);
  if (fs::is_directory(status)) return destination + " is a folder";
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return destination + " is not a regular file";
  }
  const fs::path folder = fs::absolute(destination).parent_path();
  if (!fs::is_directory(folder, error)) {
    fs::create_directories(folder, error);
    if (error) return "cannot make the folder " + folder.string() + ": " + error.message();
  }
  return {};
}

bool WriteFile(const std::string& path, const void* bytes, std::size_t size, std::string& error) {
  TemporaryFile file;
  if (!file.Create(path, error)) return false;
  std::FILE* out = std::fopen(file.Path().c_str(), "wb");
  const bool written = out && std::fwrite(bytes, 1, size, out) == size;
  if (!out || std::fclose(out) != 0 || !written) {
    error = "cannot write " + path;
    return false;
  }
  return file.MoveTo(path, size, error);
}
