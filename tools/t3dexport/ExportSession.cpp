#include "ExportSession.h"

#include <sys/stat.h>

#include <cstdio>
#include <numeric>

#include "KXException.h"
#include "KXIdentifiers.h"
#include "THostScene.h"

namespace {

// The plug-in throws its one exception type, whose layout the host knows.
std::string Describe(const TKXException& failure) {
  std::string text = ResultName(failure.Code());
  if (failure.GetFileName()) {
    text += std::string(" at ") + failure.GetFileName() + " line " + std::to_string(failure.Line());
  }
  return text;
}

std::uint64_t WriteTrouble(const THostFileManager& files) {
  return std::uint64_t{files.FailedWrites()} + files.ShortWrites();
}

std::uint64_t FileSize(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

}  // namespace

std::string ResultName(KXResult code) {
  struct Named {
    KXResult code;
    const char* name;
  };
  static constexpr Named kNames[] = {
      {kKXErrNoMemory, "kKXErrNoMemory"},
      {kKXErrNotImplemented, "kKXErrNotImplemented"},
      {kKXErrSystemException, "kKXErrSystemException"},
      {kKXErrMissingObject, "kKXErrMissingObject"},
      {kKXErrNotSupported, "kKXErrNotSupported"},
      {kKXErrTokenSyntax, "kKXErrTokenSyntax"},
      {kKXErrEndOfStream, "kKXErrEndOfStream"},
      {kKXErrFileNotFound, "kKXErrFileNotFound"},
      {kKXErrNotImplementedByComponent, "kKXErrNotImplementedByComponent"},
      {kKXErrNoInterface, "kKXErrNoInterface"},
      {kKXErrClassNotAvailable, "kKXErrClassNotAvailable"},
      {kKXErrRefCountUnderflow, "kKXErrRefCountUnderflow"},
  };
  for (const Named& named : kNames) {
    if (named.code == code) return named.name;
  }
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
  return hex;
}

ExportSession::~ExportSession() {
  std::string ignored;
  Stop(ignored);
}

bool ExportSession::Start(const std::string& library, std::string& error) {
  if (!library_.Load(library)) {
    error = library_.Error();
    return false;
  }
  library_.KXDllInit(host_.Shell());
  started_ = true;
  THostRef<IKXClassFactory> factory;
  try {
    const KXResult found = library_.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory,
                                                        factory.Slot());
    if (found != kKXOk) {
      error = "the plug-in has no class factory for the exporter: " + ResultName(found);
      return false;
    }
  } catch (const TKXObject& object) {
    error = "no class factory: " + Describe(static_cast<const TKXException&>(object));
    return false;
  }
  const KXResult made = factory->CreateInstance(nullptr, kKXIIDExporter, KXSlot(&exporter_));
  if (made != kKXOk) {
    error = "the plug-in made no exporter: " + ResultName(made);
    return false;
  }
  return true;
}

ExportOutcome ExportSession::Export(THostScene& scene, IKXTreeElement* top,
                                    const std::string& path, const Progress& progress,
                                    THostWriteFilter* filter) {
  host_.Utilities().SetProgressCallback(
      [&progress](const THostProgressEvent&, const THostProgressDisplay* display) {
        if (progress && display && display->Total() > 0) progress(display->Done() / display->Total());
      });
  THostFileManager& files = host_.Files();
  // The map's blocks go to disk while the plug-in makes the next ones.
  files.WriteBehind();
  files.ClearWriteLog();
  const std::uint64_t troubleBefore = WriteTrouble(files);
  const std::uint64_t writtenBefore = files.BytesWritten();
  ExportOutcome outcome;
  files.FilterWrites(path, filter);
  {
    auto destination = host_.Files().NewDestination(path);
    try {
      exporter_->Export(destination.Get(), &scene, top);
    } catch (const TKXObject& object) {
      outcome.kind = ExportOutcome::Kind::kPluginFailed;
      outcome.message = "the export failed: " + Describe(static_cast<const TKXException&>(object));
    }
  }
  host_.Utilities().SetProgressCallback({});
  files.FilterWrites(path, nullptr);
  const auto& sizes = files.WriteSizes();
  outcome.bytes = std::accumulate(sizes.begin(), sizes.end(), std::uint64_t{0});
  // The plug-in's stream fails quietly: a file it could not open, or a write the host refused or
  // cut short, shows only here. Every map has at least its first line, and the file (unless a
  // filter took the bytes) holds every byte written and nothing else.
  const bool nothing = outcome.bytes == 0;
  const bool lost = WriteTrouble(files) != troubleBefore ||
                    files.BytesWritten() - writtenBefore != outcome.bytes ||
                    (!filter && FileSize(path) != outcome.bytes);
  if (outcome.kind == ExportOutcome::Kind::kWritten && (nothing || lost)) {
    outcome.kind = ExportOutcome::Kind::kWriteFailed;
    outcome.message = nothing ? "the plug-in could not open the file to write the map"
                              : "writing the map failed (the disk may be full, or the file too large)";
  }
  if (outcome.kind == ExportOutcome::Kind::kWritten && scene.OutstandingReferences() != 0) {
    outcome.kind = ExportOutcome::Kind::kPluginFailed;
    outcome.message = "the plug-in kept " + std::to_string(scene.OutstandingReferences()) +
                      " scene references";
  }
  return outcome;
}

bool ExportSession::Stop(std::string& error) {
  if (exporter_) exporter_->Release();
  exporter_ = nullptr;
  if (!started_) return true;
  started_ = false;
  const bool unloadable = library_.KXDllCanUnloadNow() == 0;
  library_.KXDllCleanUp();
  library_.Unload();
  if (!unloadable) {
    error = "plug-in objects are still alive";
    return false;
  }
  if (host_.OutstandingReferences() != 0) {
    error = "the plug-in kept " + std::to_string(host_.OutstandingReferences()) +
            " host references";
    return false;
  }
  if (host_.Memory().LiveObjects() != 0 || host_.Memory().LiveBlocks() != 0) {
    error = "the plug-in kept " + std::to_string(host_.Memory().LiveObjects()) + " objects and " +
            std::to_string(host_.Memory().LiveBlocks()) + " blocks of host memory";
    return false;
  }
  return true;
}
