#include "T3d/T3DExport.h"

#include "KXCountedPtr.h"
#include "KXException.h"
#include "KXFileInterfaces.h"
#include "KXGeometry.h"
#include "KXIdentifiers.h"
#include "KXSceneInterfaces.h"
#include "KXServiceTable.h"
#include "KXString.h"
#include "KXTextStream.h"
#include "T3d/T3DBuilderBrush.h"
#include "T3d/T3DGeometry.h"
#include "T3d/T3DInstanceFilter.h"
#include "T3d/T3DMapWriter.h"
#include "T3d/T3DPolygonWriter.h"

namespace {

constexpr std::int32_t kStreamBufferSize = 0x7f00;
constexpr std::int32_t kProgressTitleText = 131;
constexpr std::int32_t kProgressTitleItem = 1;

// The progress title comes from the exporter's own resources.
void LoadProgressTitle(TKXString255& title) {
  IKXResourceManager* resources = KXResourceManagerService();
  std::uint32_t context = 0;
  resources->UseResources(KXFourChar('3', 'D', 'o', 'u'), KXFourChar('R', 'T', '3', 'D'), &context);
  resources->GetText(&title, kProgressTitleText, kProgressTitleItem);
  resources->RestoreResources(context);
}

TKXTextStream* CreateOutputStream(IKXFileStream* destination) {
  TKXString1023 path;
  destination->GetPath(&path);
  auto* stream = new TKXTextStream(path.GetBuffer(), static_cast<std::int32_t>(kKXFileWrite),
                                   kStreamBufferSize, nullptr);
  if (!stream) throw TKXException(kKXErrMissingObject, kKXRaisedNoStreamMemory);
  return stream;
}

void StampOutputFile(TKXTextStream& stream) {
  stream.SetCreatorAndType(KXShellUtilitiesService()->GetCreatorCode(),
                           KXFourChar('T', 'E', 'X', 'T'));
}

void WriteSingleObject(T3DMapWriter& writer, IKXTreeElement* top) {
  TKXCountedPtr<IKXInstance> instance;
  top->QueryInterface(kKXIIDInstance, instance.AsQuerySlot());
  writer.Text("Begin PolyList\n");
  if (!!instance) WritePolygons(writer, instance.Get());
  writer.Text("End PolyList\n");
}

// One subtractive brush actor for an exportable instance; false when the host gives no element
// for it, in which case nothing is written.
bool WriteActor(T3DMapWriter& writer, IKXInstance* instance, TKXTransform& transform,
                TKXString1023& name) {
  TKXCountedPtr<IKXTreeElement> element;
  instance->QueryInterface(kKXIIDTreeElement, element.AsQuerySlot());
  if (!element) return false;
  element->GetTransform(&transform);
  element->GetName(&name);
  char actorName[1024];
  name.CopyTo(actorName);
  TKXVector3 reference{0, 0, 0};
  element->GetReferencePoint(&reference);
  TKXVector3 location{0, 0, 0};
  TransformPoint(transform, reference, location);

  writer.Text("Begin Actor Class=Brush Name=");
  writer.Name(actorName);
  writer.Text("\n");
  writer.Text("   CsgOper=CSG_Subtract\n");
  writer.LocationLine(location);
  writer.Text("   Begin Brush Name=");
  writer.Name(actorName);
  writer.Text("\n");
  writer.Text("      Begin PolyList\n");
  WritePolygons(writer, instance);
  writer.Text("      End PolyList\n");
  writer.Text("   End Brush\n");
  writer.Text("   Brush=Model'MyLevel.");
  writer.Name(actorName);
  writer.Text("'\n");
  writer.Text("End Actor\n");
  return true;
}

void WriteMap(T3DMapWriter& writer, IKXScene* scene, std::uint32_t instanceCount,
              IKXUnknown* progress, TKXString1023& name) {
  writer.Text("Begin Map\n");
  WriteBuilderBrush(writer);
  TKXTransform transform;
  for (std::uint32_t i = 0; i < instanceCount; ++i) {
    TKXCountedPtr<IKXInstance> instance;
    scene->GetInstance(instance.AsOutParam(), i);
    if (!instance || !IsExportableInstance(instance.Get())) continue;
    if (WriteActor(writer, instance.Get(), transform, name)) {
      KXShellUtilitiesService()->AdvanceProgress(1.0f, progress);
    }
  }
}

// The services the export calls through; a host that withholds one gets a failure, not a crash.
void RequireExportServices() {
  if (!KXShellUtilitiesService() || !KXResourceManagerService() || !KXFileManagerService()) {
    throw TKXException(kKXErrMissingObject, nullptr, 0);
  }
}

}  // namespace

KXResult Export(IKXFileStream* destination, IKXScene* scene, IKXTreeElement* top) {
  RequireExportServices();
  TKXTextStream* stream = nullptr;
  TKXCountedPtr<IKXUnknown> progress;
  try {
    const std::uint32_t instanceCount = scene->GetInstanceCount();
    TKXString255 title;
    LoadProgressTitle(title);
    KXShellUtilitiesService()->OpenProgress(&title, progress.AsOutParam(),
                                            static_cast<float>(instanceCount));
    stream = CreateOutputStream(destination);
    StampOutputFile(*stream);

    TKXString1023 topName;
    top->GetName(&topName);
    const TKXString1023 universe("Universe");
    const bool map = static_cast<std::uint8_t>(topName.Compare(universe)) == 0;
    {
      // Gives the stream its bytes back when it goes, also on the way to the handler below.
      T3DMapWriter writer(*stream, map);
      if (map) {
        WriteMap(writer, scene, instanceCount, progress.Get(), topName);
      } else {
        WriteSingleObject(writer, top);
      }
    }

    delete stream;  // writes out the buffer and closes the file
    stream = nullptr;
    KXShellUtilitiesService()->CloseProgress(progress.Get());
    return kKXOk;
  } catch (const TKXException& failure) {
    // What was written so far stays in the file; the host gets the failure itself.
    delete stream;
    KXShellUtilitiesService()->CloseProgress(progress.Get());
    throw failure;
  }
}
