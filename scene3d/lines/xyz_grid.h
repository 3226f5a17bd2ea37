// A grid of lines parallel to the X, Y and Z axes, placed by three sampling
// scales: for each chosen axis, one line through every sample of the other
// two (an axis left out contributes the single value at its Origin).
#pragma once

#include <cstdint>
#include <memory>

#include "scene3d/lines/height_field.h"
#include "scene3d/lines/lines.h"

enum TXYZGridPartFlag : std::uint8_t { gpX = 1, gpY = 2, gpZ = 4 };
using TXYZGridParts = std::uint8_t;
// One straight line from Min to Max, or a vertex at every sample.
enum TXYZGridLinesStyle : std::uint8_t { glsLine, glsSegments };

class TGLXYZGrid : public TGLLineBase {
 public:
  explicit TGLXYZGrid(TComponent* owner);
  ~TGLXYZGrid() override;
  std::string ClassName() const override { return "TGLXYZGrid"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLXYZGrid>(owner);
  }
  // The scales, parts and lines style, then the line style.
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;

  TGLSamplingScale& XSamplingScale() const { return *x_scale_; }
  void SetXSamplingScale(const TGLSamplingScale& value) { x_scale_->Assign(&value); }
  TGLSamplingScale& YSamplingScale() const { return *y_scale_; }
  void SetYSamplingScale(const TGLSamplingScale& value) { y_scale_->Assign(&value); }
  TGLSamplingScale& ZSamplingScale() const { return *z_scale_; }
  void SetZSamplingScale(const TGLSamplingScale& value) { z_scale_->Assign(&value); }
  TXYZGridParts Parts() const { return parts_; }
  void SetParts(TXYZGridParts value);
  TXYZGridLinesStyle LinesStyle() const { return lines_style_; }
  void SetLinesStyle(TXYZGridLinesStyle value);
  void SetLinesSmoothing(bool value) { SetAntiAliased(value); }

  void BuildList(TRenderContextInfo& rci) override;

 private:
  std::unique_ptr<TGLSamplingScale> x_scale_, y_scale_, z_scale_;
  TXYZGridParts parts_ = gpX | gpY;
  TXYZGridLinesStyle lines_style_ = glsSegments;
};
