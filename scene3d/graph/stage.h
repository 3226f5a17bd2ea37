// The scene: two roots (objects and cameras), the registry of the eight GL
// light slots, and the buffers that show it. Its render walks the objects
// root with a render context filled from the buffer's camera.
#pragma once

#include <array>
#include <vector>

#include "scene3d/graph/stage_object.h"

class TGLStageBuffer;
class TGLCamera;
class TGLLightSource;

// A root counts as the identity in absolute matrices and draws only its children.
class TGLStageRootObject : public TGLBaseStageObject {
 public:
  explicit TGLStageRootObject(TGLStage* scene);
  std::string ClassName() const override { return "TGLStageRootObject"; }
};

class TGLStage : public TGLUpdateAbleComponent {
 public:
  static constexpr int kLightSlots = 8;

  explicit TGLStage(TComponent* owner);
  ~TGLStage() override;
  TGLStage(const TGLStage&) = delete;
  TGLStage& operator=(const TGLStage&) = delete;
  std::string ClassName() const override { return "TGLStage"; }

  TGLStageRootObject& Objects() const { return *objects_; }
  TGLStageRootObject& Cameras() const { return *cameras_; }

  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  // Also while the scene is read from a stream or destroyed: its buffers hear of neither.
  bool IsUpdating() const { return update_count_ != 0 || IsLoading() || destroying_; }
  void NotifyChange(TObject* sender) override;

  TGLObjectsSorting ObjectsSorting() const { return objects_sorting_; }
  void SetObjectsSorting(TGLObjectsSorting value);
  TGLVisibilityCulling VisibilityCulling() const { return visibility_culling_; }
  void SetVisibilityCulling(TGLVisibilityCulling value);
  TGLProgressEvent OnProgress;

  // Light slots: GL_LIGHT0 + slot for the first eight lights; later ones get none.
  void AddLights(TGLBaseStageObject* subtree);
  void RemoveLights(TGLBaseStageObject* subtree);
  TGLLightSource* Light(int slot) const { return lights_[static_cast<std::size_t>(slot)]; }
  void SetupLights(int maxLights);

  // Idempotent: every frame of a buffer calls it.
  void AddBuffer(TGLStageBuffer* buffer);
  void RemoveBuffer(TGLStageBuffer* buffer);
  int BufferCount() const { return static_cast<int>(buffers_.size()); }
  TGLContext* BaseContext() const { return base_context_; }
  TGLStageBuffer* CurrentBuffer() const { return current_buffer_; }
  TGLCamera* CurrentCamera() const { return current_camera_; }
  void SetCurrentCamera(TGLCamera* camera) { current_camera_ = camera; }
  TGLBaseStageObject* ObjectBeingRendered() const { return object_being_rendered_; }
  void SetObjectBeingRendered(TGLBaseStageObject* object) { object_being_rendered_ = object; }

  void RenderScene(TGLStageBuffer& buffer, int width, int height, TDrawState drawState, TGLBaseStageObject* baseObject);
  // The visible object hit nearest to the ray start, or null.
  TGLBaseStageObject* RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* point,
                                       TVector4f* normal);
  void DoProgress(double deltaTime, double newTime) override;

 private:
  int update_count_ = 0;
  bool destroying_ = false;
  std::unique_ptr<TGLStageRootObject> objects_;
  std::unique_ptr<TGLStageRootObject> cameras_;
  TGLContext* base_context_ = nullptr;
  std::array<TGLLightSource*, kLightSlots> lights_{};
  std::vector<TGLStageBuffer*> buffers_;
  TGLCamera* current_camera_ = nullptr;
  TGLStageBuffer* current_buffer_ = nullptr;
  TGLObjectsSorting objects_sorting_ = osRenderBlendedLast;
  TGLVisibilityCulling visibility_culling_ = vcNone;
  TGLBaseStageObject* object_being_rendered_ = nullptr;
};
