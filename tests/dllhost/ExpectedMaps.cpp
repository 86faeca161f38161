// Writes the maps of the box scene (tests/support/BoxScene.h) as the Linux build makes them: the
// reference host's scene through libT3dExport.so, the map layout to map.t3d and the
// single-object layout of kBoxSceneObject to object.t3d. The Windows hosts must get the same
// bytes from T3dExport.dll. Usage: expected_maps FOLDER
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "KXComponentInterfaces.h"
#include "KXException.h"
#include "KXIdentifiers.h"
#include "THostApplication.h"
#include "THostPluginLibrary.h"
#include "THostScene.h"
#include "support/BoxScene.h"

namespace {

void AddBox(THostScene& scene, const TBox& box) {
  THostInstance& instance = scene.AddInstance(box.name);
  instance.SetTransform(BoxPlacement(box))
      .SetReferencePoint(box.reference)
      .SetDefaultMaterialName(kBoxDefaultMaterial)
      .SetExcludedKindA(box.excluded);
  for (const TBoxMaterial& material : box.materials) {
    if (material.texture) instance.SetDomainTexture(material.domain, material.texture);
    instance.SetDomainKeepsPrevious(material.domain, material.keepsPrevious);
  }
  THostPolygonGroup* groups[kBoxGroupCount] = {&instance.AddGroup(), &instance.AddGroup()};
  TBoxFace faces[kBoxFaceCount];
  BoxFaces(box, faces);
  for (const TBoxFace& face : faces) {
    const std::vector<TKXVector3> corners(face.corners, face.corners + 4);
    groups[face.group]->AddPolygon(corners, face.normal, face.domain);
  }
}

IKXExporter* MakeExporter(THostPluginLibrary& library) {
  IKXClassFactory* factory = nullptr;
  if (library.KXDllGetClassObject(&kKXCLSIDT3DExporter, &kKXIIDClassFactory,
                                  reinterpret_cast<void**>(&factory)) != kKXOk) {
    return nullptr;
  }
  IKXExporter* exporter = nullptr;
  factory->CreateInstance(nullptr, kKXIIDExporter, reinterpret_cast<void**>(&exporter));
  factory->Release();
  return exporter;
}

bool Export(THostApplication& host, IKXExporter* exporter, THostScene& scene,
            IKXTreeElement* top, const std::string& path) {
  auto destination = host.Files().NewDestination(path);
  try {
    return exporter->Export(destination.Get(), &scene, top) == kKXOk;
  } catch (const TKXException& failure) {
    std::fprintf(stderr, "expected_maps: %s: error 0x%08X\n", path.c_str(),
                 static_cast<unsigned>(failure.Code()));
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: expected_maps FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  std::filesystem::create_directories(folder);
  THostScene scene;
  THostInstance* object = nullptr;
  for (const TBox& box : kBoxScene) {
    AddBox(scene, box);
    if (std::string(box.name) == kBoxSceneObject) {
      object = &scene.InstanceAt(scene.InstanceCount() - 1);
    }
  }

  THostApplication host;
  THostPluginLibrary library;
  if (!library.Load(T3D_PLUGIN_LIBRARY)) {
    std::fprintf(stderr, "expected_maps: %s\n", library.Error().c_str());
    return 1;
  }
  library.KXDllInit(host.Shell());
  IKXExporter* exporter = MakeExporter(library);
  const bool written = exporter && object &&
                       Export(host, exporter, scene, scene.Universe(), folder + "/map.t3d") &&
                       Export(host, exporter, scene, object->TreeElement(), folder + "/object.t3d");
  if (exporter) exporter->Release();
  library.KXDllCleanUp();
  return written ? 0 : 1;
}
