// The classic teapot, drawn from Bezier patches through GL's evaluators.
#pragma once

#include "scene3d/graph/stage_object.h"

class TGLTeapot : public TGLStageObject {
 public:
  explicit TGLTeapot(TComponent* owner) : TGLStageObject(owner) {}
  std::string ClassName() const override { return "TGLTeapot"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLTeapot>(owner);
  }
  TVector4f AxisAlignedDimensionsUnscaled() override { return {0.35f, 0.25f, 0.55f, 0}; }
  void BuildList(TRenderContextInfo& rci) override;

 private:
  // Subdivisions per patch side; at least 2 are drawn.
  int grid_ = 5;
};
