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
#include "T3d/T3DMapLayout.h"
#include "T3d/T3DNumberFormat.h"
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

void WriteSingleObject(TKXStream& stream, IKXTreeElement* top) {
  MapLayout = 0;
  TKXCountedPtr<IKXInstance> instance;
  top->QueryInterface(kKXIIDInstance, instance.AsQuerySlot());
  stream << "Begin PolyList\n";
  if (!!instance) WritePolygons(stream, instance.Get());
  stream << "End PolyList\n";
}

void WriteLocationLine(TKXStream& stream, const TKXVector3& location) {
  T3DLineBuffer line;
  line.Append("   Location=(X=").AppendLocationValue(location.x);
  line.Append(",Y=").AppendLocationValue(location.y);
  line.Append(",Z=").AppendLocationValue(location.z).Append(")\n");
  stream << line.Text();
}

// One subtractive brush actor for an exportable instance; false when the host gives no element
// for it, in which case nothing is written.
bool WriteActor(TKXStream& stream, IKXInstance* instance, TKXTransform& transform,
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

  stream << "Begin Actor Class=Brush Name=" << actorName << "\n";
  stream << "   CsgOper=CSG_Subtract\n";
  WriteLocationLine(stream, location);
  stream << "   Begin Brush Name=" << actorName << "\n";
  stream << "      Begin PolyList\n";
  WritePolygons(stream, instance);
  stream << "      End PolyList\n";
  stream << "   End Brush\n";
  stream << "   Brush=Model'MyLevel." << actorName << "'\n";
  stream << "End Actor\n";
  return true;
}

void WriteMap(TKXStream& stream, IKXScene* scene, std::uint32_t instanceCount,
              IKXUnknown* progress, TKXString1023& name) {
  MapLayout = 1;
  stream << "Begin Map\n";
  WriteBuilderBrush(stream);
  TKXTransform transform;
  for (std::uint32_t i = 0; i < instanceCount; ++i) {
    TKXCountedPtr<IKXInstance> instance;
    scene->GetInstance(instance.AsOutParam(), i);
    if (!instance || !IsExportableInstance(instance.Get())) continue;
    if (WriteActor(stream, instance.Get(), transform, name)) {
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
    if (static_cast<std::uint8_t>(topName.Compare(universe)) != 0) {
      WriteSingleObject(*stream, top);
    } else {
      WriteMap(*stream, scene, instanceCount, progress.Get(), topName);
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
