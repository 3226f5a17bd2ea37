#include "scene3d/graph/stage_object.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/core/platform_utilities.h"
#include "gfx3d/gl/gl_binding.h"
#include "gfx3d/math/vector_geometry.h"
#include "scene3d/graph/behaviours.h"
#include "scene3d/graph/change_setters.h"
#include "scene3d/graph/stage.h"
#include "scene3d/render/camera.h"
#include "scene3d/render/silhouette.h"
#include "scene3d/render/stage_buffer.h"

namespace {

constexpr const char* kUnit = "SceneGraph";

TVector4f WithW(const TVector4f& v, float w) { return {v.x, v.y, v.z, w}; }

// Freeing a subtree outside a frame frees its display lists in the scene's
// context: made current once here, the nested handles find it current.
class SceneContextScope {
 public:
  explicit SceneContextScope(TGLStage* scene) {
    TGLContext* context = scene ? scene->BaseContext() : nullptr;
    if (!context || !context->IsValid()) return;
    try {
      context->Activate();
      context_ = context;
    } catch (const std::exception&) {
      // The handles switch contexts themselves when this one cannot be made current.
    }
  }
  ~SceneContextScope() {
    if (!context_) return;
    try {
      context_->Deactivate();
    } catch (const std::exception&) {
    }
  }
  SceneContextScope(const SceneContextScope&) = delete;
  SceneContextScope& operator=(const SceneContextScope&) = delete;

 private:
  TGLContext* context_ = nullptr;
};

// A right vector of Direction x Up, with the fallbacks of a degenerate pair.
TVector4f RightOf(const TVector4f& direction, const TVector4f& up) {
  TVector4f right = VectorCrossProduct(direction, up);
  if (VectorLength(right) < 1e-5f) {
    right = VectorCrossProduct(TVector4f{0, 0, 1, 0}, up);
    if (VectorLength(right) < 1e-5f) right = VectorCrossProduct(TVector4f{1, 0, 0, 0}, up);
  }
  return right;
}

}  // namespace

TGLBaseStageObject::TGLBaseStageObject(TComponent* owner) : TGLCoordinatesUpdateAbleComponent(owner) {
  position_.Initialize({0, 0, 0, 1});
  position_.SetStyle(csPoint);
  direction_.Initialize({0, 0, 1, 0});
  direction_.SetStyle(csVector);
  up_.Initialize({0, 1, 0, 0});
  up_.SetStyle(csVector);
  scale_.Initialize({1, 1, 1, 0});
  scale_.SetStyle(csVector);
  rotation_.SetStyle(csVector);
}

TGLBaseStageObject::~TGLBaseStageObject() {
  SceneContextScope context(scene_);
  free_notifier_.NotifyFreed(this);
  if (!subtree_swept_) DeleteChildCameras();
  list_handle_.reset();
  behaviours_.reset();
  effects_.reset();
  if (parent_) parent_->RemoveChild(this, false);
  // Leaving the parent took the subtree's lights away, and its cameras went above.
  subtree_swept_ = true;
  FreeAllChildren();
}

// ---- Transform -------------------------------------------------------------

void TGLBaseStageObject::SetPosition(const TGLCoordinates& value) { position_.SetAsVector(WithW(value.AsVector(), 1)); }

void TGLBaseStageObject::SetDirection(const TGLCoordinates& value) {
  if (VectorIsZero(value.AsVector())) return;
  direction_.SetAsVector(WithW(value.AsVector(), 0));
}

void TGLBaseStageObject::SetUp(const TGLCoordinates& value) {
  if (VectorIsZero(value.AsVector())) return;
  up_.SetAsVector(WithW(value.AsVector(), 0));
}

void TGLBaseStageObject::SetScale(const TGLCoordinates& value) {
  scale_.Assign(&value);
  TransformationChanged();
}

void TGLBaseStageObject::SetRotationAngle(int index, float value, const TVector4f& axis) {
  const float old = rotation_.AsVector()[index];
  if (value == old) return;
  if (!IsLoading()) RotateUpAndDirection(axis, old - value);
  TVector4f angles = rotation_.AsVector();
  angles[index] = WrapAngleDegrees(value);
  rotation_.SetDirectVector(angles);
}

// A stream read stores angles only: the Direction and Up it read are already turned.
void TGLBaseStageObject::RotateUpAndDirection(const TVector4f& axis, float degrees) {
  const TMatrix4f rotation = RotationMatrixAxisVector(axis, DegToRad(degrees));
  up_.SetDirectVector(VectorNormalize(WithW(VectorTransform(up_.AsVector(), rotation), 0)));
  direction_.SetDirectVector(VectorNormalize(WithW(VectorTransform(direction_.AsVector(), rotation), 0)));
  TransformationChanged();
}

void TGLBaseStageObject::RotateAboutWorldAxes(float x, float y, float z) {
  TMatrix4f m = LocalMatrix();
  const float angles[3] = {x, y, z};
  for (int axis = 0; axis < 3; ++axis) {
    if (angles[axis] == 0) continue;
    TVector4f world{0, 0, 0, 0};
    world[axis] = 1;
    // The world axis is a direction: as a point it would tilt with the object's position.
    const TVector4f local = VectorNormalize(VectorTransform(world, InvAbsoluteMatrix()));
    const TMatrix4f rotation = RotationMatrixAxisVector(local, -DegToRad(angles[axis]));
    m = MatrixMultiply(rotation, m);
  }
  SetMatrix(m);
}

void TGLBaseStageObject::SetMatrix(const TMatrix4f& matrix) {
  local_matrix_ = matrix;
  direction_.SetDirectVector(WithW(VectorNormalize(matrix[2]), 0));
  up_.SetDirectVector(WithW(VectorNormalize(matrix[1]), 0));
  scale_.SetDirectVector({VectorLength(matrix[0]), VectorLength(matrix[1]), VectorLength(matrix[2]), 0});
  position_.SetDirectVector(matrix[3]);
  TransformationChanged();
}

void TGLBaseStageObject::MoveAroundObject(TGLBaseStageObject* other, float pitchDelta, float turnDelta) {
  if (!other) return;
  const TVector4f centre = other->AbsolutePosition();
  TVector4f n = WithW(VectorSubtract(AbsolutePosition(), centre), 0);
  const float distance = VectorLength(n);
  NormalizeVector(n);
  const TVector4f up = AbsoluteUp();
  TVector4f right = VectorCrossProduct(up, n);
  if (VectorLength(right) < 0.001f)
    right = {1, 0, 0, 0};
  else
    NormalizeVector(right);
  const float angle = std::clamp(ArcCos(VectorDotProduct3(up, n)) + DegToRad(pitchDelta), 0.025f, 3.1165926f);
  n = up;
  RotateVector(n, {right.x, right.y, right.z}, -angle);
  RotateVector(n, {up.x, up.y, up.z}, -DegToRad(turnDelta));
  TVector4f target = VectorCombine(centre, n, distance);
  target.w = 1;
  if (parent_) target = parent_->AbsoluteToLocal(target);
  position_.SetAsVector(target);
}

void TGLBaseStageObject::RebuildMatrix() {
  if (!(changes_ & chTransformation)) return;
  const TVector4f& scale = scale_.AsVector();
  local_matrix_[0] = VectorScale(LeftVector(), scale.x);
  local_matrix_[1] = VectorScale(WithW(up_.AsVector(), 0), scale.y);
  local_matrix_[2] = VectorScale(WithW(direction_.AsVector(), 0), scale.z);
  local_matrix_[3] = WithW(position_.AsVector(), 1);
  changes_ = static_cast<TGLObjectChanges>((changes_ & ~chTransformation) | chAbsoluteMatrix | chInverseMatrix);
}

TMatrix4f TGLBaseStageObject::Matrix() { return LocalMatrix(); }

const TMatrix4f& TGLBaseStageObject::LocalMatrix() {
  RebuildMatrix();
  return local_matrix_;
}

const TMatrix4f& TGLBaseStageObject::AbsoluteMatrix() {
  if (changes_ & chAbsoluteMatrix) {
    RebuildMatrix();
    if (parent_ && !parent_->IsRoot())
      MatrixMultiply(local_matrix_, parent_->AbsoluteMatrix(), absolute_matrix_);
    else
      absolute_matrix_ = local_matrix_;
    changes_ = static_cast<TGLObjectChanges>((changes_ & ~chAbsoluteMatrix) | chInverseMatrix);
  }
  return absolute_matrix_;
}

const TMatrix4f& TGLBaseStageObject::InvAbsoluteMatrix() {
  if (changes_ & chInverseMatrix) {
    if (!scale_.Equals({1, 1, 1, 0})) {
      inverse_matrix_ = AbsoluteMatrix();
      InvertMatrix(inverse_matrix_);
    } else {
      RebuildMatrix();
      TMatrix4f local_inverse;
      InvertScaledRotationMatrix(local_matrix_, local_inverse);
      if (parent_)
        MatrixMultiply(parent_->InvAbsoluteMatrix(), local_inverse, inverse_matrix_);
      else
        inverse_matrix_ = local_inverse;
    }
    changes_ &= static_cast<TGLObjectChanges>(~chInverseMatrix);
  }
  return inverse_matrix_;
}

TVector4f TGLBaseStageObject::AbsolutePosition() { return AbsoluteMatrix()[3]; }
TVector4f TGLBaseStageObject::AbsoluteDirection() { return VectorNormalize(AbsoluteMatrix()[2]); }
TVector4f TGLBaseStageObject::AbsoluteUp() { return VectorNormalize(AbsoluteMatrix()[1]); }
TVector4f TGLBaseStageObject::AbsoluteToLocal(const TVector4f& v) { return VectorTransform(v, InvAbsoluteMatrix()); }
TAffineVector TGLBaseStageObject::AbsoluteToLocalAffine(const TAffineVector& v) {
  return AffineVectorTransform(v, InvAbsoluteMatrix());
}
TVector4f TGLBaseStageObject::LocalToAbsolute(const TVector4f& v) { return VectorTransform(v, AbsoluteMatrix()); }
TVector4f TGLBaseStageObject::RightVector() const {
  return WithW(VectorCrossProduct(direction_.AsVector(), up_.AsVector()), 0);
}
TVector4f TGLBaseStageObject::LeftVector() const {
  return WithW(VectorCrossProduct(up_.AsVector(), direction_.AsVector()), 0);
}

float TGLBaseStageObject::DistanceToSquared(const TVector4f& point) {
  return VectorDistanceSquared(AbsolutePosition(), point);
}

void TGLBaseStageObject::InvalidateAbsolute() {
  changes_ |= chAbsoluteMatrix | chInverseMatrix;
  for (TGLBaseStageObject* child : children_) {
    constexpr TGLObjectChanges both = chAbsoluteMatrix | chInverseMatrix;
    if ((child->changes_ & both) != both) child->InvalidateAbsolute();
  }
}

void TGLBaseStageObject::TransformationChanged() {
  if (changes_ & chTransformation) return;
  changes_ |= chTransformation;
  InvalidateAbsolute();
  NotifyChange(this);
}

// ---- Extents ---------------------------------------------------------------

TVector4f TGLBaseStageObject::AxisAlignedDimensions() {
  TVector4f dimensions = AxisAlignedDimensionsUnscaled();
  ScaleVectorComponents(dimensions, scale_.AsVector());
  return dimensions;
}

float TGLBaseStageObject::BoundingSphereRadius() { return VectorLength(AxisAlignedDimensions()); }
float TGLBaseStageObject::BoundingSphereRadiusUnscaled() { return VectorLength(AxisAlignedDimensionsUnscaled()); }

TAABB TGLBaseStageObject::BoundingBoxUnscaled() {
  TAABB box;
  SetBB(box, AxisAlignedDimensionsUnscaled());
  for (TGLBaseStageObject* child : children_) {
    TAABB child_box = child->BoundingBoxUnscaled();
    BBTransform(child_box, child->LocalMatrix());
    AddBB(box, child_box);
  }
  return box;
}

TAABB TGLBaseStageObject::BoundingBox() {
  TAABB box = BoundingBoxUnscaled();
  ScaleBB(box, scale_.GetAsAffineVector());
  return box;
}

bool TGLBaseStageObject::PointInObject(const TVector4f& point) {
  const TVector4f p = VectorTransform(point, InvAbsoluteMatrix());
  const TVector4f d = AxisAlignedDimensions();
  const TVector4f& s = scale_.AsVector();
  return std::fabs(p.x * s.x) <= d.x && std::fabs(p.y * s.y) <= d.y && std::fabs(p.z * s.z) <= d.z;
}

bool TGLBaseStageObject::RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector,
                                          TVector4f* intersectPoint, TVector4f* intersectNormal) {
  const TVector4f centre = AbsolutePosition();
  TVector4f first, second;
  if (RaySphereIntersection(rayStart, rayVector, centre, BoundingSphereRadius(), first, second) <= 0) return false;
  if (intersectPoint) *intersectPoint = first;
  if (intersectNormal) *intersectNormal = WithW(VectorNormalize(WithW(VectorSubtract(first, centre), 0)), 0);
  return true;
}

std::unique_ptr<TGLSilhouette> TGLBaseStageObject::GenerateSilhouette(const TGLSilhouetteParameters& parameters) {
  constexpr int kSides = 21;
  constexpr float kStep = 0.2991993f;  // 2 pi / 21
  float radius = BoundingSphereRadiusUnscaled();
  const TAffineVector& seen_from = parameters.SeenFrom;
  Assert(parameters.Style == ssOmni || parameters.Style == ssParallel, kUnit, __LINE__, "Unknown silhouette style");
  if (parameters.Style == ssOmni) radius = SphereApparentRadius(AffineVectorLength(seen_from), radius);
  TAffineVector s = AffineVectorCrossProduct(seen_from, XVector);
  if (AffineVectorLength(s) < 0.001f) s = AffineVectorCrossProduct(seen_from, YVector);
  TAffineVector u = AffineVectorCrossProduct(seen_from, s);
  NormalizeAffineVector(s);
  NormalizeAffineVector(u);
  radius *= 0.98f;
  auto silhouette = std::make_unique<TGLSilhouette>();
  for (int i = 0; i < kSides; ++i) {
    float sine, cosine;
    SinCos(static_cast<float>(i) * kStep, sine, cosine);
    const TAffineVector p = AffineVectorCombine2(u, s, radius * cosine, radius * sine);
    silhouette->Vertices().AddPoint(p);
    silhouette->Indices().Add2(i, (i + 1) % kSides);
    if (parameters.CappingRequired) silhouette->CapIndices().Add3(kSides, i, (i + 1) % kSides);
  }
  if (parameters.CappingRequired) silhouette->Vertices().Add(XHmgPoint);
  return silhouette;
}

// ---- Hierarchy -------------------------------------------------------------

TGLBaseStageObject* TGLBaseStageObject::Children(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[static_cast<std::size_t>(index)];
}

int TGLBaseStageObject::Index() const {
  if (!parent_) return -1;
  const auto& siblings = parent_->children_;
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TGLBaseStageObject::SetIndex(int index) {
  if (!parent_) return;
  index = std::clamp(index, 0, parent_->Count() - 1);
  const int current = Index();
  if (index == current) return;
  auto& siblings = parent_->children_;
  if (scene_) scene_->BeginUpdate();
  siblings.erase(siblings.begin() + current);
  siblings.insert(siblings.begin() + index, this);
  if (scene_) scene_->EndUpdate();
}

void TGLBaseStageObject::SetScene(TGLStage* scene) {
  scene_ = scene;
  for (TGLBaseStageObject* child : children_) child->SetScene(scene);
}

void TGLBaseStageObject::AddChild(TGLBaseStageObject* child) {
  if (scene_) scene_->AddLights(child);
  children_.push_back(child);
  child->parent_ = this;
  child->SetScene(scene_);
  TransformationChanged();
  child->TransformationChanged();
}

void TGLBaseStageObject::InsertChild(int index, TGLBaseStageObject* child) {
  if (child->parent_) child->parent_->RemoveChild(child, false);
  index = std::clamp(index, 0, Count());
  children_.insert(children_.begin() + index, child);
  child->parent_ = this;
  if (child->scene_ != scene_) child->DestroyHandles();
  child->SetScene(scene_);
  if (scene_) scene_->AddLights(child);
  child->TransformationChanged();
}

void TGLBaseStageObject::RemoveChild(TGLBaseStageObject* child, bool keepChildren) {
  if (child->parent_ != this) return;
  if (scene_) scene_->RemoveLights(child);
  std::erase(children_, child);
  child->parent_ = nullptr;
  if (keepChildren) {
    BeginUpdate();
    while (child->Count() > 0) child->Children(0)->MoveToParent(this);
    EndUpdate();
  } else {
    NotifyChange(this);
  }
}

void TGLBaseStageObject::MoveToParent(TGLBaseStageObject* newParent) {
  if (parent_) parent_->RemoveChild(this, false);
  if (newParent)
    newParent->AddChild(this);
  else
    SetScene(nullptr);
}

void TGLBaseStageObject::DeleteChildCameras() {
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;
    TGLBaseStageObject* child = children_[static_cast<std::size_t>(i)];
    child->DeleteChildCameras();
    if (child->IsCamera()) {
      RemoveChild(child, true);
      delete child;
    }
  }
}

void TGLBaseStageObject::FreeAllChildren() {
  if (children_.empty()) return;
  SceneContextScope context(scene_);
  if (!subtree_swept_) {
    DeleteChildCameras();
    if (scene_) scene_->RemoveLights(this);
  }
  while (!children_.empty()) {
    TGLBaseStageObject* child = children_.back();
    children_.pop_back();
    child->parent_ = nullptr;
    child->subtree_swept_ = true;
    delete child;
  }
  NotifyChange(this);
}

// ---- Changes ---------------------------------------------------------------

void TGLBaseStageObject::NotifyChange(TObject*) {
  if (scene_ && update_count_ == 0 && !IsLoading()) scene_->NotifyChange(this);
}

void TGLBaseStageObject::RepairOrthonormal(bool directionChanged) {
  TGLCoordinates& changed = directionChanged ? direction_ : up_;
  TGLCoordinates& other = directionChanged ? up_ : direction_;
  if (VectorLength(changed.AsVector()) == 0)
    changed.SetDirectVector(directionChanged ? TVector4f{0, 0, 1, 0} : TVector4f{0, 1, 0, 0});
  changed.SetDirectVector(WithW(VectorNormalize(changed.AsVector()), 0));
  const TVector4f right = RightOf(direction_.AsVector(), up_.AsVector());
  const TVector4f repaired =
      directionChanged ? VectorCrossProduct(right, direction_.AsVector()) : VectorCrossProduct(up_.AsVector(), right);
  other.SetDirectVector(WithW(VectorNormalize(repaired), 0));
}

void TGLBaseStageObject::CoordinateChanged(TObject* sender) {
  if (calculating_) return;
  calculating_ = true;
  if (sender == &direction_)
    RepairOrthonormal(true);
  else if (sender == &up_)
    RepairOrthonormal(false);
  calculating_ = false;
  TransformationChanged();
}

void TGLBaseStageObject::StructureChanged() {
  if (!(changes_ & chStructure)) {
    changes_ |= chStructure;
    NotifyChange(this);
  } else if (object_style_ & osDirectDraw) {
    NotifyChange(this);
  }
}

void TGLBaseStageObject::EndUpdate() {
  Assert(update_count_ >= 1, kUnit, __LINE__, glsUnbalancedBeginEndUpdate);
  if (--update_count_ == 0) NotifyChange(this);
}

void TGLBaseStageObject::SetVisible(bool value) {
  StoreOnChange(visible_, value, [this] { NotifyChange(this); });
}

void TGLBaseStageObject::SetShowAxes(bool value) {
  StoreOnChange(show_axes_, value, [this] { NotifyChange(this); });
}

void TGLBaseStageObject::SetObjectsSorting(TGLObjectsSorting value) {
  StoreOnChange(objects_sorting_, value, [this] { NotifyChange(this); });
}

void TGLBaseStageObject::SetVisibilityCulling(TGLVisibilityCulling value) {
  StoreOnChange(visibility_culling_, value, [this] { NotifyChange(this); });
}

TGLBehaviours& TGLBaseStageObject::Behaviours() {
  if (!behaviours_) behaviours_ = std::make_unique<TGLBehaviours>(this);
  return *behaviours_;
}

TGLObjectEffects& TGLBaseStageObject::Effects() {
  if (!effects_) effects_ = std::make_unique<TGLObjectEffects>(this);
  return *effects_;
}

void TGLBaseStageObject::DoProgress(double deltaTime, double newTime) {
  for (int i = Count() - 1; i >= 0; --i) children_[static_cast<std::size_t>(i)]->DoProgress(deltaTime, newTime);
  if (behaviours_) behaviours_->DoProgress(deltaTime, newTime);
  if (effects_) effects_->DoProgress(deltaTime, newTime);
  if (OnProgress) OnProgress(this, deltaTime, newTime);
}

void TGLBaseStageObject::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TGLBaseStageObject*>(source);
  if (!other) {
    TGLCoordinatesUpdateAbleComponent::Assign(source);
    return;
  }
  auto* from = const_cast<TGLBaseStageObject*>(other);
  DestroyHandles();
  visible_ = other->visible_;
  SetMatrix(from->LocalMatrix());
  show_axes_ = other->show_axes_;
  objects_sorting_ = other->objects_sorting_;
  visibility_culling_ = other->visibility_culling_;
  rotation_.Assign(&other->rotation_);
  FreeAllChildren();
  if (!parent_) SetScene(other->scene_);
  if (scene_) scene_->BeginUpdate();
  try {
    CopyChildren(*other);
  } catch (...) {
    // The scene must not stay updating for good: it would never redraw again.
    if (scene_) scene_->EndUpdate();
    throw;
  }
  if (scene_) scene_->EndUpdate();
  OnProgress = other->OnProgress;
  if (other->behaviours_)
    Behaviours().Assign(other->behaviours_.get());
  else
    behaviours_.reset();
  if (other->effects_)
    Effects().Assign(other->effects_.get());
  else
    effects_.reset();
  TagFloat = other->TagFloat;
}

void TGLBaseStageObject::CopyChildren(const TGLBaseStageObject& source) {
  for (TGLBaseStageObject* child : source.children_) {
    std::unique_ptr<TGLBaseStageObject> made = child->NewOfSameClass(Owner());
    TGLBaseStageObject* copy = made.get();
    Assert(typeid(*copy) == typeid(*child), kUnit, __LINE__, child->ClassName() + " makes no object of its class");
    AddChild(made.release());
    copy->Assign(child);
  }
}

void TGLBaseStageObject::DefineProperties(TPropertyDefiner& definer) {
  // Reading makes the collection; writing happens only when it holds items.
  const auto define = [&definer](const char* name, auto collection, bool hasData) {
    definer.DefineBinaryProperty(
        name, [collection](TStream& stream) { collection().ReadFromFiler(*CreateBinaryReader(stream)); },
        [collection](TStream& stream) { collection().WriteToFiler(*CreateBinaryWriter(stream)); }, hasData);
  };
  define(
      "BehavioursData", [this]() -> TGLBehaviours& { return Behaviours(); }, behaviours_ && behaviours_->Count() > 0);
  define(
      "EffectsData", [this]() -> TGLObjectEffects& { return Effects(); }, effects_ && effects_->Count() > 0);
}

void TGLBaseStageObject::Loaded() {
  TGLCoordinatesUpdateAbleComponent::Loaded();
  position_.SetCoordinate(3, 1);
  if (behaviours_) behaviours_->Loaded();
  if (effects_) effects_->Loaded();
}

void TGLCustomStageObject::Loaded() {
  TGLBaseStageObject::Loaded();
  if (material_) material_->Loaded();
}

// ---- Rendering -------------------------------------------------------------

void TGLBaseStageObject::Render(TRenderContextInfo& rci) {
  bool render_self = true;
  bool render_children = !children_.empty();
  // A list being compiled is replayed from every viewpoint: nothing is culled into it.
  switch (rci.amalgamating ? vcNone : rci.visibilityCulling) {
    case vcInherited:
    case vcNone:
      break;
    case vcObjectBased:
      render_self = (object_style_ & osNoVisibilityCulling) ||
                    !IsSphereOutsideFrustum(AbsolutePosition(), rci.rcci, BoundingSphereRadius());
      break;
    case vcHierarchical: {
      if (!(object_style_ & osNoVisibilityCulling)) {
        // The frustum planes are in world space, so the box goes there first.
        TAABB box = BoundingBoxUnscaled();
        BBTransform(box, AbsoluteMatrix());
        const TAffineVector centre = AffineVectorLerp(box.min, box.max, 0.5f);
        const float radius = VectorDistance(box.min, box.max) * 0.5f;
        render_self = !IsSphereOutsideFrustumAffine(centre, rci.rcci, radius);
      }
      render_children = render_self && !children_.empty();
      break;
    }
    default:
      Assert(false, kUnit, __LINE__, "Unknown visibility culling");
  }
  if (!render_self && !render_children) return;

  GL().glPushMatrix();
  const bool named_in_proxy = rci.drawState == dsPicking && rci.proxySubObject;
  try {
    GL().glMultMatrixf(&LocalMatrix()[0].x);
    if (rci.drawState == dsPicking) TakePickName(rci);
    if (render_self) {
      if (show_axes_) DrawAxes(rci, 0xCCCC);
      if (effects_ && effects_->Count() > 0)
        RenderWithEffects(rci, render_children);
      else
        RenderObject(rci, true, render_children);
    } else {
      RenderObject(rci, false, render_children);
    }
  } catch (...) {
    // An abandoned frame must not leave the matrix stack deeper for the next one.
    GL().glPopMatrix();
    throw;
  }
  if (named_in_proxy) GL().glPopName();
  GL().glPopMatrix();
}

void TGLBaseStageObject::TakePickName(TRenderContextInfo& rci) {
  // Inside a proxy the name goes on top of the proxy's, so hits name both.
  const GLuint name = static_cast<TGLStageBuffer*>(rci.buffer)->PickNames().NameOf(this);
  if (rci.proxySubObject)
    GL().glPushName(name);
  else
    GL().glLoadName(name);
}

void TGLBaseStageObject::RenderObject(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  const bool ignore_depth = (object_style_ & osIgnoreDepthBuffer) && rci.GLStates->IsEnabled(stDepthTest);
  if (ignore_depth) rci.GLStates->Disable(stDepthTest);
  DoRender(rci, renderSelf, renderChildren);
  if (ignore_depth) rci.GLStates->Enable(stDepthTest);
  if (renderSelf && (object_style_ & osResetStatesAfterRender)) rci.GLStates->ResetAll();
}

void TGLBaseStageObject::RenderWithEffects(TRenderContextInfo& rci, bool renderChildren) {
  TGLStageBuffer* buffer = scene_ ? scene_->CurrentBuffer() : nullptr;
  GL().glPushMatrix();
  if (buffer) effects_->RenderPreEffects(*buffer, rci);
  GL().glPopMatrix();
  GL().glPushMatrix();
  RenderObject(rci, true, renderChildren);
  if (buffer) effects_->RenderPostEffects(*buffer, rci);
  GL().glPopMatrix();
}

void TGLBaseStageObject::DrawSelf(TRenderContextInfo& rci) {
  if ((object_style_ & osDirectDraw) || rci.amalgamating)
    BuildList(rci);
  else
    GL().glCallList(GetHandle(rci));
}

void TGLBaseStageObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf) DrawSelf(rci);
  if (renderChildren) RenderChildren(0, Count() - 1, rci);
}

GLuint TGLBaseStageObject::GetHandle(TRenderContextInfo& rci) {
  if (HasValidDisplayList()) return list_handle_->Handle();
  ClearStructureChanged();
  if (!list_handle_) list_handle_ = std::make_unique<TGLListHandle>();
  if (list_handle_->Handle() == 0) list_handle_->AllocateHandle();
  const GLuint name = list_handle_->Handle();
  Assert(name != 0, kUnit, __LINE__, "Handle=0 for " + ClassName());
  GL().glNewList(name, GL_COMPILE);
  try {
    BuildList(rci);
  } catch (...) {
    // GL must not stay in compile mode, and a half-built list must not be replayed.
    GL().glEndList();
    list_handle_->DestroyHandle();
    changes_ |= chStructure;
    throw;
  }
  GL().glEndList();
  return name;
}

void TGLBaseStageObject::RenderChildren(int first, int last, TRenderContextInfo& rci) {
  if (children_.empty()) return;
  const TGLVisibilityCulling saved_culling = rci.visibilityCulling;
  if (visibility_culling_ != vcInherited) rci.visibilityCulling = visibility_culling_;
  if (last < first) {
    rci.visibilityCulling = saved_culling;
    return;
  }
  if (first == last) {
    TGLBaseStageObject* child = children_[static_cast<std::size_t>(first)];
    if (child->visible_) child->Render(rci);
    rci.visibilityCulling = saved_culling;
    return;
  }
  const TGLObjectsSorting saved_sorting = rci.objectsSorting;
  if (objects_sorting_ != osInherited) rci.objectsSorting = objects_sorting_;
  std::vector<std::pair<float, TGLBaseStageObject*>> collected;
  const TVector4f& eye = rci.cameraPosition;
  for (int i = first; i <= last; ++i) {
    TGLBaseStageObject* child = children_[static_cast<std::size_t>(i)];
    if (!child->visible_) continue;
    switch (rci.objectsSorting) {
      case osNone:
        child->Render(rci);
        break;
      case osRenderFarthestFirst:
        collected.emplace_back(child->DistanceToSquared(eye) + 1.0f, child);
        break;
      case osRenderBlendedLast:
        if (child->Blended())
          collected.emplace_back(child->DistanceToSquared(eye) + 1.0f, child);
        else
          child->Render(rci);
        break;
      case osRenderNearestFirst:
        // Compared as numbers, the largest key (rendered first) is the nearest child.
        collected.emplace_back(-1.0f - child->DistanceToSquared(eye), child);
        break;
      default:
        Assert(false, kUnit, __LINE__, "Unknown objects sorting");
    }
  }
  std::stable_sort(collected.begin(), collected.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto it = collected.rbegin(); it != collected.rend(); ++it) it->second->Render(rci);
  rci.objectsSorting = saved_sorting;
  rci.visibilityCulling = saved_culling;
}

void TGLBaseStageObject::DrawAxes(TRenderContextInfo& rci, std::uint16_t pattern) {
  TGLStageBuffer* buffer = scene_ ? scene_->CurrentBuffer() : nullptr;
  DrawAxesCross(rci, pattern, buffer && buffer->Camera() ? buffer->Camera()->DepthOfView() : 100.0f);
}

void DrawAxesCross(TRenderContextInfo& rci, std::uint16_t pattern, float length) {
  auto& gl = GL();
  gl.glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_LINE_BIT);
  gl.glDisable(GL_LIGHTING);
  gl.glEnable(GL_LINE_STIPPLE);
  if (!rci.ignoreBlendingRequests) {
    gl.glEnable(GL_BLEND);
    gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  gl.glLineWidth(1);
  gl.glLineStipple(1, pattern);
  gl.glBegin(GL_LINES);
  for (int axis = 0; axis < 3; ++axis) {
    TVector4f end{0, 0, 0, 0};
    end[axis] = length;
    TVector4f dim{0, 0, 0, 1}, bright{0, 0, 0, 1};
    dim[axis] = 0.5f;
    bright[axis] = 1;
    gl.glColor3f(dim.x, dim.y, dim.z);
    gl.glVertex3f(0, 0, 0);
    gl.glVertex3f(-end.x, -end.y, -end.z);
    gl.glColor3f(bright.x, bright.y, bright.z);
    gl.glVertex3f(0, 0, 0);
    gl.glVertex3f(end.x, end.y, end.z);
  }
  gl.glEnd();
  gl.glPopAttrib();
}

void TGLBaseStageObject::DestroyHandle() {
  if (list_handle_) list_handle_->DestroyHandle();
}

void TGLBaseStageObject::DestroyHandles() {
  for (TGLBaseStageObject* child : children_) child->DestroyHandles();
  DestroyHandle();
}

// ---- Custom, immaterial and camera-invariant objects -----------------------

TGLCustomStageObject::TGLCustomStageObject(TComponent* owner) : TGLBaseStageObject(owner) {}

TGLMaterial& TGLCustomStageObject::Material() {
  if (!material_) material_ = std::make_unique<TGLMaterial>(this);
  return *material_;
}

void TGLCustomStageObject::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCustomStageObject*>(source)) {
    if (other->material_)
      Material().Assign(other->material_.get());
    else
      material_.reset();
    Hint = other->Hint;
  }
  TGLBaseStageObject::Assign(source);
}

void TGLCustomStageObject::SetMaterial(const TGLMaterial& value) {
  Material().Assign(&value);
  NotifyChange(this);
}

void TGLCustomStageObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (renderSelf) {
    if (Scene()) Scene()->SetObjectBeingRendered(this);
    if (rci.ignoreMaterials) {
      DrawSelf(rci);
    } else {
      TGLMaterial& material = Material();
      material.Apply(rci);
      do {
        DrawSelf(rci);
      } while (material.UnApply(rci));
    }
  }
  if (renderChildren) RenderChildren(0, Count() - 1, rci);
}

void TGLImmaterialStageObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  TGLBaseStageObject::DoRender(rci, renderSelf, renderChildren);
}

void TGLCameraInvariantObject::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TGLCameraInvariantObject*>(source))
    cam_invariance_mode_ = other->cam_invariance_mode_;
  TGLImmaterialStageObject::Assign(source);
}

void TGLCameraInvariantObject::SetCamInvarianceMode(TGLCameraInvarianceMode value) {
  StoreOnChange(cam_invariance_mode_, value, [this] { NotifyChange(this); });
}

void TGLCameraInvariantObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  auto* buffer = dynamic_cast<TGLStageBuffer*>(rci.buffer);
  if (cam_invariance_mode_ == cimNone || !buffer) {
    TGLImmaterialStageObject::DoRender(rci, renderSelf, renderChildren);
    return;
  }
  auto& gl = GL();
  gl.glPushMatrix();
  if (cam_invariance_mode_ == cimPosition) {
    gl.glLoadMatrixf(&buffer->ModelViewMatrix()[0].x);
    gl.glTranslatef(rci.cameraPosition.x, rci.cameraPosition.y, rci.cameraPosition.z);
  } else {
    Assert(cam_invariance_mode_ == cimOrientation, kUnit, __LINE__, "Unknown camera invariance mode");
    gl.glLoadIdentity();
    gl.glScalef(1, -1, -1);
  }
  gl.glMultMatrixf(&LocalMatrix()[0].x);
  TMatrix4f model_view;
  gl.glGetFloatv(GL_MODELVIEW_MATRIX, &model_view[0].x);
  buffer->PushModelViewMatrix(model_view);
  try {
    TGLImmaterialStageObject::DoRender(rci, renderSelf, renderChildren);
  } catch (...) {
    buffer->PopModelViewMatrix();
    gl.glPopMatrix();
    throw;
  }
  buffer->PopModelViewMatrix();
  gl.glPopMatrix();
}
