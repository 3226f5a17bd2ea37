// An unlit cloud of points with optional colours per point and sizes that
// shrink with distance where the driver supports it.
#pragma once

#include <cstdint>
#include <memory>

#include "gfx3d/geometry/coordinates.h"
#include "gfx3d/lists/vector_lists.h"
#include "scene3d/graph/stage_object.h"

// Distance attenuation of point sizes; sizes below zero are stored as zero.
class TGLPointParameters : public TGLUpdateAbleObject {
 public:
  explicit TGLPointParameters(TPersistent* owner);
  std::string ClassName() const override { return "TGLPointParameters"; }
  // The three sizes as "PointParams", unless they are (0, 128, 1).
  void DefineProperties(TPropertyDefiner& definer) override;
  void Assign(const TPersistent* source) override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  float MinSize() const { return min_size_; }
  void SetMinSize(float value);
  float MaxSize() const { return max_size_; }
  void SetMaxSize(float value);
  float FadeTresholdSize() const { return fade_treshold_size_; }
  void SetFadeTresholdSize(float value);
  // x, y, z: the constant, linear and quadratic terms.
  TGLCoordinates& DistanceAttenuation() { return distance_attenuation_; }
  void SetDistanceAttenuation(const TGLCoordinates& value) { distance_attenuation_.Assign(&value); }

  // Around a draw, when enabled and the driver has point parameters.
  void Apply() const;
  void UnApply() const;

 private:
  void StoreSize(float& field, float value);

  bool enabled_ = false;
  float min_size_ = 0, max_size_ = 128, fade_treshold_size_ = 1;
  TGLCoordinates distance_attenuation_;
};

enum TGLPointStyle : std::uint8_t { psSquare, psRound, psSmooth, psSmoothAdditive, psSquareAdditive };

class TGLPoints : public TGLImmaterialStageObject {
 public:
  explicit TGLPoints(TComponent* owner);
  ~TGLPoints() override;
  std::string ClassName() const override { return "TGLPoints"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLPoints>(owner);
  }
  void Assign(const TPersistent* source) override;

  TAffineVectorList& Positions() { return positions_; }
  void SetPositions(const TAffineVectorList& value);
  // RGBA per point; more than one limits the points drawn to their number.
  TVectorList& Colors() { return colors_; }
  void SetColors(const TVectorList& value);
  float Size() const { return size_; }
  void SetSize(float value);
  TGLPointStyle Style() const { return style_; }
  void SetStyle(TGLPointStyle value);
  TGLPointParameters& PointParameters() { return *point_parameters_; }
  void SetPointParameters(const TGLPointParameters& value) { point_parameters_->Assign(&value); }
  bool NoZWrite() const { return no_z_write_; }
  void SetNoZWrite(bool value);
  // Static points are compiled into a display list; others are sent every frame.
  bool Static() const { return static_; }
  void SetStatic(bool value);

  void BuildList(TRenderContextInfo& rci) override;

 private:
  TAffineVectorList positions_;
  TVectorList colors_;
  float size_ = 1;
  TGLPointStyle style_ = psSquare;
  std::unique_ptr<TGLPointParameters> point_parameters_;
  bool no_z_write_ = false;
  bool static_ = false;
};
