#include "scene3d/animation/actor.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "gfx3d/gl/gl_binding.h"
#include "scene3d/animation/animation_controlers.h"
#include "scene3d/animation/skeleton.h"

// ---- Animations

void TActorAnimation::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TActorAnimation*>(source)) {
    Name = other->Name;
    start_frame_ = other->start_frame_;
    end_frame_ = other->end_frame_;
    reference_ = other->reference_;
    return;
  }
  TCollectionItem::Assign(source);
}

std::string TActorAnimation::GetDisplayName() const {
  return std::to_string(Index()) + " - " + Name + " [" + std::to_string(start_frame_) + " - " +
         std::to_string(end_frame_) + "]";
}

int TActorAnimation::LastFrame() const {
  const auto* animations = dynamic_cast<const TActorAnimations*>(Collection());
  TGLActor* actor = animations ? animations->Actor() : nullptr;
  if (!actor) return INT_MAX;
  const TActorAnimationReference saved = actor->Reference();
  actor->SetReference(reference_);
  const int last = actor->FrameCount() - 1;
  actor->SetReference(saved);
  return last;
}

void TActorAnimation::SetStartFrame(int value) {
  start_frame_ = std::clamp(value, 0, std::max(LastFrame(), 0));
  end_frame_ = std::max(end_frame_, start_frame_);
}

void TActorAnimation::SetEndFrame(int value) {
  end_frame_ = std::clamp(value, 0, std::max(LastFrame(), 0));
  start_frame_ = std::min(start_frame_, end_frame_);
}

void TActorAnimation::SetReference(TActorAnimationReference value) {
  if (value == reference_) return;
  reference_ = value;
  SetStartFrame(start_frame_);
  SetEndFrame(end_frame_);
}

TActorAnimations::TActorAnimations(TGLActor* owner)
    : TOwnedCollection(owner, [] { return std::make_unique<TActorAnimation>(); }) {}

TGLActor* TActorAnimations::Actor() const { return dynamic_cast<TGLActor*>(GetOwner()); }

TActorAnimation* TActorAnimations::FindName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i).Name == name) return &Items(i);
  return nullptr;
}

void TActorAnimations::Update(TCollectionItem*) {
  if (TGLActor* actor = Actor()) actor->ForgetRemovedAnimation();
}

// ---- Actor

TGLActor::TGLActor(TComponent* owner) : TGLBaseMesh(owner) {
  // Frames change at every progress step: no display list.
  SetObjectStyle(ObjectStyle() | osDirectDraw);
}

int TGLActor::FrameCount() {
  switch (reference_) {
    case aarMorph:
      return MorphTargetCount(MeshObjects());
    case aarSkeleton:
      return Skeleton().FrameCount();
    case aarNone:
      return 0;
  }
  return 0;
}

void TGLActor::SetCurrentFrame(int value) {
  value = std::clamp(value, 0, std::max(FrameCount() - 1, 0));
  current_frame_ = value;
  CurrentFrameDelta = 0;
  if (AnimationMode == aamPlayOnce && value == end_frame_) AnimationMode = aamNone;
  if (AnimationMode == aamBounceForward && value == end_frame_) AnimationMode = aamBounceBackward;
  if (AnimationMode == aamBounceBackward && value == start_frame_) AnimationMode = aamBounceForward;
  StructureChanged();
  if (OnFrameChanged) OnFrameChanged(this);
}

int TGLActor::NextFrameIndex() {
  if (target_animation_) return target_animation_->StartFrame();
  switch (AnimationMode) {
    case aamNone:
    case aamPlayOnce:
      return std::min(current_frame_ + 1, end_frame_);
    case aamLoop:
    case aamBounceForward: {
      int next = current_frame_ + 1;
      if (next > end_frame_) next = start_frame_ + (next - end_frame_ - 1);
      return std::min(next, end_frame_);
    }
    case aamBounceBackward:
    case aamLoopBackward: {
      int next = current_frame_ - 1;
      if (next < start_frame_) next = end_frame_ - (start_frame_ - next - 1);
      return std::max(next, start_frame_);
    }
    case aamExternal:
      return current_frame_;
  }
  return current_frame_;
}

void TGLActor::NextFrame(int steps) {
  for (int i = 0; i < steps; ++i) {
    SetCurrentFrame(NextFrameIndex());
    if (current_frame_ == end_frame_ && OnEndFrameReached) OnEndFrameReached(this);
    if (current_frame_ == start_frame_ && OnStartFrameReached) OnStartFrameReached(this);
  }
}

void TGLActor::SwitchToAnimation(const TActorAnimation& animation, bool smooth) {
  if (smooth) {
    target_animation_ = &animation;
    CurrentFrameDelta = 0;
    return;
  }
  reference_ = animation.Reference();
  start_frame_ = animation.StartFrame();
  end_frame_ = animation.EndFrame();
  SetCurrentFrame(start_frame_);
}

void TGLActor::SwitchToAnimation(const std::string& name, bool smooth) {
  if (const TActorAnimation* animation = animations_.FindName(name)) SwitchToAnimation(*animation, smooth);
}

void TGLActor::ForgetRemovedAnimation() {
  if (!target_animation_) return;
  // Compared by address only: a removed item may already be gone.
  for (int i = 0; i < animations_.Count(); ++i)
    if (&animations_.Items(i) == target_animation_) return;
  target_animation_ = nullptr;
}

void TGLActor::Synchronize(TGLActor& reference) {
  const int frames = FrameCount();
  if (reference.start_frame_ < frames) start_frame_ = reference.start_frame_;
  if (reference.end_frame_ < frames) end_frame_ = reference.end_frame_;
  if (reference.current_frame_ < frames) current_frame_ = reference.current_frame_;
  reference_ = reference.reference_;
  CurrentFrameDelta = reference.CurrentFrameDelta;
  AnimationMode = reference.AnimationMode;
  FrameInterpolation = reference.FrameInterpolation;
  target_animation_ = reference.target_animation_ ? animations_.FindName(reference.target_animation_->Name) : nullptr;
  if (Skeleton().FrameCount() > 0 && reference.Skeleton().FrameCount() > 0)
    Skeleton().Synchronize(reference.Skeleton(), (Options & aoSkeletonNormalizeNormals) != 0);
  StructureChanged();
}

void TGLActor::LoadMeshFromStream(const std::string& fileName, TStream& stream) {
  animations_.Clear();
  TGLBaseMesh::LoadMeshFromStream(fileName, stream);
}

void TGLActor::RegisterControler(TGLBaseAnimationControler* controler) {
  if (std::find(controlers_.begin(), controlers_.end(), controler) == controlers_.end())
    controlers_.push_back(controler);
}

void TGLActor::UnRegisterControler(TGLBaseAnimationControler* controler) { std::erase(controlers_, controler); }

void TGLActor::DoProgress(double deltaTime, double newTime) {
  TGLBaseMesh::DoProgress(deltaTime, newTime);
  if (AnimationMode == aamNone || Interval <= 0 || start_frame_ == end_frame_ || FrameCount() < 2) return;
  CurrentFrameDelta += static_cast<float>(deltaTime * 1000.0 / Interval);
  if (CurrentFrameDelta <= 1) {
    if (FrameInterpolation != afpNone) StructureChanged();
    return;
  }
  if (target_animation_) {
    const TActorAnimation* target = target_animation_;
    target_animation_ = nullptr;
    SwitchToAnimation(*target);
  }
  const float whole = std::floor(CurrentFrameDelta);
  const float fraction = CurrentFrameDelta - whole;
  NextFrame(static_cast<int>(whole));
  CurrentFrameDelta = fraction;
  StructureChanged();
}

void TGLActor::BuildList(TRenderContextInfo& rci) {
  const int next = NextFrameIndex();
  if (reference_ == aarMorph && FrameCount() > 0) {
    if (next >= 0 && FrameInterpolation == afpLinear)
      Lerp(MeshObjects(), current_frame_, next, CurrentFrameDelta);
    else
      MorphTo(MeshObjects(), current_frame_);
  } else if (reference_ == aarSkeleton && Skeleton().FrameCount() > 0) {
    PoseSkeleton(next);
  }
  TGLBaseMesh::BuildList(rci);
  if (OverlaySkeleton) DrawSkeletonOverlay(rci);
}

void TGLActor::PoseSkeleton(int next) {
  const bool interpolate = FrameInterpolation == afpLinear && next >= 0;
  if (controlers_.empty() || AnimationMode == aamExternal) {
    if (interpolate)
      Skeleton().Lerp(current_frame_, next, CurrentFrameDelta);
    else
      Skeleton().SetCurrentFrame(Skeleton().Frame(current_frame_));
  } else {
    std::vector<TBlendedLerpInfo> blend{interpolate ? TBlendedLerpInfo{current_frame_, next, CurrentFrameDelta, 1}
                                                    : TBlendedLerpInfo{current_frame_, current_frame_, 0, 1}};
    for (TGLBaseAnimationControler* controler : controlers_) {
      TBlendedLerpInfo info;
      if (controler->Apply(info)) blend.push_back(info);
    }
    Skeleton().BlendedLerps(blend);
  }
  Skeleton().MorphMesh((Options & aoSkeletonNormalizeNormals) != 0);
}

void TGLActor::DrawSkeletonOverlay(TRenderContextInfo& rci) {
  auto& gl = GL();
  // The point size and the colour are saved too, so the overlay leaves nothing behind.
  gl.glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POINT_BIT);
  gl.glDisable(GL_DEPTH_TEST);
  Skeleton().RootBones().BuildList(rci);
  gl.glPopAttrib();
}
