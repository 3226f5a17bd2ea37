#include "scene3d/graph/batched_group.h"

#include <algorithm>
#include <typeinfo>

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "gfx3d/math/intersections.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/meshes/base_mesh.h"

namespace {

// What draws alike batched or part by part: untextured opaque materials,
// triangle lists with a normal per corner, grouping nodes that draw nothing.
bool IsPlainMaterial(const TGLMaterial& material) {
  return !material.HasTexture() && !material.HasTextureEx() && !material.LibMaterial() && !material.Blended();
}

bool IsPlainForm(TGLFreeForm& form) {
  if (form.HasMaterial() && !IsPlainMaterial(form.Material())) return false;
  if (form.MaterialLibrary() || form.LightmapLibrary() || form.NormalsOrientation() != mnoDefault) return false;
  const TMeshObjectList& meshes = form.MeshObjects();
  for (int i = 0; i < meshes.Count(); ++i) {
    const TMeshObject& mesh = meshes.Item(i);
    if (!mesh.Visible || mesh.Mode != moTriangles || mesh.Colors().Count() != 0 ||
        mesh.Normals().Count() != mesh.Vertices().Count())
      return false;
  }
  return form.Count() == 0;
}

bool IsPlainCube(TGLDummyCube& cube) {
  return !cube.VisibleAtRunTime() && !cube.OnVisibilityDetermination && cube.CamInvarianceMode() == cimNone;
}

// Only exact classes: a subclass may draw more than its meshes.
bool IsStatic(TGLBaseStageObject& node) {
  if (!node.Visible() || node.HasEffects() || node.HasBehaviours() || node.ShowAxes() ||
      (node.ObjectStyle() & osIgnoreDepthBuffer))
    return false;
  if (typeid(node) == typeid(TGLFreeForm)) return IsPlainForm(static_cast<TGLFreeForm&>(node));
  if (typeid(node) != typeid(TGLDummyCube) || !IsPlainCube(static_cast<TGLDummyCube&>(node))) return false;
  for (int i = 0; i < node.Count(); ++i)
    if (!IsStatic(*node.Children(i))) return false;
  return true;
}

// From client arrays, no display list: replaying a list of this size costs
// llvmpipe as much as the arrays, and compiling it would add to every rebuild.
// Inside an enclosing list's compilation the triangles go into that list.
void EmitTriangles(const TMeshBatch& batch) {
  auto& gl = GL();
  gl.glVertexPointer(3, GL_FLOAT, 0, batch.vertices.data());
  gl.glNormalPointer(GL_FLOAT, 0, batch.normals.data());
  gl.glEnableClientState(GL_VERTEX_ARRAY);
  gl.glEnableClientState(GL_NORMAL_ARRAY);
  gl.glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT, batch.indices.data());
  gl.glDisableClientState(GL_NORMAL_ARRAY);
  gl.glDisableClientState(GL_VERTEX_ARRAY);
}

float LargestAxisScale(const TMatrix4f& m) {
  float largest = 0;
  for (int axis = 0; axis < 3; ++axis)
    largest = std::max(largest, AffineVectorLength({m[axis].x, m[axis].y, m[axis].z}));
  return largest;
}

}  // namespace

TGLBatchedGroup::TGLBatchedGroup(TComponent* owner) : TGLDummyCube(owner) {}

TGLBatchedGroup::~TGLBatchedGroup() = default;

// A form that never had a material of its own draws with a default one, which it would make only then.
void TGLBatchedGroup::Gather(TGLBaseStageObject& node, const TMatrix4f& parentToGroup, const TAffineVector& at) {
  const TMatrix4f toGroup = MatrixMultiply(node.LocalMatrix(), parentToGroup);
  if (auto* form = dynamic_cast<TGLFreeForm*>(&node)) {
    TGLMaterial& look = form->HasMaterial() ? form->Material() : default_look_;
    const TMeshObjectList& meshes = form->MeshObjects();
    for (int i = 0; i < meshes.Count(); ++i) batches_.Add(meshes.Item(i), toGroup, look, at);
  }
  for (int i = 0; i < node.Count(); ++i) Gather(*node.Children(i), toGroup, at);
}

void TGLBatchedGroup::Bake(float chunkSize) {
  DropBatches();
  batches_ = TMeshBatches(chunkSize);
  for (int i = 0; i < Count(); ++i) {
    TGLBaseStageObject& child = *Children(i);
    const bool batched = IsStatic(child);
    baked_children_.push_back(&child);
    batched_.push_back(batched);
    if (!batched) continue;
    const TVector4f& at = child.LocalMatrix()[3];
    Gather(child, IdentityMatrix, {at.x, at.y, at.z});
  }
}

bool TGLBatchedGroup::Baked() const {
  if (baked_children_.empty() || baked_children_.size() != static_cast<std::size_t>(Count())) return false;
  for (int i = 0; i < Count(); ++i)
    if (baked_children_[static_cast<std::size_t>(i)] != Children(i)) return false;
  return true;
}

void TGLBatchedGroup::SetBatching(bool value) {
  if (value == batching_) return;
  batching_ = value;
  NotifyChange(this);
}

bool TGLBatchedGroup::ChildIsBatched(int index) const { return Baked() && batched_[static_cast<std::size_t>(index)]; }

void TGLBatchedGroup::DropBatches() {
  batches_.Clear();
  baked_children_.clear();
  batched_.clear();
}

void TGLBatchedGroup::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  const bool batched = batching_ && rci.drawState != dsPicking && Baked() && !Amalgamate() && IsPlainCube(*this);
  drawn_batches_ = 0;
  if (!batched) {
    TGLDummyCube::DoRender(rci, renderSelf, renderChildren);
    return;
  }
  if (renderSelf) DrawSelf(rci);
  if (!renderChildren) return;
  DrawBatches(rci);
  for (int i = 0; i < Count(); ++i)
    if (!batched_[static_cast<std::size_t>(i)]) RenderChildren(i, i, rci);
}

std::vector<bool> TGLBatchedGroup::VisibleChunks(const TRenderContextInfo& rci) {
  const std::vector<TBatchChunk>& chunks = batches_.Chunks();
  const TGLVisibilityCulling culling = VisibilityCulling() != vcInherited ? VisibilityCulling() : rci.visibilityCulling;
  if (culling != vcObjectBased && culling != vcHierarchical) return std::vector<bool>(chunks.size(), true);
  const TMatrix4f& absolute = AbsoluteMatrix();
  const float scale = LargestAxisScale(absolute);
  std::vector<bool> visible;
  visible.reserve(chunks.size());
  for (const TBatchChunk& chunk : chunks)
    visible.push_back(!IsSphereOutsideFrustumAffine(AffineVectorTransform(chunk.Centre(), absolute), rci.rcci,
                                                    chunk.Radius() * scale));
  return visible;
}

void TGLBatchedGroup::DrawBatches(TRenderContextInfo& rci) {
  const std::vector<bool> visible = VisibleChunks(rci);
  const auto& looks = batches_.Looks();
  for (std::size_t look = 0; look < looks.size(); ++look) {
    if (rci.ignoreMaterials) {
      DrawLook(static_cast<int>(look), visible);
      continue;
    }
    TGLMaterial& material = *looks[look];
    material.Apply(rci);
    do {
      DrawLook(static_cast<int>(look), visible);
    } while (material.UnApply(rci));
  }
  // What follows finds the states as drawing part by part leaves them.
  if (!looks.empty()) rci.GLStates->ResetAll();
}

void TGLBatchedGroup::DrawLook(int look, const std::vector<bool>& visible) {
  const std::vector<TMeshBatch>& batches = batches_.Batches();
  for (std::size_t i = 0; i < batches.size(); ++i)
    if (batches[i].look == look && visible[static_cast<std::size_t>(batches[i].chunk)]) DrawBatch(i);
}

void TGLBatchedGroup::DrawBatch(std::size_t index) {
  ++drawn_batches_;
  EmitTriangles(batches_.Batches()[index]);
}
