// The node of the scene graph: a transform (Position, Direction, Up, Scale)
// from which the local, absolute and inverse absolute matrices are derived
// when read, an ordered list of owned children, change notification towards
// the scene, and the render entry with its display list. The custom object
// adds a material around its drawing; the camera-invariant object can ignore
// the camera's position or orientation.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx3d/core/free_notification.h"
#include "gfx3d/core/scene_enumerations.h"
#include "gfx3d/geometry/coordinates.h"
#include "gfx3d/gl/gl_context.h"
#include "gfx3d/gl/render_context_info.h"
#include "gfx3d/materials/materials.h"
#include "gfx3d/math/bounding_boxes.h"
#include "gfx3d/math/vector_types.h"
#include "scene3d/render/silhouette.h"

class TGLStage;
class TGLLightSource;
class TGLBehaviours;
class TGLObjectEffects;

enum TGLObjectStyleFlag : std::uint8_t {
  osDirectDraw = 1,
  osResetStatesAfterRender = 2,
  osIgnoreDepthBuffer = 4,
  osNoVisibilityCulling = 8,
};
using TGLObjectStyle = std::uint8_t;

enum TGLObjectChange : std::uint8_t {
  chTransformation = 1,
  chAbsoluteMatrix = 2,
  chInverseMatrix = 4,
  chStructure = 8,
};
using TGLObjectChanges = std::uint8_t;

using TGLProgressEvent = std::function<void(TObject* sender, double deltaTime, double newTime)>;

class TGLBaseStageObject : public TGLCoordinatesUpdateAbleComponent {
 public:
  explicit TGLBaseStageObject(TComponent* owner);
  // Deletes child cameras first, leaves the parent, then frees the children.
  ~TGLBaseStageObject() override;
  TGLBaseStageObject(const TGLBaseStageObject&) = delete;
  TGLBaseStageObject& operator=(const TGLBaseStageObject&) = delete;
  std::string ClassName() const override { return "TGLBaseStageObject"; }
  // A new object of this object's own class: a copy makes its children with
  // it, so every class overrides it, whether or not streams can name it.
  virtual std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const {
    return std::make_unique<TGLBaseStageObject>(owner);
  }
  void Assign(const TPersistent* source) override;
  void DefineProperties(TPropertyDefiner& definer) override;
  // After a stream read: a point again, whatever W was stored; then behaviours and effects.
  void Loaded() override;

  // Transform.
  TGLCoordinates& Position() { return position_; }
  const TGLCoordinates& Position() const { return position_; }
  TGLCoordinates& Direction() { return direction_; }
  const TGLCoordinates& Direction() const { return direction_; }
  TGLCoordinates& Up() { return up_; }
  const TGLCoordinates& Up() const { return up_; }
  TGLCoordinates& Scale() { return scale_; }
  const TGLCoordinates& Scale() const { return scale_; }
  TGLCoordinates& Rotation() { return rotation_; }
  const TGLCoordinates& Rotation() const { return rotation_; }
  void SetPosition(const TGLCoordinates& value);
  // A null vector is ignored.
  void SetDirection(const TGLCoordinates& value);
  void SetUp(const TGLCoordinates& value);
  void SetScale(const TGLCoordinates& value);
  float PitchAngle() const { return rotation_.X(); }
  float TurnAngle() const { return rotation_.Y(); }
  float RollAngle() const { return rotation_.Z(); }
  void SetPitchAngle(float value) { SetRotationAngle(0, value, RightVector()); }
  void SetTurnAngle(float value) { SetRotationAngle(1, value, up_.AsVector()); }
  void SetRollAngle(float value) { SetRotationAngle(2, value, direction_.AsVector()); }
  void RotateAboutWorldAxes(float x, float y, float z);
  void SetMatrix(const TMatrix4f& matrix);
  void MoveAroundObject(TGLBaseStageObject* other, float pitchDelta, float turnDelta);

  TMatrix4f Matrix();
  const TMatrix4f& LocalMatrix();
  const TMatrix4f& AbsoluteMatrix();
  const TMatrix4f& InvAbsoluteMatrix();
  // Row 3 of the absolute matrix, for every object.
  TVector4f AbsolutePosition();
  TVector4f AbsoluteDirection();
  TVector4f AbsoluteUp();
  TVector4f AbsoluteToLocal(const TVector4f& v);
  TAffineVector AbsoluteToLocalAffine(const TAffineVector& v);
  TVector4f LocalToAbsolute(const TVector4f& v);
  TVector4f RightVector() const;
  TVector4f LeftVector() const;
  float DistanceToSquared(const TVector4f& point);
  void TransformationChanged();

  // Extents.
  virtual TVector4f AxisAlignedDimensionsUnscaled() { return {0.5f, 0.5f, 0.5f, 0}; }
  TVector4f AxisAlignedDimensions();
  float BoundingSphereRadius();
  float BoundingSphereRadiusUnscaled();
  TAABB BoundingBoxUnscaled();
  TAABB BoundingBox();
  virtual bool PointInObject(const TVector4f& point);
  virtual bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                TVector4f* intersectNormal);
  // The caller owns the result; null when the object has none.
  virtual std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters);

  // Hierarchy. Children are owned; deleting a child takes it out of its parent.
  TGLBaseStageObject* Parent() const { return parent_; }
  TGLStage* Scene() const { return scene_; }
  int Count() const { return static_cast<int>(children_.size()); }
  TGLBaseStageObject* Children(int index) const;
  int Index() const;
  void SetIndex(int index);
  void AddChild(TGLBaseStageObject* child);
  void InsertChild(int index, TGLBaseStageObject* child);
  void RemoveChild(TGLBaseStageObject* child, bool keepChildren);
  void MoveToParent(TGLBaseStageObject* newParent);
  void FreeAllChildren();
  void DeleteChildCameras();
  template <typename Class>
  Class* NewChildOfClass() {
    auto* child = new Class(Owner());
    AddChild(child);
    return child;
  }
  template <typename Class>
  Class* NewFirstChildOfClass() {
    auto* child = new Class(Owner());
    InsertChild(0, child);
    return child;
  }

  // Changes.
  void NotifyChange(TObject* sender) override;
  void CoordinateChanged(TObject* sender) override;
  virtual void StructureChanged();
  void ClearStructureChanged() { changes_ &= static_cast<TGLObjectChanges>(~chStructure); }
  TGLObjectChanges Changes() const { return changes_; }
  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  bool IsUpdating() const { return update_count_ != 0; }

  // Published properties.
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  bool ShowAxes() const { return show_axes_; }
  void SetShowAxes(bool value);
  TGLObjectsSorting ObjectsSorting() const { return objects_sorting_; }
  void SetObjectsSorting(TGLObjectsSorting value);
  TGLVisibilityCulling VisibilityCulling() const { return visibility_culling_; }
  void SetVisibilityCulling(TGLVisibilityCulling value);
  TGLObjectStyle ObjectStyle() const { return object_style_; }
  void SetObjectStyle(TGLObjectStyle value) { object_style_ = value; }
  float TagFloat = 0;
  TGLProgressEvent OnProgress;
  TGLBehaviours& Behaviours();
  TGLObjectEffects& Effects();
  bool HasBehaviours() const { return behaviours_ != nullptr; }
  bool HasEffects() const { return effects_ != nullptr; }
  TFreeNotifier& FreeNotifier() { return free_notifier_; }

  virtual bool Blended() const { return false; }
  // Kind queries of the hot paths (light registry, camera sweep), cheaper than a cast.
  virtual TGLLightSource* AsLightSource() { return nullptr; }
  virtual bool IsCamera() const { return false; }
  bool IsRoot() const { return is_root_; }
  virtual void DoProgress(double deltaTime, double newTime) override;

  // Rendering, called by the scene inside a frame.
  void Render(TRenderContextInfo& rci);
  virtual void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren);
  void RenderChildren(int first, int last, TRenderContextInfo& rci);
  virtual GLuint GetHandle(TRenderContextInfo& rci);
  // A compiled list that no structure change has outdated.
  bool HasValidDisplayList() const { return list_handle_ && list_handle_->Handle() != 0 && !(changes_ & chStructure); }
  virtual void BuildList(TRenderContextInfo&) {}
  // The object's display list, and whatever GL names it holds besides.
  virtual void DestroyHandle();
  // The display lists of the whole subtree, children first.
  void DestroyHandles();

 protected:
  // The scene of the subtree changes with its parent.
  virtual void SetScene(TGLStage* scene);
  void MarkAsRoot() { is_root_ = true; }
  // Draw self (list or direct) without material.
  void DrawSelf(TRenderContextInfo& rci);
  void DrawAxes(TRenderContextInfo& rci, std::uint16_t pattern);

 private:
  void SetRotationAngle(int index, float value, const TVector4f& axis);
  void RotateUpAndDirection(const TVector4f& axis, float degrees);
  void RebuildMatrix();
  void InvalidateAbsolute();
  void RenderObject(TRenderContextInfo& rci, bool renderSelf, bool renderChildren);
  void RenderWithEffects(TRenderContextInfo& rci, bool renderChildren);
  // The GL selection name of this object in a pick pass.
  void TakePickName(TRenderContextInfo& rci);
  void RenderSortedChildren(const std::vector<TGLBaseStageObject*>& visible, TRenderContextInfo& rci);
  void RepairOrthonormal(bool directionChanged);
  // Appends a copy of each of source's children, each of its child's class.
  void CopyChildren(const TGLBaseStageObject& source);

  TMatrix4f local_matrix_ = IdentityMatrix;
  TMatrix4f absolute_matrix_ = IdentityMatrix;
  TMatrix4f inverse_matrix_ = IdentityMatrix;
  TGLObjectStyle object_style_ = 0;
  std::unique_ptr<TGLListHandle> list_handle_;
  // Members rather than allocations: a cell scene holds tens of thousands of objects.
  TGLCoordinates position_{this}, direction_{this}, up_{this}, scale_{this}, rotation_{this};
  TGLObjectChanges changes_ = chTransformation | chAbsoluteMatrix | chInverseMatrix | chStructure;
  TGLBaseStageObject* parent_ = nullptr;
  TGLStage* scene_ = nullptr;
  std::vector<TGLBaseStageObject*> children_;
  bool visible_ = true;
  int update_count_ = 0;
  bool show_axes_ = false;
  bool calculating_ = false;
  bool is_root_ = false;
  // Freed by a parent that already took the subtree's cameras and lights away.
  bool subtree_swept_ = false;
  TGLObjectsSorting objects_sorting_ = osInherited;
  TGLVisibilityCulling visibility_culling_ = vcInherited;
  std::unique_ptr<TGLBehaviours> behaviours_;
  std::unique_ptr<TGLObjectEffects> effects_;
  TFreeNotifier free_notifier_;
};

// An object with a material applied around its drawing.
class TGLCustomStageObject : public TGLBaseStageObject, public IGLStructureOwner {
 public:
  explicit TGLCustomStageObject(TComponent* owner);
  std::string ClassName() const override { return "TGLCustomStageObject"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCustomStageObject>(owner);
  }
  void Assign(const TPersistent* source) override;
  // Made on first use: grouping nodes never need one.
  TGLMaterial& Material();
  bool HasMaterial() const { return material_ != nullptr; }
  void SetMaterial(const TGLMaterial& value);
  void Loaded() override;
  std::string Hint;
  bool Blended() const override { return material_ && material_->Blended(); }
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void StructureChanged() override { TGLBaseStageObject::StructureChanged(); }

 private:
  std::unique_ptr<TGLMaterial> material_;
};

class TGLStageObject : public TGLCustomStageObject {
 public:
  using TGLCustomStageObject::TGLCustomStageObject;
  std::string ClassName() const override { return "TGLStageObject"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLStageObject>(owner);
  }
};

// Its material is never applied.
class TGLImmaterialStageObject : public TGLCustomStageObject {
 public:
  using TGLCustomStageObject::TGLCustomStageObject;
  std::string ClassName() const override { return "TGLImmaterialStageObject"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLImmaterialStageObject>(owner);
  }
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
};

enum TGLCameraInvarianceMode : std::uint8_t { cimNone, cimPosition, cimOrientation };

class TGLCameraInvariantObject : public TGLImmaterialStageObject {
 public:
  using TGLImmaterialStageObject::TGLImmaterialStageObject;
  std::string ClassName() const override { return "TGLCameraInvariantObject"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLCameraInvariantObject>(owner);
  }
  void Assign(const TPersistent* source) override;
  TGLCameraInvarianceMode CamInvarianceMode() const { return cam_invariance_mode_; }
  void SetCamInvarianceMode(TGLCameraInvarianceMode value);
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;

 private:
  TGLCameraInvarianceMode cam_invariance_mode_ = cimNone;
};

// Lines from the origin along each axis, both ways: the negative halves in
// half-intensity red, green and blue, the positive halves at full intensity.
void DrawAxesCross(TRenderContextInfo& rci, std::uint16_t pattern, float length);
