// Writing a map without ever losing the one already there: everything goes to temporary files
// beside the destination, and the finished map takes the destination's place in one rename.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// A file made beside a destination under a hidden temporary name, removed again unless it is
/// moved into the destination's place.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  /// Creates an empty file in the folder of `destination`, with the permissions a new file gets
  /// there; false with `error` set when the folder takes no file.
  bool Create(const std::string& destination, std::string& error);
  const std::string& Path() const { return path_; }
  /// Moves the file into `destination`'s place when it holds exactly `expectedSize` bytes; false
  /// with `error` set otherwise, the destination untouched.
  bool MoveTo(const std::string& destination, std::uint64_t expectedSize, std::string& error);

 private:
  std::string path_;
};

/// Writes `size` bytes to `path` through a temporary file put in its place; false with `error`
/// set, and `path` untouched, when that fails.
bool WriteFile(const std::string& path, const void* bytes, std::size_t size, std::string& error);

/// Why `destination` cannot take the map of `input`, or empty: a destination that is the input
/// itself, a folder, or anything but a regular file. Makes the destination's folder when it is
/// missing; a folder that cannot be made is a reason too.
std::string DestinationProblem(const std::string& destination, const std::string& input);

/// True when `destination` names the same file as `input`.
bool IsSameFile(const std::string& destination, const std::string& input);
