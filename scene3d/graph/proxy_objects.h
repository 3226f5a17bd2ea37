// Objects whose drawing comes from elsewhere: a proxy renders another object
// (its master) in its own place, a direct-OpenGL object calls back for its
// drawing, and a render point calls a list of registered callbacks.
#pragma once

#include <functional>
#include <vector>

#include "scene3d/graph/stage_object.h"

enum TGLProxyObjectOption : std::uint8_t { pooEffects = 1, pooObjects = 2, pooTransformation = 4 };
using TGLProxyObjectOptions = std::uint8_t;

class TGLProxyObject : public TGLBaseStageObject, public IFreeNotificationSink {
 public:
  explicit TGLProxyObject(TComponent* owner);
  ~TGLProxyObject() override;
  std::string ClassName() const override { return "TGLProxyObject"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLProxyObject>(owner);
  }
  void Assign(const TPersistent* source) override;

  TGLBaseStageObject* MasterObject() const { return master_object_; }
  virtual void SetMasterObject(TGLBaseStageObject* value);
  TGLProxyObjectOptions ProxyOptions() const { return proxy_options_; }
  void SetProxyOptions(TGLProxyObjectOptions value);

  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  TVector4f AxisAlignedDimensionsUnscaled() override;
  std::unique_ptr<TGLSilhouette> GenerateSilhouette(const TGLSilhouetteParameters& parameters) override;
  bool RayCastIntersect(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                        TVector4f* intersectNormal) override;
  void ObjectFreed(TObject* object) override;

 private:
  TGLBaseStageObject* master_object_ = nullptr;
  TGLProxyObjectOptions proxy_options_ = pooEffects | pooObjects | pooTransformation;
  bool rendering_ = false;  // a proxy that is its own master, directly or not, stops here
};

using TDirectRenderEvent = std::function<void(TObject* sender, TRenderContextInfo& rci)>;

class TGLDirectOpenGL : public TGLImmaterialStageObject {
 public:
  explicit TGLDirectOpenGL(TComponent* owner);
  std::string ClassName() const override { return "TGLDirectOpenGL"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLDirectOpenGL>(owner);
  }
  void Assign(const TPersistent* source) override;

  bool UseBuildList() const { return use_build_list_; }
  // True compiles the callback into a display list.
  void SetUseBuildList(bool value);
  bool Blend() const { return blend_; }
  void SetBlend(bool value);
  bool Blended() const override { return blend_; }
  TDirectRenderEvent OnRender;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  bool use_build_list_ = false;
  bool blend_ = false;
};

class TGLRenderPoint : public TGLImmaterialStageObject {
 public:
  using TRenderCallback = std::function<void(TObject* sender, TRenderContextInfo& rci)>;
  using TReleaseCallback = std::function<void(TObject* sender)>;

  explicit TGLRenderPoint(TComponent* owner);
  ~TGLRenderPoint() override;
  std::string ClassName() const override { return "TGLRenderPoint"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLRenderPoint>(owner);
  }

  void Add(TRenderCallback render, TReleaseCallback release);
  // Calls the release callbacks, last first, and drops them all.
  void Clear();
  int CallbackCount() const { return static_cast<int>(render_callbacks_.size()); }
  void BuildList(TRenderContextInfo& rci) override;

 private:
  std::vector<TRenderCallback> render_callbacks_;
  std::vector<TReleaseCallback> release_callbacks_;
};
