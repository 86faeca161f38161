// Every host operation the plug-in calls must sit at the slot the host's table has it in.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "KXFileInterfaces.h"
#include "KXHostServices.h"
#include "KXSceneInterfaces.h"

namespace {

// Under the Itanium C++ ABI (GCC and Clang, MinGW included) a pointer to a virtual member
// function holds 1 + the byte offset of its slot in the table.
template <class MemberFunction>
std::ptrdiff_t SlotOf(MemberFunction member) {
  static_assert(sizeof(member) == 2 * sizeof(std::ptrdiff_t), "Itanium member pointer");
  std::ptrdiff_t raw = 0;
  std::memcpy(&raw, &member, sizeof raw);
  EXPECT_EQ(raw % static_cast<std::ptrdiff_t>(sizeof(void*)), 1) << "not a virtual operation";
  return (raw - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

#define EXPECT_SLOT(Interface, Operation, slot) \
  EXPECT_EQ(SlotOf(&Interface::Operation), slot) << #Interface "::" #Operation

}  // namespace

TEST(InterfaceSlots, UnknownOperationsOpenEveryTable) {
  EXPECT_SLOT(IKXUnknown, QueryInterface, 0);
  EXPECT_SLOT(IKXUnknown, AddRef, 1);
  EXPECT_SLOT(IKXUnknown, Release, 2);
  EXPECT_SLOT(IKXShell, QueryInterface, 0);
  EXPECT_SLOT(IKXTreeElement, Release, 2);
}

TEST(InterfaceSlots, HostServices) {
  EXPECT_SLOT(IKXMemoryManager, AllocBlock, 3);
  EXPECT_SLOT(IKXMemoryManager, ReallocBlock, 5);
  EXPECT_SLOT(IKXMemoryManager, FreeBlock, 6);
  EXPECT_SLOT(IKXMemoryManager, AllocObject, 7);
  EXPECT_SLOT(IKXMemoryManager, FreeObject, 8);
  EXPECT_SLOT(IKXPlatformInfo, GetCharacterTables, 4);
  EXPECT_SLOT(IKXPlatformInfo, GetProcessorFeatures, 5);
  EXPECT_SLOT(IKXResourceManager, GetText, 4);
  EXPECT_SLOT(IKXResourceManager, UseResources, 7);
  EXPECT_SLOT(IKXResourceManager, RestoreResources, 8);
  EXPECT_SLOT(IKXShellUtilities, OpenProgress, 3);
  EXPECT_SLOT(IKXShellUtilities, CloseProgress, 4);
  EXPECT_SLOT(IKXShellUtilities, AdvanceProgress, 6);
  EXPECT_SLOT(IKXShellUtilities, GetCreatorCode, 38);
  EXPECT_SLOT(IKXFileManager, GetPathSeparator, 3);
  EXPECT_SLOT(IKXFileManager, NewFileSpec, 9);
  EXPECT_SLOT(IKXStartupInfo, GetStartupValuesA, 13);
  EXPECT_SLOT(IKXStartupInfo, GetStartupValuesB, 14);
  EXPECT_SLOT(IKXStartupInfo, GetStartupRecord, 15);
  EXPECT_SLOT(IKXHeldService24, StartupCall, 22);
  EXPECT_SLOT(IKXHeldService25, StartupCall, 104);
}

TEST(InterfaceSlots, Scene) {
  EXPECT_SLOT(IKXScene, GetInstanceCount, 34);
  EXPECT_SLOT(IKXScene, GetInstance, 35);
  EXPECT_SLOT(IKXTreeElement, GetName, 7);
  EXPECT_SLOT(IKXTreeElement, GetReferencePoint, 20);
  EXPECT_SLOT(IKXTreeElement, GetTransform, 81);
  EXPECT_SLOT(IKXInstance, GetObject, 3);
  EXPECT_SLOT(IKXInstance, GetMaterialSet, 6);
  EXPECT_SLOT(IKXInstance, GetMeshHolder, 27);
  EXPECT_SLOT(IKXMeshSource, GetMesh, 4);
  EXPECT_SLOT(IKXPolygonGroupList, GetGroupCount, 3);
  EXPECT_SLOT(IKXPolygonGroupList, GetGroup, 6);
  EXPECT_SLOT(IKXPolygonGroup, GetPolygonCount, 10);
  EXPECT_SLOT(IKXPolygonGroup, GetPolygon, 11);
  EXPECT_SLOT(IKXPolygon, GetVertexCount, 3);
  EXPECT_SLOT(IKXPolygon, GetVertex, 4);
  EXPECT_SLOT(IKXPolygon, GetNormal, 16);
  EXPECT_SLOT(IKXPolygon, GetDomain, 29);
  EXPECT_SLOT(IKXVertex, GetPoint, 3);
  EXPECT_SLOT(IKXMaterialSet, GetDefaultName, 4);
  EXPECT_SLOT(IKXMaterialSet, GetDomainMap, 6);
  EXPECT_SLOT(IKXDomainMap, GetDomainMaterial, 17);
  EXPECT_SLOT(IKXDomainMaterial, KeepsPreviousTexture, 3);
  EXPECT_SLOT(IKXDomainMaterial, GetTexture, 7);
  EXPECT_SLOT(IKXTexture, GetName, 37);
}

TEST(InterfaceSlots, Files) {
  EXPECT_SLOT(IKXFileSpec, SetPath, 4);
  EXPECT_SLOT(IKXFileSpec, SetAccessMode, 6);
  EXPECT_SLOT(IKXFileStream, SetSpec, 5);
  EXPECT_SLOT(IKXFileStream, Exists, 7);
  EXPECT_SLOT(IKXFileStream, GetInfo, 11);
  EXPECT_SLOT(IKXFileStream, GetLength, 13);
  EXPECT_SLOT(IKXFileStream, GetPosition, 15);
  EXPECT_SLOT(IKXFileStream, GetAccessFlags, 16);
  EXPECT_SLOT(IKXFileStream, Create, 18);
  EXPECT_SLOT(IKXFileStream, Open, 21);
  EXPECT_SLOT(IKXFileStream, Close, 22);
  EXPECT_SLOT(IKXFileStream, Read, 27);
  EXPECT_SLOT(IKXFileStream, Write, 28);
  EXPECT_SLOT(IKXFileStream, Seek, 29);
  EXPECT_SLOT(IKXFileStream, SetLength, 30);
  EXPECT_SLOT(IKXFileStream, GetPath, 33);
  EXPECT_SLOT(IKXFileStream, SetInfo, 42);
}
