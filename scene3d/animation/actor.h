// A mesh that steps through frames over time: morph targets of its mesh
// objects or key frames of its skeleton, with named animations to switch to
// and controllers that layer further animations over the skeleton's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gfx3d/core/toolkit_components.h"
#include "scene3d/meshes/base_mesh.h"

enum TActorAnimationReference : std::uint8_t { aarMorph, aarSkeleton, aarNone };
enum TActorFrameInterpolation : std::uint8_t { afpNone, afpLinear };
enum TActorAnimationMode : std::uint8_t {
  aamNone,
  aamPlayOnce,
  aamLoop,
  aamBounceForward,
  aamBounceBackward,
  aamLoopBackward,
  aamExternal,
};
enum TGLActorOption : std::uint8_t { aoSkeletonNormalizeNormals = 1 };
using TGLActorOptions = std::uint8_t;

class TGLActor;
class TGLBaseAnimationControler;

class TActorAnimation : public TCollectionItem {
 public:
  explicit TActorAnimation(TCollection* collection = nullptr) : TCollectionItem(collection) {}
  std::string ClassName() const override { return "TActorAnimation"; }
  void Assign(const TPersistent* source) override;
  // "<index> - <name> [<start> - <end>]".
  std::string GetDisplayName() const override;
  std::string Name;
  int StartFrame() const { return start_frame_; }
  int EndFrame() const { return end_frame_; }
  // Clamped to the actor's frames, start never after end.
  void SetStartFrame(int value);
  void SetEndFrame(int value);
  TActorAnimationReference Reference() const { return reference_; }
  void SetReference(TActorAnimationReference value);

 private:
  int LastFrame() const;

  int start_frame_ = 0;
  int end_frame_ = 0;
  TActorAnimationReference reference_ = aarMorph;
};

class TActorAnimations : public TOwnedCollection {
 public:
  explicit TActorAnimations(TGLActor* owner);
  std::string ClassName() const override { return "TActorAnimations"; }
  TGLActor* Actor() const;
  TActorAnimation* Add() { return static_cast<TActorAnimation*>(TOwnedCollection::Add()); }
  TActorAnimation& Items(int index) const { return static_cast<TActorAnimation&>(*TCollection::Items(index)); }
  TActorAnimation* FindName(const std::string& name) const;

 protected:
  void Update(TCollectionItem* item) override;
};

class TGLActor : public TGLBaseMesh {
 public:
  explicit TGLActor(TComponent* owner);
  std::string ClassName() const override { return "TGLActor"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLActor>(owner);
  }

  int StartFrame() const { return start_frame_; }
  void SetStartFrame(int value) { start_frame_ = value; }
  int EndFrame() const { return end_frame_; }
  void SetEndFrame(int value) { end_frame_ = value; }
  TActorAnimationReference Reference() const { return reference_; }
  void SetReference(TActorAnimationReference value) { reference_ = value; }
  int CurrentFrame() const { return current_frame_; }
  // Clamped to the frames; switches bouncing and play-once modes at their ends.
  void SetCurrentFrame(int value);
  float CurrentFrameDelta = 0;
  TActorFrameInterpolation FrameInterpolation = afpLinear;
  TActorAnimationMode AnimationMode = aamNone;
  int Interval = 100;
  TGLActorOptions Options = aoSkeletonNormalizeNormals;
  TActorAnimations& Animations() { return animations_; }
  std::function<void(TObject*)> OnFrameChanged, OnEndFrameReached, OnStartFrameReached;

  int FrameCount();
  int NextFrameIndex();
  void NextFrame(int steps = 1);
  void SwitchToAnimation(const TActorAnimation& animation, bool smooth = false);
  void SwitchToAnimation(const std::string& name, bool smooth = false);
  // Takes the reference's frames, modes and pending animation, and its skeleton's pose.
  void Synchronize(TGLActor& reference);
  // Clears the animations, then loads the mesh.
  void LoadMeshFromStream(const std::string& fileName, TStream& stream) override;
  void DoProgress(double deltaTime, double newTime) override;
  void BuildList(TRenderContextInfo& rci) override;

  // Called by the controllers as they join and leave.
  void RegisterControler(TGLBaseAnimationControler* controler);
  void UnRegisterControler(TGLBaseAnimationControler* controler);
  const std::vector<TGLBaseAnimationControler*>& Controlers() const { return controlers_; }

 private:
  friend class TActorAnimations;
  // The pending animation must not outlive its item.
  void ForgetRemovedAnimation();
  // Poses the skeleton for the current frame and drags the skinned meshes along.
  void PoseSkeleton(int next);
  void DrawSkeletonOverlay(TRenderContextInfo& rci);

  int start_frame_ = 0;
  int end_frame_ = 0;
  TActorAnimationReference reference_ = aarMorph;
  int current_frame_ = 0;
  TActorAnimations animations_{this};
  const TActorAnimation* target_animation_ = nullptr;
  std::vector<TGLBaseAnimationControler*> controlers_;
};
