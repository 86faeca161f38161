// What every fuzz target shares: the reference host behind the plug-in's service table, and
// read streams over the bytes of one input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "KXTextStream.h"
#include "THostApplication.h"

/// The process's host: memory, files and platform facts (with character tables that drop, keep
/// and expand bytes) in the service table. Made on first use, never destroyed.
THostApplication& FuzzHost();

/// The path of this process's file `name`, in the folder T3D_FUZZ_DIR names or in memory where
/// the system has a place for it.
std::string FuzzFilePath(const char* name);

/// A stream that reads `size` bytes of `data` from a file. `bufferSize` 0 reads unbuffered.
std::unique_ptr<TKXTextStream> OpenFuzzStream(const std::uint8_t* data, std::size_t size,
                                              std::int32_t bufferSize);

/// A buffer size picked by one byte of the input: unbuffered, a few bytes (so reads, put-backs
/// and seeks meet buffer edges all the time) or larger than most inputs.
std::int32_t FuzzBufferSize(std::uint8_t choice);

/// Aborts when host memory is still held: every input must give back all it took.
void CheckNothingHeld();
