#include "ExportSession.h"

#include <cstdio>

#include "KXException.h"
#include "KXIdentifiers.h"
#include "THostScene.h"

namespace {

constexpr int kBarWidth = 40;

const char* OrNone(const char* text) { return text ? text : "(none)"; }

}  // namespace

ExportSession::ExportSession() {
  host_.Utilities().SetProgressCallback(
      [this](const THostProgressEvent& event, const THostProgressDisplay*) {
        if (event.kind == THostProgressEvent::Kind::Open) {
          total_ = event.value;
          done_ = 0;
          std::fprintf(stderr, "%s\n", event.title.c_str());
        } else if (event.kind == THostProgressEvent::Kind::Advance) {
          done_ += event.value;
        }
        DrawProgress(done_, total_);
        if (event.kind == THostProgressEvent::Kind::Close) std::fputc('\n', stderr);
      });
}

ExportSession::~ExportSession() { Stop(); }

bool ExportSession::Start(const std::string& library) {
  if (!library_.Load(library)) {
    std::fprintf(stderr, "t3dexport: %s\n", library_.Error().c_str());
    return false;
  }
  library_.KXDllInit(host_.Shell());
  started_ = true;
  IKXClassFactory* factory = nullptr;
  try {
    if (library_.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory,
                                     reinterpret_cast<void**>(&factory)) != kKXOk) {
      std::fprintf(stderr, "t3dexport: the plug-in has no class factory for the exporter\n");
      return false;
    }
  } catch (const TKXObject& object) {
    const auto& failure = static_cast<const TKXException&>(object);
    std::fprintf(stderr, "t3dexport: no class factory: error 0x%08X\n",
                 static_cast<unsigned>(failure.Code()));
    return false;
  }
  const KXResult made =
      factory->CreateInstance(nullptr, kKXIIDExporter, reinterpret_cast<void**>(&exporter_));
  factory->Release();
  if (made != kKXOk) {
    std::fprintf(stderr, "t3dexport: the plug-in made no exporter: error 0x%08X\n",
                 static_cast<unsigned>(made));
    return false;
  }
  return true;
}

bool ExportSession::ExportMap(THostScene& scene, const std::string& path) {
  auto destination = host_.Files().NewDestination(path);
  try {
    exporter_->Export(destination.Get(), &scene, scene.Universe());
  } catch (const TKXObject& object) {
    // The plug-in throws its one exception type; the host knows its layout.
    const auto& failure = static_cast<const TKXException&>(object);
    std::fprintf(stderr, "t3dexport: export failed: error 0x%08X at %s line %d\n",
                 static_cast<unsigned>(failure.Code()), OrNone(failure.GetFileName()),
                 failure.Line());
    return false;
  }
  if (scene.OutstandingReferences() != 0) {
    std::fprintf(stderr, "t3dexport: the plug-in kept %d scene references\n",
                 scene.OutstandingReferences());
    return false;
  }
  return true;
}

bool ExportSession::Stop() {
  if (exporter_) exporter_->Release();
  exporter_ = nullptr;
  if (!started_) return true;
  started_ = false;
  const bool unloadable = library_.KXDllCanUnloadNow() == 0;
  library_.KXDllCleanUp();
  library_.Unload();
  bool clean = unloadable;
  if (!unloadable) std::fprintf(stderr, "t3dexport: plug-in objects are still alive\n");
  if (host_.OutstandingReferences() != 0) {
    std::fprintf(stderr, "t3dexport: the plug-in kept %d host references\n",
                 host_.OutstandingReferences());
    clean = false;
  }
  if (host_.Memory().LiveObjects() != 0 || host_.Memory().LiveBlocks() != 0) {
    std::fprintf(stderr, "t3dexport: the plug-in kept %u objects and %u blocks of host memory\n",
                 host_.Memory().LiveObjects(), host_.Memory().LiveBlocks());
    clean = false;
  }
  return clean;
}

void ExportSession::DrawProgress(float done, float total) {
  const float share = total > 0 ? done / total : 1.0f;
  const int filled = static_cast<int>(share * kBarWidth + 0.5f);
  std::fprintf(stderr, "\r[");
  for (int i = 0; i < kBarWidth; ++i) std::fputc(i < filled ? '#' : ' ', stderr);
  std::fprintf(stderr, "] %3d%%", static_cast<int>(share * 100 + 0.5f));
}
