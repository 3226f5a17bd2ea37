// Plotting of functions: sampling scales (where samples lie along an axis)
// and the surface z = f(x, y) of a height function.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gfx3d/core/notification.h"
#include "scene3d/graph/stage_object.h"

class TGLSamplingScale : public TGLUpdateAbleObject {
 public:
  explicit TGLSamplingScale(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  std::string ClassName() const override { return "TGLSamplingScale"; }
  void Assign(const TPersistent* source) override;

  // Min and Max drag each other so that Min never exceeds Max.
  float Min() const { return min_; }
  void SetMin(float value);
  float Max() const { return max_; }
  void SetMax(float value);
  float Origin() const { return origin_; }
  void SetOrigin(float value);
  float Step() const { return step_; }
  // Zero or less is stored as 1.
  void SetStep(float value);

  // The first sample at or above Min on the lattice through Origin.
  float FirstSample() const;
  int MaxSampleCount() const;
  bool HasRange() const { return max_ != min_; }
  // The samples to visit: from base while <= max, by step, at most `limit` of
  // them; one sample at Origin when not enabled.
  struct Sampling {
    float base, step, max;
    int limit;
  };
  Sampling SetupSampling(bool enabled) const;

 private:
  float min_ = 0, max_ = 0, origin_ = 0, step_ = 0.1f;
};

enum THeightFieldOptionFlag : std::uint8_t { hfoTextureCoordinates = 1, hfoTwoSided = 2 };
using THeightFieldOptions = std::uint8_t;
enum THeightFieldColorMode : std::uint8_t {
  hfcmNone,
  hfcmEmission,
  hfcmAmbient,
  hfcmDiffuse,
  hfcmAmbientAndDiffuse,
};

using THeightFieldGetHeightEvent = std::function<void(float x, float y, float& z, TVector4f& color, TTexPoint& tex)>;
using THeightFieldGetHeight2Event =
    std::function<void(TObject* sender, float x, float y, float& z, TVector4f& color, TTexPoint& tex)>;

class TGLHeightField : public TGLStageObject {
 public:
  explicit TGLHeightField(TComponent* owner);
  ~TGLHeightField() override;
  std::string ClassName() const override { return "TGLHeightField"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLHeightField>(owner);
  }
  void Assign(const TPersistent* source) override;
  void NotifyChange(TObject* sender) override;

  TGLSamplingScale& XSamplingScale() const { return *x_scale_; }
  TGLSamplingScale& YSamplingScale() const { return *y_scale_; }
  THeightFieldOptions Options() const { return options_; }
  void SetOptions(THeightFieldOptions value);
  THeightFieldColorMode ColorMode() const { return color_mode_; }
  void SetColorMode(THeightFieldColorMode value);
  void SetOnGetHeight(THeightFieldGetHeightEvent value);
  void SetOnGetHeight2(THeightFieldGetHeight2Event value);
  int DrawnTriangleCount() const { return drawn_triangle_count_; }

  void BuildList(TRenderContextInfo& rci) override;

 private:
  struct Sample {
    TVector4f color;
    float z;
    TTexPoint tex;
    TAffineVector normal;
  };
  void Height(float x, float y, Sample& sample);
  void DrawStrip(const std::vector<Sample>& a, const std::vector<Sample>& b, float x0, float dx, float ya,
                 float yb) const;

  std::unique_ptr<TGLSamplingScale> x_scale_, y_scale_;
  THeightFieldOptions options_ = hfoTwoSided;
  THeightFieldColorMode color_mode_ = hfcmNone;
  THeightFieldGetHeightEvent on_get_height_;
  THeightFieldGetHeight2Event on_get_height2_;
  int drawn_triangle_count_ = 0;
};
