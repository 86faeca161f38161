// The floor of every export: the same byte count written with nothing to make, as the plug-in's
// stream hands its blocks to the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// The plug-in's stream buffer: the size of each block it hands to the file.
constexpr std::size_t kStreamBlock = 32512;

/// Writes `bytes` bytes of one hot buffer to a new file at `path`, 32,512 bytes per write(2); with
/// `sync`, fsync(2) before the file is closed, so that the bytes are on the disk. Any file at
/// `path` is removed first: a new file is what the page cache takes fastest, and truncating an
/// old one makes ext4 write it back at close. Returns the seconds from open to close; throws
/// std::runtime_error when a call fails.
double RawWriteSeconds(std::uint64_t bytes, const std::string& path, bool sync);

/// fsync(2) of the file at `path`: the seconds until its bytes are on the disk.
double SyncSeconds(const std::string& path);
