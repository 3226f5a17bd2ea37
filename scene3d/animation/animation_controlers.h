// Controllers that layer an actor's named animations over its own skeleton
// animation: each one that is enabled contributes two frames and the factor
// between them to the blend the actor draws.
#pragma once

#include <string>

#include "gfx3d/core/free_notification.h"
#include "gfx3d/core/toolkit_components.h"
#include "scene3d/animation/skeleton.h"

class TGLActor;

class TGLBaseAnimationControler : public TComponent, public IFreeNotificationSink {
 public:
  explicit TGLBaseAnimationControler(TComponent* owner);
  ~TGLBaseAnimationControler() override;
  TGLBaseAnimationControler(const TGLBaseAnimationControler&) = delete;
  TGLBaseAnimationControler& operator=(const TGLBaseAnimationControler&) = delete;
  std::string ClassName() const override { return "TGLBaseAnimationControler"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TGLActor* Actor() const { return actor_; }
  // Leaves the old actor's controllers and joins the new one's.
  void SetActor(TGLActor* value);
  // Fills lerpInfo and answers true when the controller contributes to the blend.
  virtual bool Apply(TBlendedLerpInfo& lerpInfo);
  void ObjectFreed(TObject* object) override;

 protected:
  // Tells the actor that what it draws has changed.
  void DoChange();

 private:
  bool enabled_ = true;
  TGLActor* actor_ = nullptr;
};

class TGLAnimationControler : public TGLBaseAnimationControler {
 public:
  using TGLBaseAnimationControler::TGLBaseAnimationControler;
  std::string ClassName() const override { return "TGLAnimationControler"; }
  const std::string& AnimationName() const { return animation_name_; }
  void SetAnimationName(const std::string& value);
  float Ratio() const { return ratio_; }
  // Clamped to 0..1: the position within the animation.
  void SetRatio(float value);
  bool Apply(TBlendedLerpInfo& lerpInfo) override;

 private:
  std::string animation_name_;
  float ratio_ = 0;
};
