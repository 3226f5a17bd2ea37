#include "scene3d/meshes/vertex_array_mesh.h"

#include <cstring>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/gl/gl_context.h"
#include "gfx3d/gl/gl_state_cache.h"
#include "scene3d/graph/change_setters.h"

namespace {

constexpr const char* kUnit = "GLMesh";
constexpr GLsizei kStride = sizeof(TVertexData);
constexpr GLenum kVertexArrayRange = 0x851D;  // GL_VERTEX_ARRAY_RANGE_NV
const GLenum kPrimitives[] = {GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_TRIANGLES, GL_QUAD_STRIP, GL_QUADS, GL_POLYGON};

}  // namespace

void TVertexList::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TVertexList*>(source)) {
    SetLocked(false);  // the driver's copy would keep the old records
    records_ = other->records_;
    capacity_ = other->Count();
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

TVertexList::~TVertexList() { SetLocked(false); }

void TVertexList::SetLocked(bool value) {
  if (value == Locked()) return;
  auto& gl = GL();
  if (!value) {
    if (gl.wglFreeMemoryNV) gl.wglFreeMemoryNV(locked_);
    locked_ = nullptr;
    return;
  }
  if (!GLFlags().NV_vertex_array_range || !CurrentGLContext() || !gl.wglAllocateMemoryNV) return;
  const std::size_t bytes = records_.size() * sizeof(TVertexData);
  locked_ = static_cast<TVertexData*>(gl.wglAllocateMemoryNV(static_cast<GLsizei>(bytes), 0, 0, 0.5f));
  if (locked_ && bytes > 0) std::memcpy(static_cast<void*>(locked_), records_.data(), bytes);
}

void TVertexList::EnterLockSection() {
  if (!Locked()) return;
  GL().glVertexArrayRangeNV(static_cast<GLsizei>(records_.size() * sizeof(TVertexData)), locked_);
  GL().glEnable(kVertexArrayRange);
}

void TVertexList::LeaveLockSection() {
  if (!Locked()) return;
  GL().glDisable(kVertexArrayRange);
  GL().glFlushVertexArrayRangeNV();
}

void TVertexList::AddVertex(const TAffineVector& vertex, const TAffineVector& normal, const TVector4f& color,
                            const TTexPoint& texPoint) {
  Assert(!Locked(), kUnit, __LINE__, "Cannot add to a locked list !");
  if (Count() == capacity_) {
    capacity_ += GrowthDelta;
    records_.reserve(static_cast<std::size_t>(capacity_));
  }
  records_.push_back({texPoint, color, normal, vertex});
  NotifyChange(this);
}

TGLMesh::TGLMesh(TComponent* owner) : TGLStageObject(owner) {
  vertices_.BeginUpdate();
  for (const TAffineVector& corner : {TAffineVector{1, 0, 0}, TAffineVector{0, 1, 0}, TAffineVector{0, 0, 1}})
    vertices_.AddVertex(corner, {0, 0, 1}, {0, 0, 0, 0}, {0, 0});
  vertices_.EndUpdate();
  vertices_.OnNotifyChange = [this](TObject*) { StructureChanged(); };
}

void TGLMesh::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLMesh*>(source)) {
    vertices_.Assign(&other->vertices_);
    mode_ = other->mode_;
    vertex_mode_ = other->vertex_mode_;
  }
  TGLStageObject::Assign(source);
}

void TGLMesh::SetMode(TMeshMode value) {
  StoreOnChange(mode_, value, [this] { StructureChanged(); });
}

void TGLMesh::SetVertexMode(TVertexMode value) {
  StoreOnChange(vertex_mode_, value, [this] { StructureChanged(); });
}

void TGLMesh::BuildList(TRenderContextInfo& rci) {
  Assert(vertex_mode_ <= vmVT, kUnit, __LINE__, "Interleaved Array format not supported yet. Sorry.");
  Assert(mode_ <= mmPolygon, kUnit, __LINE__);
  auto& gl = GL();
  const bool lockSection = (ObjectStyle() & osDirectDraw) != 0;
  if (lockSection) vertices_.EnterLockSection();
  const TVertexData* first = vertices_.First();
  gl.glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
  switch (vertex_mode_) {
    case vmV:
      gl.glInterleavedArrays(GL_V3F, kStride, &first->coord);
      break;
    case vmVN:
      gl.glInterleavedArrays(GL_N3F_V3F, kStride, &first->normal);
      break;
    case vmVNC:
      gl.glInterleavedArrays(GL_C4F_N3F_V3F, kStride, &first->color);
      break;
    case vmVNCT:
      gl.glInterleavedArrays(GL_T2F_C4F_N3F_V3F, 0, first);
      break;
    case vmVNT:
    case vmVT:
      // No interleaved format skips the colours: separate arrays over the records.
      gl.glEnableClientState(GL_TEXTURE_COORD_ARRAY);
      gl.glTexCoordPointer(2, GL_FLOAT, kStride, &first->textCoord);
      if (vertex_mode_ == vmVNT) {
        gl.glEnableClientState(GL_NORMAL_ARRAY);
        gl.glNormalPointer(GL_FLOAT, kStride, &first->normal);
      }
      gl.glEnableClientState(GL_VERTEX_ARRAY);
      gl.glVertexPointer(3, GL_FLOAT, kStride, &first->coord);
      break;
  }
  if (vertex_mode_ == vmVNC || vertex_mode_ == vmVNCT) {
    gl.glEnable(GL_COLOR_MATERIAL);
    gl.glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    if (rci.GLStates) rci.GLStates->ResetGLMaterialColors();
  }
  gl.glDrawArrays(kPrimitives[mode_], 0, vertices_.Count());
  // The client arrays are not part of the attribute stack.
  for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY})
    gl.glDisableClientState(array);
  gl.glPopAttrib();
  if (lockSection) vertices_.LeaveLockSection();
}
