// The odd answers that one instance of a host scene can be switched to give.
#pragma once

#include <bitset>
#include <cstddef>

/// Host answers that can be made null. Each applies to one instance and everything under it.
enum class THostNull {
  Instance,          // the scene's GetInstance for this instance
  Object,            // GetObject
  MeshHolder,        // GetMeshHolder
  MaterialSet,       // GetMaterialSet
  DomainMap,         // the material set's GetDomainMap
  Group,             // every GetGroup
  Polygon,           // every GetPolygon
  Vertex,            // every GetVertex
  Texture,           // every GetTexture
  TreeElementQuery,  // QueryInterface(kKXIIDTreeElement) of the instance
  InstanceQuery,     // QueryInterface(kKXIIDInstance) of the instance's tree element
  MeshQuery,         // QueryInterface(kKXIIDMesh) of the mesh
  GroupListQuery,    // QueryInterface(kKXIIDPolygonGroupList) of the mesh
  kCount
};

/// The switches of one instance; all off by default.
struct THostSwitches {
  bool excludedKindA = false;  // the instance answers kKXIIDExcludedKindA
  bool excludedKindB = false;  // the instance answers kKXIIDExcludedKindB
  bool nonPrimitive = false;   // the object does not answer kKXIIDPrimitive
  bool noMeshSource = false;   // the mesh holder does not answer kKXIIDMeshSource
  bool noMesh = false;         // GetMesh answers null
  std::bitset<static_cast<std::size_t>(THostNull::kCount)> nulls;

  bool IsNull(THostNull which) const { return nulls.test(static_cast<std::size_t>(which)); }
  void SetNull(THostNull which, bool on) { nulls.set(static_cast<std::size_t>(which), on); }
};
