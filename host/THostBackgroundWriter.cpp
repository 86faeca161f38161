#include "THostBackgroundWriter.h"

#ifndef _WIN32

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Blocks in hand at once (a megabyte of the plug-in's): enough that the caller rarely waits
// while the system is slow to take a block, few enough to weigh nothing. Four made the tool's
// export of 1.9M triangles wait some 0.04 s more; 128 gained nothing over 32.
constexpr std::size_t kSlots = 32;
// Blocks written with one call once they are in hand: the system takes 0.75 GB in 32 KB writes in
// 0.22 s, in writes of half a megabyte in some 0.1 s.
constexpr std::uint64_t kBatch = kSlots / 2;

class TThreadWriter final : public THostBackgroundWriter {
 public:
  explicit TThreadWriter(int fd) : fd_(fd), thread_([this] { Run(); }) {}

  ~TThreadWriter() override {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  void Write(const void* data, std::uint32_t count, std::int64_t offset,
             std::uint32_t asked) override {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return queued_ - written_ < kSlots; });
    Block& block = Slot(queued_);
    lock.unlock();
    // The writer thread does not touch a free slot, so the copy needs no lock.
    block.bytes.assign(static_cast<const char*>(data), static_cast<const char*>(data) + count);
    block.offset = offset;
    block.outcome = {asked, 0, true};
    lock.lock();
    // The writer waits for a batch; waking it for less costs both threads a call.
    if (++queued_ - written_ == kBatch) changed_.notify_all();
  }

  std::vector<Outcome> Drain() override {
    std::unique_lock<std::mutex> lock(mutex_);
    ++draining_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return written_ == queued_; });
    --draining_;
    std::vector<Outcome> outcomes;
    outcomes.swap(outcomes_);
    return outcomes;
  }

 private:
  struct Block {
    std::vector<char> bytes;
    std::int64_t offset = 0;
    Outcome outcome{0, 0, true};
  };

  Block& Slot(std::uint64_t n) { return slots_[n % kSlots]; }

  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      // A batch, or whatever there is when someone waits for it or the writer ends.
      changed_.wait(lock, [this] {
        return queued_ - written_ >= kBatch || stopping_ || (draining_ > 0 && written_ < queued_);
      });
      if (written_ == queued_) return;  // stopping, with nothing left
      const std::uint64_t first = written_;
      const std::uint64_t end = queued_;
      lock.unlock();
      for (std::uint64_t run = first; run < end;) run = WriteRun(run, end);
      lock.lock();
      for (std::uint64_t n = first; n < end; ++n) outcomes_.push_back(Slot(n).outcome);
      written_ = end;
      changed_.notify_all();
    }
  }

  // Writes the blocks from `first` (before `end`) that follow one another in the file with one
  // call, and returns the block after them. What that call leaves is written block by block, so
  // that each block's outcome is its own, as when each was written as it came.
  std::uint64_t WriteRun(std::uint64_t first, std::uint64_t end) {
    std::array<iovec, kSlots> pieces;
    std::uint64_t after = first;
    for (std::int64_t next = Slot(first).offset; after < end && Slot(after).offset == next; ++after) {
      std::vector<char>& bytes = Slot(after).bytes;
      pieces[after - first] = {bytes.data(), bytes.size()};
      next += static_cast<std::int64_t>(bytes.size());
    }
    const ssize_t put = ::pwritev(fd_, pieces.data(), static_cast<int>(after - first),
                                  static_cast<off_t>(Slot(first).offset));
    auto left = static_cast<std::size_t>(put > 0 ? put : 0);
    for (std::uint64_t n = first; n < after; ++n) {
      Block& block = Slot(n);
      const std::size_t taken = std::min(left, block.bytes.size());
      block.outcome.written = static_cast<std::uint32_t>(taken);
      left -= taken;
      if (taken < block.bytes.size()) WriteBlock(block);
    }
    return after;
  }

  // Writes the rest of `block`, from what its outcome counts as written.
  void WriteBlock(Block& block) const {
    const auto count = static_cast<std::uint32_t>(block.bytes.size());
    std::uint32_t& done = block.outcome.written;
    while (done < count) {
      const ssize_t put = ::pwrite(fd_, block.bytes.data() + done, count - done,
                                   static_cast<off_t>(block.offset + done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) {
        block.outcome.ok = false;
        return;
      }
      done += static_cast<std::uint32_t>(put);
    }
  }

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::array<Block, kSlots> slots_;
  std::uint64_t queued_ = 0;   // blocks handed over so far
  std::uint64_t written_ = 0;  // blocks written so far
  int draining_ = 0;  // Drain calls waiting
  bool stopping_ = false;
  std::vector<Outcome> outcomes_;  // of the blocks written since the last Drain
  std::thread thread_;             // last: it starts once everything above is ready
};

}  // namespace

std::unique_ptr<THostBackgroundWriter> THostBackgroundWriter::Start(int fd) {
  return std::make_unique<TThreadWriter>(fd);
}

#else

std::unique_ptr<THostBackgroundWriter> THostBackgroundWriter::Start(int) { return nullptr; }

#endif
