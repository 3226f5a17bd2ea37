#include "scene3d/animation/animation_controlers.h"

#include <algorithm>
#include <cmath>

#include "scene3d/animation/actor.h"
#include "scene3d/graph/change_setters.h"

TGLBaseAnimationControler::TGLBaseAnimationControler(TComponent* owner) : TComponent(owner) {}

TGLBaseAnimationControler::~TGLBaseAnimationControler() { SetActor(nullptr); }

void TGLBaseAnimationControler::SetEnabled(bool value) {
  StoreOnChange(enabled_, value, [this] { DoChange(); });
}

void TGLBaseAnimationControler::SetActor(TGLActor* value) {
  if (value == actor_) return;
  if (actor_) {
    DoChange();
    actor_->UnRegisterControler(this);
    actor_->FreeNotifier().Remove(this);
  }
  actor_ = value;
  if (actor_) {
    actor_->FreeNotifier().Add(this);
    actor_->RegisterControler(this);
    DoChange();
  }
}

bool TGLBaseAnimationControler::Apply(TBlendedLerpInfo&) { return false; }

void TGLBaseAnimationControler::ObjectFreed(TObject* object) {
  // The actor is going: its list of controllers goes with it.
  if (object == static_cast<TObject*>(actor_)) actor_ = nullptr;
}

void TGLBaseAnimationControler::DoChange() {
  if (actor_) actor_->NotifyChange(this);
}

void TGLAnimationControler::SetAnimationName(const std::string& value) {
  StoreOnChange(animation_name_, value, [this] { DoChange(); });
}

void TGLAnimationControler::SetRatio(float value) {
  StoreOnChange(ratio_, std::clamp(value, 0.0f, 1.0f), [this] { DoChange(); });
}

bool TGLAnimationControler::Apply(TBlendedLerpInfo& lerpInfo) {
  if (!Enabled() || !Actor()) return false;
  const TActorAnimation* animation = Actor()->Animations().FindName(animation_name_);
  if (!animation) return false;
  const int start = animation->StartFrame();
  const int end = animation->EndFrame();
  if (ratio_ == 0) {
    lerpInfo = {start, start, 0, 1};
  } else if (ratio_ == 1) {
    lerpInfo = {end, end, 0, 1};
  } else {
    const float f = static_cast<float>(start) + static_cast<float>(end - start) * ratio_;
    const float whole = std::trunc(f);
    // A one-frame animation has no frame after its last.
    lerpInfo = {static_cast<int>(whole), std::min(static_cast<int>(whole) + 1, end), f - whole, 1};
  }
  return true;
}
