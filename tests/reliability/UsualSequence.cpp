#include "reliability/UsualSequence.h"

#include <cstdio>

#include "KXComponentInterfaces.h"
#include "KXException.h"
#include "KXIdentifiers.h"

namespace {

std::string Hex(KXResult code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

// The ending a TKXException from `step` stands for, by its code, file and line.
std::string EndingOf(const TKXException& failure, const std::string& step) {
  struct Known {
    const char* step;
    KXResult code;
    const char* file;
    int line;
    const std::string& ending;
  };
  static const Known kKnown[] = {
      {"factory", kKXErrNoMemory, "KXCore/PublicAPI/KXCountedPtrHelper", 166,
       ending::kFactoryRefused},
      {"export", kKXErrMissingObject, "T3d", 366, ending::kStreamObjectRefused},
      {"export", kKXErrMissingObject, "T3d", 250, ending::kNoMesh}};
  const std::string where = failure.GetFileName() ? failure.GetFileName() : "(none)";
  for (const Known& known : kKnown) {
    if (step == known.step && failure.Code() == known.code && where == known.file &&
        failure.Line() == known.line) {
      return known.ending;
    }
  }
  return step + " threw " + Hex(failure.Code()) + " " + where + ":" +
         std::to_string(failure.Line());
}

void Enter(TRequestSteps* steps, const char* step) {
  if (steps) steps->Enter(step);
}

// The part of the sequence between start-up and shut-down.
std::string UseExporter(THostPluginLibrary& library, THostApplication& host, IKXScene* scene,
                        IKXTreeElement* top, const std::string& path, TRequestSteps* steps) {
  THostRef<IKXClassFactory> factory;
  try {
    Enter(steps, "factory");
    library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, factory.Slot());
  } catch (const TKXException& failure) {
    return EndingOf(failure, "factory");
  }
  if (!factory) return "no factory";
  THostRef<IKXExporter> exporter;
  Enter(steps, "component");
  const KXResult created = factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot());
  factory.Reset();
  if (created == kKXErrClassNotAvailable && !exporter) return ending::kClassNotAvailable;
  if (created != kKXOk || !exporter) return "CreateInstance " + Hex(created);
  auto destination = host.Files().NewDestination(path);
  try {
    Enter(steps, "export");
    const KXResult result = exporter->Export(destination.Get(), scene, top);
    Enter(steps, "release");
    return result == kKXOk ? ending::kExported : "Export " + Hex(result);
  } catch (const TKXException& failure) {
    Enter(steps, "release");
    return EndingOf(failure, "export");
  }
}

}  // namespace

std::string RunUsualSequence(THostApplication& host, IKXScene* scene, IKXTreeElement* top,
                             const std::string& path, TRequestSteps* steps) {
  THostPluginLibrary library;
  if (!library.Load(T3D_PLUGIN_LIBRARY)) return "not loaded: " + library.Error();
  Enter(steps, "start-up");
  library.KXDllInit(host.Shell());
  std::string ending;
  try {
    ending = UseExporter(library, host, scene, top, path, steps);
  } catch (...) {
    ending = "foreign exception";
  }
  if (library.KXDllCanUnloadNow() != 0) ending += ", plug-in objects still alive";
  Enter(steps, "shut-down");
  library.KXDllCleanUp();
  return ending;
}
