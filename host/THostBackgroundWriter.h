// Writing behind the caller: a file's blocks are copied and written by a thread of their own, so
// that the work that makes the next block goes on while the system takes this one.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

/// Writes the blocks handed to it to one descriptor, each at its own offset, in the order given.
class THostBackgroundWriter {
 public:
  /// What became of one block.
  struct Outcome {
    std::uint32_t asked;    ///< the count the file was asked to write
    std::uint32_t written;  ///< the bytes that reached the file
    bool ok;                ///< false when the system refused the write
  };

  /// A writer on `fd`, or null where the build has no threads: the Windows builds (the win32
  /// thread model), whose files write as they are told.
  static std::unique_ptr<THostBackgroundWriter> Start(int fd);

  /// Waits for what was handed over, then ends.
  virtual ~THostBackgroundWriter() = default;

  /// Copies `count` bytes from `data`, to be written at `offset`, and returns; waits first while
  /// every block it holds is still to be written. `asked` goes with the outcome.
  virtual void Write(const void* data, std::uint32_t count, std::int64_t offset,
                     std::uint32_t asked) = 0;
  /// Waits until every block handed over is written, and hands over their outcomes in order.
  virtual std::vector<Outcome> Drain() = 0;
};
