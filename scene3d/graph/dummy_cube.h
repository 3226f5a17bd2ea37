// The grouping node of the scene graph: no surface of its own, its transform
// applies to its children. It draws a stippled wire cube only when asked to,
// can compile itself and its subtree into one display list (amalgamation),
// and lets an event veto its subtree before each render.
#pragma once

#include <functional>

#include "scene3d/graph/stage_object.h"

using TGLVisibilityDeterminationEvent = std::function<bool(TObject* sender, TRenderContextInfo& rci)>;

class TGLDummyCube : public TGLCameraInvariantObject {
 public:
  explicit TGLDummyCube(TComponent* owner);
  ~TGLDummyCube() override;
  std::string ClassName() const override { return "TGLDummyCube"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLDummyCube>(owner);
  }
  // Size, colour and run-time visibility; Amalgamate stays as it was.
  void Assign(const TPersistent* source) override;

  float CubeSize() const { return cube_size_; }
  void SetCubeSize(float value);
  TGLColor& EdgeColor() const { return *edge_color_; }
  void SetEdgeColor(const TGLColor& value);
  bool VisibleAtRunTime() const { return visible_at_run_time_; }
  void SetVisibleAtRunTime(bool value);
  bool Amalgamate() const { return amalgamate_; }
  void SetAmalgamate(bool value);
  TGLVisibilityDeterminationEvent OnVisibilityDetermination;

  // The mean of the children's absolute positions (w included), or the own one without children.
  TVector4f BarycenterAbsolutePosition();

  TVector4f AxisAlignedDimensionsUnscaled() override;
  bool RayCastIntersect(const TVector4f&, const TVector4f&, TVector4f*, TVector4f*) override { return false; }
  void BuildList(TRenderContextInfo& rci) override;
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  void StructureChanged() override;

 private:
  float cube_size_ = 1;
  std::unique_ptr<TGLColor> edge_color_;
  bool visible_at_run_time_ = false;
  bool amalgamate_ = false;
  std::unique_ptr<TGLListHandle> group_list_;
};

// The twelve edges of a cube of the given size about the origin, unlit, in colour.
void CubeWireframeBuildList(TRenderContextInfo& rci, bool stipple, const TVector4f& color, float size);
