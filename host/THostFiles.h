// Files (service entry 3): file locations and file objects on real files on disk, the manager
// that makes them, and the faults they can be told to produce.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "KXFileInterfaces.h"
#include "KXHostServices.h"
#include "THostCom.h"

class THostFile;

/// The host file operations a fault can make fail.
enum class THostFileCall {
  NewFileSpec,  // the manager answers null
  Create,       // no file is made
  Open,         // the file stays closed
  GetLength,
  GetInfo,      // the record is left as it was
  SetInfo,      // nothing is stored
  SetLength,    // the length stays
  Seek,         // the position stays
  Read,         // nothing is read, 0 delivered
  Write,        // nothing is written, 0 reported
  kCount
};

/// Fault switches shared by every file object of one manager. Calls are counted per operation
/// over all those objects; write limits count bytes from the moment they are set. A failing
/// operation answers kKXErrNotSupported (NewFileSpec: null).
class THostFileFaults {
 public:
  /// NewFileSpec answers null.
  void RefuseNewFiles(bool on = true) { Switch(THostFileCall::NewFileSpec, on); }
  /// Open fails (the file stays closed).
  void RefuseOpen(bool on = true) { Switch(THostFileCall::Open, on); }
  /// Create fails (no file is made).
  void RefuseCreate(bool on = true) { Switch(THostFileCall::Create, on); }
  /// After `bytes` more bytes have been written, a write that goes further writes nothing and
  /// fails with 0 written.
  void FailWritesAfter(std::uint64_t bytes);
  /// After `bytes` more bytes have been written, a write that goes further writes only up to the
  /// limit, answers kKXOk and reports the shorter count.
  void ShortenWritesAfter(std::uint64_t bytes);
  /// Grants `n` more seeks, then every seek fails (0: fails every seek).
  void FailSeeksAfter(std::uint32_t n) { FailCall(THostFileCall::Seek, n + 1, true); }
  /// Makes call `n` of `call` from now (1: the next one) fail; with `onward`, every later call
  /// too.
  void FailCall(THostFileCall call, std::uint32_t n, bool onward = false);
  /// Makes Write `n` from now (1: the next one) write only the first half of its bytes (rounded
  /// down), answer kKXOk and report the shorter count.
  void ShortenWrite(std::uint32_t n);
  /// Switches every fault off and starts the call counts again.
  void Clear() { *this = THostFileFaults(); }

  /// Calls of `call` since the faults were made or cleared, failed ones included.
  std::uint32_t Calls(THostFileCall call) const { return calls_[Index(call)]; }

  // Used by the file objects and the manager.
  /// Counts one call of `call`; false when it must fail.
  bool Take(THostFileCall call);
  /// For the Write just taken, of `count` bytes: how many of them may be written now; sets
  /// `fail` when the write must fail. Takes the granted bytes from the allowance.
  std::uint32_t TakeWrite(std::uint32_t count, bool& fail);

 private:
  enum class WriteLimit { None, Fail, Shorten };
  // Calls from number `first` on fail (`onward`), or call `first` alone; 0: none.
  struct CallFault {
    std::uint32_t first = 0;
    bool onward = false;
  };

  static std::size_t Index(THostFileCall call) { return static_cast<std::size_t>(call); }
  void Switch(THostFileCall call, bool on);

  std::array<std::uint32_t, static_cast<std::size_t>(THostFileCall::kCount)> calls_{};
  std::array<CallFault, static_cast<std::size_t>(THostFileCall::kCount)> faults_{};
  std::uint32_t shortenedWrite_ = 0;  // the Write number that is cut in half; 0: none
  WriteLimit writeLimit_ = WriteLimit::None;
  std::uint64_t writeAllowance_ = 0;
};

/// What became of the host writes: a failed write answered an error, a short one answered kKXOk
/// with fewer bytes written than asked. A host that finds either non-zero after an export knows
/// that the file lacks bytes the plug-in meant to write.
struct THostWriteAccount {
  std::uint32_t failed = 0;
  std::uint32_t shortened = 0;
  std::uint64_t bytesWritten = 0;
};

/// Where the bytes written to one path go instead of its file: a host that transforms what the
/// plug-in writes on its way to disk. A file object opened on a filtered path takes writes only
/// at its end (the plug-in's write-only stream writes in order), hands them on, and answers
/// position and length as the plug-in wrote them; it reads nothing.
class THostWriteFilter {
 public:
  /// Takes the next `count` bytes; false when they could not be passed on (the write fails).
  virtual bool Take(const void* data, std::uint32_t count) = 0;

 protected:
  ~THostWriteFilter() = default;
};

/// What the file objects of one manager share: the live objects, the faults, the seek rule, the
/// log of host writes and the 48-byte info record of every path that SetInfo stored. File
/// objects enter and leave it themselves; the manager only reads and configures it.
class THostFileTable {
 public:
  THostFileTable() = default;
  THostFileTable(const THostFileTable&) = delete;
  THostFileTable& operator=(const THostFileTable&) = delete;

  THostFileFaults& Faults() { return faults_; }
  bool seeksPastEnd = false;
  bool writeBehind = false;

  /// The live file object whose IKXFileSpec part is `fileSpec`, or null.
  THostFile* FindBySpec(const IKXFileSpec* fileSpec) const;
  void Enter(THostFile* file) { files_.push_back(file); }
  void Leave(THostFile* file);
  const std::vector<THostFile*>& Files() const { return files_; }

  /// Records one host write: `asked` bytes asked for, `written` written, `ok` its answer. A
  /// write made behind is logged when asked for and counted when done.
  void RecordWrite(std::uint32_t asked, std::uint32_t written, bool ok);
  void LogWrite(std::uint32_t asked) { writeSizes_.push_back(asked); }
  void CountWrite(std::uint32_t asked, std::uint32_t written, bool ok);
  const std::vector<std::uint32_t>& WriteSizes() const { return writeSizes_; }
  const THostWriteAccount& WriteAccount() const { return writeAccount_; }
  void ClearWriteLog() { writeSizes_.clear(); }

  /// The record stored for `path`, or DefaultInfo().
  KXFileInfo InfoOf(const std::string& path) const;
  void StoreInfo(const std::string& path, const KXFileInfo& info) { infos_[path] = info; }
  bool HasStoredInfo(const std::string& path) const { return infos_.count(path) != 0; }
  void SetFilter(const std::string& path, THostWriteFilter* filter);
  /// The filter of `path`, or null.
  THostWriteFilter* FilterOf(const std::string& path) const;
  /// Host bytes 0x40 to 0x67 (never zero, so a test can see that they come back unchanged),
  /// type and creator '????'.
  static KXFileInfo DefaultInfo();

 private:
  THostFileFaults faults_;
  std::vector<THostFile*> files_;
  std::vector<std::uint32_t> writeSizes_;
  THostWriteAccount writeAccount_;
  std::map<std::string, KXFileInfo> infos_;
  std::map<std::string, THostWriteFilter*> filters_;
};

/// IKXFileManager. GetPathSeparator (slot 3) answers the system's separator ('/', or '\\' on
/// Windows) unless changed; NewFileSpec (slot 9) hands out a new file object (its IKXFileSpec
/// part) with one reference. File objects work on real files on disk; they are destroyed when
/// their last reference goes.
///
/// A file object is one object with two parts: IKXFileSpec (the location and access mode; what
/// NewFileSpec hands out, and the answer to IUnknown) and IKXFileStream
/// (QueryInterface(kKXIIDFileStream)). Failures: kKXErrFileNotFound for a missing file (Open,
/// GetLength of a closed missing file); kKXErrEndOfStream when Read reaches the end with bytes
/// still wanted; kKXErrNotSupported for everything else (a refused open, create or write; I/O on
/// a closed file; Read without kKXFileRead; Write without kKXFileWrite; a seek before 0, or past
/// the length unless allowed; a location object that this host did not make; an operating system
/// error).
class THostFileManager final
    : public KXImplements<THostFileManager, THostCounted, IKXFileManager> {
 public:
  THostFileManager() = default;
  /// Destroys any file object still alive. Release destinations before the manager goes.
  ~THostFileManager();

  char KX_CALL GetPathSeparator() override;
  KXResult KX_CALL NewFileSpec(IKXFileSpec** fileSpec) override;

  void SetPathSeparator(char separator) { separator_ = separator; }
  /// Lets Seek go past the end of a file, as the operating system's own seek does (refused by
  /// default). The file grows only when bytes are written there.
  void AllowSeeksPastEnd(bool on = true) { table_.seeksPastEnd = on; }
  bool SeeksPastEndAllowed() const { return table_.seeksPastEnd; }
  THostFileFaults& Faults() { return table_.Faults(); }
  /// Files opened from now on to write only (not through a filter) write behind: a Write copies
  /// its block for a thread of the file's own to write, answers at once, and counts in the write
  /// account below when the block is written; closing the file waits for them all. Nothing else
  /// may write to such a file while it is open. The Windows builds have no threads: there,
  /// files write as they are told.
  void WriteBehind(bool on = true) { table_.writeBehind = on; }

  /// Sends what file objects opened on `path` from now on write through `filter` (which must
  /// outlive them) instead of to the file; null ends that.
  void FilterWrites(const std::string& path, THostWriteFilter* filter) { table_.SetFilter(path, filter); }

  /// A file object bound to `path`, for the destination argument of an export (the exporter only
  /// asks it for its path). It does not count among LiveFileObjects.
  THostRef<IKXFileStream> NewDestination(const std::string& path);

  /// File objects made by NewFileSpec and not yet released to 0.
  std::int32_t LiveFileObjects() const;
  /// File objects made by NewFileSpec so far.
  std::int32_t FileObjectsMade() const { return made_; }

  /// The count of every host Write call, in order, as asked (not as written).
  const std::vector<std::uint32_t>& WriteSizes() const { return table_.WriteSizes(); }
  std::uint32_t WriteCalls() const { return static_cast<std::uint32_t>(WriteSizes().size()); }
  void ClearWriteLog() { table_.ClearWriteLog(); }
  /// Writes that failed, writes that wrote fewer bytes than asked, and the bytes written, over
  /// the manager's life. Kept apart from the write log, which ClearWriteLog empties. After an
  /// export onto a file of its own, the file holds all the plug-in wrote only when both counts
  /// are 0 and the bytes written are as many as the file holds.
  std::uint32_t FailedWrites() const { return table_.WriteAccount().failed; }
  std::uint32_t ShortWrites() const { return table_.WriteAccount().shortened; }
  std::uint64_t BytesWritten() const { return table_.WriteAccount().bytesWritten; }

  /// The record stored for `path`, or DefaultInfo().
  KXFileInfo InfoOf(const std::string& path) const { return table_.InfoOf(path); }
  bool HasStoredInfo(const std::string& path) const { return table_.HasStoredInfo(path); }
  static KXFileInfo DefaultInfo() { return THostFileTable::DefaultInfo(); }

 private:
#ifdef _WIN32
  char separator_ = '\\';  // the separator of the system's own paths
#else
  char separator_ = '/';
#endif
  THostFileTable table_;
  std::int32_t made_ = 0;
};
