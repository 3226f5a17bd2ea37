// An arrow along the local Z axis: a shaft with a cone head at either end.
#pragma once

#include <cstdint>

#include "scene3d/objects/cylinder_base.h"

enum TArrowLinePartFlag : std::uint8_t { alLine = 1, alTopArrow = 2, alBottomArrow = 4 };
using TArrowLineParts = std::uint8_t;
// Heads sit beyond the shaft's ends, straddle them, or lie within the overall Height.
enum TArrowHeadStackingStyle : std::uint8_t { ahssStacked, ahssCentered, ahssIncluded };

class TGLArrowLine : public TGLCylinderBase {
 public:
  explicit TGLArrowLine(TComponent* owner) : TGLCylinderBase(owner) {}
  std::string ClassName() const override { return "TGLArrowLine"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLArrowLine>(owner);
  }
  void Assign(const TPersistent* source) override;

  TArrowLineParts Parts() const { return parts_; }
  void SetParts(TArrowLineParts value);
  float TopRadius() const { return top_radius_; }
  void SetTopRadius(float value);
  float TopArrowHeadHeight() const { return top_head_height_; }
  void SetTopArrowHeadHeight(float value);
  float TopArrowHeadRadius() const { return top_head_radius_; }
  void SetTopArrowHeadRadius(float value);
  float BottomArrowHeadHeight() const { return bottom_head_height_; }
  void SetBottomArrowHeadHeight(float value);
  float BottomArrowHeadRadius() const { return bottom_head_radius_; }
  void SetBottomArrowHeadRadius(float value);
  TArrowHeadStackingStyle HeadStackingStyle() const { return head_stacking_style_; }
  void SetHeadStackingStyle(TArrowHeadStackingStyle value);

  void BuildList(TRenderContextInfo& rci) override;

 private:
  TArrowLineParts parts_ = alLine | alTopArrow;
  float top_radius_ = 0.1f;
  float top_head_height_ = 0.5f, top_head_radius_ = 0.2f;
  float bottom_head_height_ = 0.5f, bottom_head_radius_ = 0.2f;
  TArrowHeadStackingStyle head_stacking_style_ = ahssStacked;
};
