// The failures that the host's file objects can be told to produce.
#pragma once

#include <cstdint>

/// Fault switches shared by every file object of one THostFileManager. Write and seek limits
/// count over all those objects from the moment they are set.
class THostFileFaults {
 public:
  /// NewFileSpec answers null.
  void RefuseNewFiles(bool on = true) { refuseNewFiles_ = on; }
  /// Open answers kKXErrNotSupported (the file stays closed).
  void RefuseOpen(bool on = true) { refuseOpen_ = on; }
  /// Create answers kKXErrNotSupported (no file is made).
  void RefuseCreate(bool on = true) { refuseCreate_ = on; }
  /// After `bytes` more bytes have been written, a write that goes further writes nothing and
  /// answers kKXErrNotSupported with 0 written.
  void FailWritesAfter(std::uint64_t bytes);
  /// After `bytes` more bytes have been written, a write that goes further writes only up to the
  /// limit, answers kKXOk and reports the shorter count.
  void ShortenWritesAfter(std::uint64_t bytes);
  /// Grants `n` more seeks, then every seek answers kKXErrNotSupported (0: fails every seek).
  void FailSeeksAfter(std::uint32_t n);
  /// Switches every fault off.
  void Clear() { *this = THostFileFaults(); }

  // Used by the file objects.
  bool NewFilesRefused() const { return refuseNewFiles_; }
  bool OpenRefused() const { return refuseOpen_; }
  bool CreateRefused() const { return refuseCreate_; }
  /// How many of `count` bytes may be written now; sets `fail` when the write must fail. Takes
  /// the granted bytes from the allowance.
  std::uint32_t TakeWrite(std::uint32_t count, bool& fail);
  /// Whether the next seek may go ahead; takes it from the allowance.
  bool TakeSeek();

 private:
  enum class WriteLimit { None, Fail, Shorten };

  bool refuseNewFiles_ = false;
  bool refuseOpen_ = false;
  bool refuseCreate_ = false;
  WriteLimit writeLimit_ = WriteLimit::None;
  std::uint64_t writeAllowance_ = 0;
  bool seekLimit_ = false;
  std::uint32_t seekAllowance_ = 0;
};
