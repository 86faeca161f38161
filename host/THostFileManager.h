// File locations and file objects (service entry 3).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "KXFileInterfaces.h"
#include "KXHostServices.h"
#include "THostFileFaults.h"
#include "THostRef.h"
#include "THostService.h"

class THostFile;

/// IKXFileManager. GetPathSeparator (slot 3) answers the system's separator ('/', or '\\' on
/// Windows) unless changed; NewFileSpec (slot 9) hands out a new THostFile (its IKXFileSpec part)
/// with one reference. File objects work on real files on disk; they are destroyed when their
/// last reference goes.
///
/// The manager also keeps what the file objects share: the fault switches, the log of host
/// writes, and the 48-byte info record of every path that SetInfo stored. A path without a stored
/// record reads as DefaultInfo(): host bytes 0x40 to 0x67 (never zero, so a test can see that they
/// come back unchanged), type and creator '????'.
class THostFileManager final : public THostService<IKXFileManager> {
 public:
  THostFileManager();
  /// Destroys any file object still alive. Release destinations before the manager goes.
  ~THostFileManager();

  char KX_CALL GetPathSeparator() override;
  KXResult KX_CALL NewFileSpec(IKXFileSpec** fileSpec) override;

  void SetPathSeparator(char separator) { separator_ = separator; }
  /// Lets Seek go past the end of a file, as the operating system's own seek does (refused by
  /// default). The file grows only when bytes are written there.
  void AllowSeeksPastEnd(bool on = true) { seeksPastEnd_ = on; }
  bool SeeksPastEndAllowed() const { return seeksPastEnd_; }
  THostFileFaults& Faults() { return faults_; }

  /// A file object bound to `path`, for the destination argument of an export (the exporter only
  /// asks it for its path). It does not count among LiveFileObjects.
  THostRef<IKXFileStream> NewDestination(const std::string& path);

  /// File objects made by NewFileSpec and not yet released to 0.
  std::int32_t LiveFileObjects() const;
  /// File objects made by NewFileSpec so far.
  std::int32_t FileObjectsMade() const { return made_; }

  /// The count of every host Write call, in order, as asked (not as written).
  const std::vector<std::uint32_t>& WriteSizes() const { return writeSizes_; }
  std::uint32_t WriteCalls() const { return static_cast<std::uint32_t>(writeSizes_.size()); }
  void ClearWriteLog() { writeSizes_.clear(); }

  /// The record stored for `path`, or DefaultInfo().
  KXFileInfo InfoOf(const std::string& path) const;
  bool HasStoredInfo(const std::string& path) const { return infos_.count(path) != 0; }
  static KXFileInfo DefaultInfo();

 private:
  friend class THostFile;

  /// A new file object with no reference yet; whoever hands it out adds the first.
  THostFile* MakeFile(bool forPlugin);
  /// The live file object whose IKXFileSpec part is `fileSpec`, or null.
  THostFile* FindBySpec(const IKXFileSpec* fileSpec) const;
  void Destroy(THostFile* file);
  void RecordWrite(std::uint32_t count) { writeSizes_.push_back(count); }
  void StoreInfo(const std::string& path, const KXFileInfo& info) { infos_[path] = info; }

#ifdef _WIN32
  char separator_ = '\\';  // the separator of the system's own paths
#else
  char separator_ = '/';
#endif
  bool seeksPastEnd_ = false;
  THostFileFaults faults_;
  std::vector<std::unique_ptr<THostFile>> files_;
  std::int32_t made_ = 0;
  std::vector<std::uint32_t> writeSizes_;
  std::map<std::string, KXFileInfo> infos_;
};
