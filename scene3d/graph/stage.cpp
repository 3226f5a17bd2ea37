#include "scene3d/graph/stage.h"

#include <algorithm>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_geometry.h"
#include "scene3d/graph/behaviours.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/light_source.h"
#include "scene3d/render/stage_buffer.h"

namespace {

constexpr const char* kUnit = "SceneGraph";

template <typename Visit>
void ForEachInSubtree(TGLBaseStageObject* object, const Visit& visit) {
  visit(object);
  for (int i = 0; i < object->Count(); ++i) ForEachInSubtree(object->Children(i), visit);
}

TVector4f LightVector(const TGLCoordinates& coordinates, float w) {
  TVector4f v = coordinates.AsVector();
  v.w = w;
  return v;
}

}  // namespace

TGLStageRootObject::TGLStageRootObject(TGLStage* scene) : TGLBaseStageObject(scene) {
  Assert(scene != nullptr, kUnit, __LINE__, "A scene root belongs to a scene");
  SetObjectStyle(osDirectDraw);
  MarkAsRoot();
  SetScene(scene);
}

TGLStage::TGLStage(TComponent* owner)
    : TGLUpdateAbleComponent(owner),
      objects_(std::make_unique<TGLStageRootObject>(this)),
      cameras_(std::make_unique<TGLStageRootObject>(this)) {
  objects_->SetName("ObjectRoot");
  cameras_->SetName("CameraRoot");
}

TGLStage::~TGLStage() {
  destroying_ = true;
  objects_->DestroyHandles();
  cameras_->DestroyHandles();
  // Cameras go first: buffers and targets drop their references as they go.
  cameras_.reset();
  objects_.reset();
}

void TGLStage::EndUpdate() {
  Assert(update_count_ >= 1, kUnit, __LINE__, glsUnbalancedBeginEndUpdate);
  if (--update_count_ == 0) NotifyChange(this);
}

void TGLStage::NotifyChange(TObject*) {
  if (IsUpdating()) return;
  for (TGLStageBuffer* buffer : buffers_) buffer->NotifyChange(this);
}

void TGLStage::SetObjectsSorting(TGLObjectsSorting value) {
  if (value == osInherited) value = osRenderBlendedLast;
  if (value == objects_sorting_) return;
  objects_sorting_ = value;
  NotifyChange(this);
}

void TGLStage::SetVisibilityCulling(TGLVisibilityCulling value) {
  if (value == vcInherited) value = vcNone;
  if (value == visibility_culling_) return;
  visibility_culling_ = value;
  NotifyChange(this);
}

void TGLStage::AddLights(TGLBaseStageObject* subtree) {
  ForEachInSubtree(subtree, [this](TGLBaseStageObject* object) {
    TGLLightSource* light = object->AsLightSource();
    if (!light || std::find(lights_.begin(), lights_.end(), light) != lights_.end()) return;
    const auto free_slot = std::find(lights_.begin(), lights_.end(), nullptr);
    if (free_slot == lights_.end()) return;
    *free_slot = light;
    light->SetLightID(GL_LIGHT0 + static_cast<GLenum>(free_slot - lights_.begin()));
  });
}

void TGLStage::RemoveLights(TGLBaseStageObject* subtree) {
  ForEachInSubtree(subtree, [this](TGLBaseStageObject* object) {
    if (TGLLightSource* light = object->AsLightSource()) std::replace(lights_.begin(), lights_.end(), light, {});
  });
}

void TGLStage::SetupLights(int maxLights) {
  auto& gl = GL();
  const int used_slots = std::min(kLightSlots, maxLights);
  gl.glPushMatrix();
  for (int i = 0; i < used_slots; ++i) {
    TGLLightSource* light = lights_[static_cast<std::size_t>(i)];
    if (!light) {
      gl.glDisable(GL_LIGHT0 + static_cast<GLenum>(i));
      continue;
    }
    const GLenum id = light->LightID();
    if (!light->Shining()) {
      gl.glDisable(id);
      continue;
    }
    gl.glEnable(id);
    gl.glPopMatrix();
    gl.glPushMatrix();
    light->LocalMatrix();
    if (light->LightStyle() == lsParallel) {
      gl.glMultMatrixf(&light->AbsoluteMatrix()[0].x);
      const TVector4f direction = LightVector(light->SpotDirection(), 0);
      gl.glLightfv(id, GL_POSITION, &direction.x);
    } else {
      const TMatrix4f& parent = light->Parent() ? light->Parent()->AbsoluteMatrix() : IdentityMatrix;
      gl.glMultMatrixf(&parent[0].x);
      const TVector4f position = LightVector(light->Position(), 1);
      gl.glLightfv(id, GL_POSITION, &position.x);
    }
    gl.glLightfv(id, GL_AMBIENT, light->Ambient().AsAddress());
    gl.glLightfv(id, GL_DIFFUSE, light->Diffuse().AsAddress());
    gl.glLightfv(id, GL_SPECULAR, light->Specular().AsAddress());
    if (light->LightStyle() == lsSpot) {
      if (light->SpotCutOff() != 180) {
        const TVector4f direction = LightVector(light->SpotDirection(), 0);
        gl.glLightfv(id, GL_SPOT_DIRECTION, &direction.x);
        gl.glLightf(id, GL_SPOT_EXPONENT, light->SpotExponent());
      }
      gl.glLightf(id, GL_SPOT_CUTOFF, light->SpotCutOff());
    } else {
      gl.glLightf(id, GL_SPOT_CUTOFF, 180);
    }
    gl.glLightf(id, GL_CONSTANT_ATTENUATION, light->ConstAttenuation());
    gl.glLightf(id, GL_LINEAR_ATTENUATION, light->LinearAttenuation());
    gl.glLightf(id, GL_QUADRATIC_ATTENUATION, light->QuadraticAttenuation());
  }
  gl.glPopMatrix();
  for (int i = used_slots; i < maxLights; ++i) gl.glDisable(GL_LIGHT0 + static_cast<GLenum>(i));
}

void TGLStage::AddBuffer(TGLStageBuffer* buffer) {
  if (std::find(buffers_.begin(), buffers_.end(), buffer) != buffers_.end()) return;
  buffers_.push_back(buffer);
  if (!base_context_)
    base_context_ = buffer->RenderingContext();
  else if (buffer->RenderingContext())
    buffer->RenderingContext()->ShareLists(*base_context_);
}

void TGLStage::RemoveBuffer(TGLStageBuffer* buffer) {
  const auto found = std::find(buffers_.begin(), buffers_.end(), buffer);
  if (found == buffers_.end()) return;
  buffers_.erase(found);
  if (current_buffer_ == buffer) current_buffer_ = nullptr;
  base_context_ = buffers_.empty() ? nullptr : buffers_.front()->RenderingContext();
}

void TGLStage::RenderScene(TGLStageBuffer& buffer, int width, int height, TDrawState drawState,
                           TGLBaseStageObject* baseObject) {
  object_being_rendered_ = nullptr;
  buffer.AfterRenderEffects().clear();
  current_buffer_ = &buffer;

  TRenderContextInfo rci;
  rci.scene = this;
  rci.buffer = &buffer;
  rci.objectsSorting = objects_sorting_;
  rci.visibilityCulling = visibility_culling_;
  rci.bufferFaceCull = buffer.FaceCulling();
  rci.drawState = drawState;
  rci.sceneAmbientColor = buffer.AmbientColor().Color();
  rci.cameraPosition = buffer.CameraAbsolutePosition();
  TGLCamera* camera = buffer.Camera();
  rci.cameraDirection = VectorNormalize(camera->LastDirection());
  rci.cameraDirection.w = 0;
  const TVector4f right = VectorCrossProduct(rci.cameraDirection, camera->Up().AsVector());
  rci.cameraUp = VectorNormalize(VectorCrossProduct(right, rci.cameraDirection));
  rci.cameraUp.w = 0;
  rci.rcci.origin = rci.cameraPosition;
  rci.rcci.clippingDirection = rci.cameraDirection;
  rci.rcci.viewPortRadius = camera->ViewPortRadius();
  rci.rcci.farClippingDistance = camera->NearestPlane() + camera->DepthOfView();
  FrustumFromMatrix(MatrixMultiply(buffer.ModelViewMatrix(), buffer.ProjectionMatrix()), rci.rcci.frustum);
  rci.viewPortSize = {width, height};
  rci.renderDPI = 96;
  rci.modelViewMatrix = &buffer.ModelViewMatrix();
  rci.GLStates = &buffer.GLStates();

  rci.GLStates->ResetAll();
  rci.ignoreMaterials = (buffer.ContextOptions() & roNoColorBuffer) || drawState == dsPicking;
  const GLboolean mask = rci.ignoreMaterials ? GL_FALSE : GL_TRUE;
  GL().glColorMask(mask, mask, mask, mask);
  if (buffer.InitiateRendering) buffer.InitiateRendering(&buffer, rci);
  if (baseObject)
    baseObject->Render(rci);
  else
    objects_->Render(rci);
  GL().glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  for (TObject* effect : buffer.AfterRenderEffects()) static_cast<TGLObjectEffect*>(effect)->Render(buffer, rci);
  if (buffer.WrapUpRendering) buffer.WrapUpRendering(&buffer, rci);
  rci.GLStates->Disable(stBlend);
  rci.GLStates->Disable(stTexture2D);
  rci.GLStates->Disable(stTextureRect);
  rci.GLStates->Enable(stAlphaTest);
  GL().glAlphaFunc(GL_GREATER, 0);
}

TGLBaseStageObject* TGLStage::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* point,
                                               TVector4f* normal) {
  float best_distance = 1e20f;
  TGLBaseStageObject* best = nullptr;
  const std::function<void(TGLBaseStageObject*)> walk = [&](TGLBaseStageObject* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
      TGLBaseStageObject* object = parent->Children(i);
      if (!object->Visible()) continue;
      TVector4f hit, hit_normal;
      if (object->RayCastIntersect(rayStart, rayVector, &hit, &hit_normal)) {
        const float distance = VectorDistanceSquared(rayStart, hit);
        if (distance < best_distance) {
          best_distance = distance;
          best = object;
          if (point) *point = hit;
          if (normal) *normal = hit_normal;
        }
      }
      walk(object);
    }
  };
  walk(objects_.get());
  return best;
}

void TGLStage::DoProgress(double deltaTime, double newTime) {
  objects_->DoProgress(deltaTime, newTime);
  cameras_->DoProgress(deltaTime, newTime);
  if (OnProgress) OnProgress(this, deltaTime, newTime);
}
