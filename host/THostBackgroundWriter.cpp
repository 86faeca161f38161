#include "THostBackgroundWriter.h"

#ifndef _WIN32

#include <unistd.h>

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
    Block& block = slots_[queued_ % kSlots];
    lock.unlock();
    // The writer thread does not touch a free slot, so the copy needs no lock.
    block.bytes.assign(static_cast<const char*>(data), static_cast<const char*>(data) + count);
    block.offset = offset;
    block.outcome = {asked, 0, true};
    lock.lock();
    ++queued_;
    changed_.notify_all();
  }

  std::vector<Outcome> Drain() override {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return written_ == queued_; });
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

  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return written_ < queued_ || stopping_; });
      if (written_ == queued_) return;  // stopping, with nothing left
      Block& block = slots_[written_ % kSlots];
      lock.unlock();
      WriteBlock(block);
      lock.lock();
      outcomes_.push_back(block.outcome);
      ++written_;
      changed_.notify_all();
    }
  }

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
