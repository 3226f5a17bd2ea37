#include "scene3d/graph/proxy_objects.h"

#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/materials/multitexture_mapping.h"
#include "gfx3d/math/vector_operations.h"
#include "scene3d/graph/behaviours.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/graph/stage.h"
#include "scene3d/render/silhouette.h"

// ---- Proxy -----------------------------------------------------------------

TGLProxyObject::TGLProxyObject(TComponent* owner) : TGLBaseStageObject(owner) {
  SetObjectStyle(ObjectStyle() | osResetStatesAfterRender);
}

TGLProxyObject::~TGLProxyObject() { SetMasterObject(nullptr); }

void TGLProxyObject::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLProxyObject*>(source)) SetMasterObject(other->master_object_);
  TGLBaseStageObject::Assign(source);
}

void TGLProxyObject::SetMasterObject(TGLBaseStageObject* value) {
  if (value == master_object_) return;
  if (master_object_) master_object_->FreeNotifier().Remove(this);
  master_object_ = value;
  if (master_object_) master_object_->FreeNotifier().Add(this);
  StructureChanged();
}

void TGLProxyObject::SetProxyOptions(TGLProxyObjectOptions value) {
  StoreOnChange(proxy_options_, value, [this] { StructureChanged(); });
}

void TGLProxyObject::ObjectFreed(TObject* object) {
  if (object == master_object_) master_object_ = nullptr;
}

void TGLProxyObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (rendering_) return;
  rendering_ = true;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{rendering_};
  if (master_object_ && (proxy_options_ & pooObjects)) {
    const bool saved = rci.proxySubObject;
    rci.proxySubObject = true;
    if (proxy_options_ & pooTransformation) GL().glMultMatrixf(&master_object_->LocalMatrix()[0].x);
    master_object_->DoRender(rci, renderSelf, master_object_->Count() > 0);
    rci.proxySubObject = saved;
  }
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
  if (master_object_ && master_object_->HasEffects() && (proxy_options_ & pooEffects) && Scene() &&
      Scene()->CurrentBuffer())
    master_object_->Effects().RenderPostEffects(*Scene()->CurrentBuffer(), rci);
  ClearStructureChanged();
}

TVector4f TGLProxyObject::AxisAlignedDimensionsUnscaled() {
  return master_object_ ? master_object_->AxisAlignedDimensionsUnscaled()
                        : TGLBaseStageObject::AxisAlignedDimensionsUnscaled();
}

std::unique_ptr<TGLSilhouette> TGLProxyObject::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  return master_object_ ? master_object_->GenerateSilhouette(parameters) : nullptr;
}

bool TGLProxyObject::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                      TVector4f* intersectNormal) {
  if (!master_object_) return false;
  TVector4f start = rayStart, end = VectorAdd(rayStart, rayVector);
  start.w = end.w = 1;
  const TVector4f local_start = master_object_->LocalToAbsolute(AbsoluteToLocal(start));
  const TVector4f local_end = master_object_->LocalToAbsolute(AbsoluteToLocal(end));
  TVector4f direction = VectorSubtract(local_end, local_start);
  direction.w = 0;
  NormalizeVector(direction);
  TVector4f point, normal;
  if (!master_object_->RayCastIntersect(local_start, direction, &point, &normal)) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute(master_object_->AbsoluteToLocal(point));
  if (intersectNormal) {
    normal.w = 0;
    *intersectNormal = LocalToAbsolute(master_object_->AbsoluteToLocal(normal));
  }
  return true;
}

// ---- Direct OpenGL ---------------------------------------------------------

TGLDirectOpenGL::TGLDirectOpenGL(TComponent* owner) : TGLImmaterialStageObject(owner) {
  SetObjectStyle(ObjectStyle() | osDirectDraw | osResetStatesAfterRender);
}

void TGLDirectOpenGL::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLDirectOpenGL*>(source)) {
    SetUseBuildList(other->use_build_list_);
    OnRender = other->OnRender;
    OnProgress = other->OnProgress;
    SetBlend(other->blend_);
  }
  TGLImmaterialStageObject::Assign(source);
}

void TGLDirectOpenGL::SetUseBuildList(bool value) {
  if (value == use_build_list_) return;
  use_build_list_ = value;
  if (value)
    SetObjectStyle(ObjectStyle() & static_cast<TGLObjectStyle>(~osDirectDraw));
  else
    SetObjectStyle(ObjectStyle() | osDirectDraw);
}

void TGLDirectOpenGL::SetBlend(bool value) {
  StoreOnChange(blend_, value, [this] { StructureChanged(); });
}

void TGLDirectOpenGL::BuildList(TRenderContextInfo& rci) {
  if (!OnRender) return;
  XGLMapTexCoordToMain();
  OnRender(this, rci);
}

// ---- Render point ----------------------------------------------------------

TGLRenderPoint::TGLRenderPoint(TComponent* owner) : TGLImmaterialStageObject(owner) {
  SetObjectStyle(ObjectStyle() | osDirectDraw | osResetStatesAfterRender);
}

TGLRenderPoint::~TGLRenderPoint() { Clear(); }

void TGLRenderPoint::Add(TRenderCallback render, TReleaseCallback release) {
  render_callbacks_.push_back(std::move(render));
  release_callbacks_.push_back(std::move(release));
}

void TGLRenderPoint::Clear() {
  while (!render_callbacks_.empty()) {
    if (release_callbacks_.back()) release_callbacks_.back()(this);
    render_callbacks_.pop_back();
    release_callbacks_.pop_back();
  }
}

void TGLRenderPoint::BuildList(TRenderContextInfo& rci) {
  for (const TRenderCallback& render : render_callbacks_)
    if (render) render(this, rci);
}
