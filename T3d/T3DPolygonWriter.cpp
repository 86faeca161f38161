#include "T3d/T3DPolygonWriter.h"

#include "KXCountedPtr.h"
#include "KXException.h"
#include "KXGeometry.h"
#include "KXIdentifiers.h"
#include "KXSceneInterfaces.h"
#include "KXString.h"
#include "T3d/T3DGeometry.h"
#include "T3d/T3DInstanceFilter.h"
#include "T3d/T3DMapWriter.h"

namespace {

// A name as a header line takes it from a host string, whole: its bytes up to the first NUL.
struct NameView {
  const char* text = "";
  std::uint32_t length = 0;
};

NameView ViewOf(const TKXString& name) {
  const char* text = name.Buffer();
  std::uint32_t length = 0;
  while (length < name.ByteLength() && text[length] != '\0') ++length;
  return {text, length};
}

// Picks each polygon's texture name from its shading domain's material.
class TextureNamer {
 public:
  TextureNamer(IKXDomainMap* map, const TKXString1023& defaultName)
      : map_(map), defaultName_(ViewOf(defaultName)) {}

  // A domain without a material takes the default name; a material that keeps the previous
  // texture leaves the name as the last polygon had it (empty before any was set): the texture
  // string is filled again only with the next texture's name.
  NameView NameFor(std::int32_t domain) {
    const std::int32_t zero = 0;
    // The references are reused from polygon to polygon; give the old one back first so a host
    // that does not empty the slot itself loses nothing.
    material_.Reset();
    map_->GetDomainMaterial(&domain, &zero, material_.AsOutParam());
    if (!material_) {
      current_ = defaultName_;
    } else if (!material_->KeepsPreviousTexture()) {
      texture_.Reset();
      material_->GetTexture(texture_.AsOutParam(), &counter_);
      if (!texture_) {
        current_ = defaultName_;
      } else {
        texture_->GetName(&textureName_);
        current_ = ViewOf(textureName_);
      }
    }
    return current_;
  }

 private:
  IKXDomainMap* map_;
  const NameView defaultName_;
  TKXCountedPtr<IKXDomainMaterial> material_;
  TKXCountedPtr<IKXTexture> texture_;
  TKXString1023 textureName_;
  NameView current_;
  std::int32_t counter_ = 0;
};

// What one instance's polygons need besides the polygons themselves.
struct PolygonContext {
  T3DMapWriter& writer;
  NameView item;
  const TKXTransform& transform;
  TextureNamer& textures;
};

// Writes the vertices last first, with the origin and normal before the first one written.
void WriteVertices(const PolygonContext& context, IKXPolygon* polygon, std::int32_t count) {
  // A count of 0 or less has no vertices; count - 1 would overflow at the lowest count.
  if (count <= 0) return;
  bool originWritten = false;
  for (std::int32_t v = count - 1; v >= 0; --v) {
    IKXVertex* vertex = polygon->GetVertex(v);
    if (!vertex) continue;
    TKXVector3 point{0, 0, 0};
    vertex->GetPoint(&point);
    TKXVector3 world{0, 0, 0};
    TransformPoint(context.transform, point, world);
    const std::int32_t x = RoundToWhole(world.x);
    const std::int32_t y = RoundToWhole(world.y);
    const std::int32_t z = RoundToWhole(world.z);
    if (originWritten) {
      context.writer.VertexLine(x, y, z);
      continue;
    }
    context.writer.OriginLine(x, y, z);
    TKXVector3 normal{0, 0, 0};
    polygon->GetNormal(&normal, 0);
    context.writer.NormalLine(normal.x, -normal.y, normal.z);
    context.writer.VertexLineAtOrigin();
    originWritten = true;
  }
}

void WritePolygon(const PolygonContext& context, IKXPolygon* polygon, std::int32_t link) {
  const std::int32_t vertexCount = polygon->GetVertexCount();
  const std::int32_t domain = polygon->GetDomain();
  const NameView texture = context.textures.NameFor(domain);
  T3DMapWriter& writer = context.writer;
  writer.PolygonHeader(context.item.text, context.item.length, texture.text, texture.length,
                       link);
  WriteVertices(context, polygon, vertexCount);
  writer.PolygonEnd();
}

void WriteGroups(const PolygonContext& context, IKXPolygonGroupList* groups) {
  for (std::int32_t g = 0; g < groups->GetGroupCount(); ++g) {
    TKXCountedPtr<IKXPolygonGroup> group;
    groups->GetGroup(group.AsOutParam(), g);
    if (!group) continue;
    for (std::int32_t j = 0; j < group->GetPolygonCount(); ++j) {
      IKXPolygon* polygon = group->GetPolygon(j);
      if (polygon) WritePolygon(context, polygon, j);
    }
  }
}

// Writes the polygon groups of the source's mesh; nothing when the host withholds a part of the
// way to them. Throws when the source gives no mesh at all.
void WriteMesh(const PolygonContext& context, IKXMeshSource* source) {
  TKXCountedPtr<IKXUnknown> mesh;
  source->GetMesh(mesh.AsOutParam());
  if (!mesh) throw TKXException(kKXErrMissingObject, kKXRaisedMissingMesh);
  TKXCountedPtr<IKXUnknown> meshPart;
  mesh->QueryInterface(kKXIIDMesh, meshPart.AsQuerySlot());
  if (!meshPart) return;
  TKXCountedPtr<IKXPolygonGroupList> groups;
  meshPart->QueryInterface(kKXIIDPolygonGroupList, groups.AsQuerySlot());
  if (!groups) return;
  WriteGroups(context, groups.Get());
}

}  // namespace

void WritePolygons(T3DMapWriter& writer, IKXInstance* instance) {
  if (!IsExportableInstance(instance)) return;

  TKXCountedPtr<IKXTreeElement> element;
  instance->QueryInterface(kKXIIDTreeElement, element.AsQuerySlot());
  if (!element) return;
  TKXString1023 itemName;
  element->GetName(&itemName);
  TKXTransform transform;
  element->GetTransform(&transform);

  TKXCountedPtr<IKXUnknown> holder;
  instance->GetMeshHolder(holder.AsOutParam());
  if (!holder) return;
  TKXCountedPtr<IKXUnknown> holderPrimitive;
  holder->QueryInterface(kKXIIDPrimitive, holderPrimitive.AsQuerySlot());
  TKXCountedPtr<IKXMeshSource> source;
  holder->QueryInterface(kKXIIDMeshSource, source.AsQuerySlot());
  if (!source) return;

  TKXCountedPtr<IKXMaterialSet> materials;
  instance->GetMaterialSet(materials.AsOutParam());
  if (!materials) return;
  TKXCountedPtr<IKXDomainMap> domains;
  materials->GetDomainMap(domains.AsOutParam());
  if (!domains) return;
  TKXString1023 defaultName;
  materials->GetDefaultName(&defaultName);

  TextureNamer textures(domains.Get(), defaultName);
  WriteMesh(PolygonContext{writer, ViewOf(itemName), transform, textures}, source.Get());
}
