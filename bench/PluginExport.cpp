#include "PluginExport.h"

#include <chrono>
#include <stdexcept>

#include "KXComponentInterfaces.h"
#include "KXIdentifiers.h"
#include "THostApplication.h"
#include "THostPluginLibrary.h"
#include "THostScene.h"

namespace {

THostRef<IKXExporter> MakeExporter(THostPluginLibrary& plugin) {
  THostRef<IKXClassFactory> factory;
  plugin.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory, factory.Slot());
  THostRef<IKXExporter> exporter;
  if (factory) factory->CreateInstance(nullptr, kKXIIDExporter, exporter.Slot());
  if (!exporter) throw std::runtime_error("the plug-in made no exporter");
  return exporter;
}

}  // namespace

TPluginExport ExportWithPlugin(const std::string& library, THostScene& scene, IKXTreeElement* top,
                               const std::string& path) {
  THostApplication host;
  THostPluginLibrary plugin;
  if (!plugin.Load(library)) throw std::runtime_error(plugin.Error());
  plugin.KXDllInit(host.Shell());
  TPluginExport result;
  {
    THostRef<IKXExporter> exporter = MakeExporter(plugin);
    auto destination = host.Files().NewDestination(path);
    const auto start = std::chrono::steady_clock::now();
    const KXResult exported = exporter->Export(destination.Get(), &scene, top);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (exported != kKXOk) throw std::runtime_error("the export failed");
    result.seconds = elapsed.count();
  }
  plugin.KXDllCleanUp();
  result.peakHostBytes = host.Memory().PeakBytes();
  result.writeSizes = host.Files().WriteSizes();
  return result;
}
