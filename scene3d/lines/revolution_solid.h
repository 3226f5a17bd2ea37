// A profile (the nodes, in the X-Y plane) turned about the Y axis, rising
// along Y as it turns when asked: vases, rings, screws.
#pragma once

#include <cstdint>

#include "scene3d/lines/polygon.h"

enum TRevolutionSolidPartFlag : std::uint8_t {
  rspOutside = 1,
  rspInside = 2,
  rspStartPolygon = 4,
  rspStopPolygon = 8,
};
using TRevolutionSolidParts = std::uint8_t;

class TGLRevolutionSolid : public TGLPolygonBase {
 public:
  explicit TGLRevolutionSolid(TComponent* owner) : TGLPolygonBase(owner) {}
  std::string ClassName() const override { return "TGLRevolutionSolid"; }
  std::unique_ptr<TGLBaseStageObject> NewOfSameClass(TComponent* owner) const override {
    return std::make_unique<TGLRevolutionSolid>(owner);
  }
  void Assign(const TPersistent* source) override;

  TRevolutionSolidParts Parts() const { return parts_; }
  void SetParts(TRevolutionSolidParts value);
  // Degrees; each writer drags the other along so that Start never exceeds Stop.
  float StartAngle() const { return start_angle_; }
  void SetStartAngle(float value);
  float StopAngle() const { return stop_angle_; }
  void SetStopAngle(float value);
  float YOffsetPerTurn() const { return y_offset_per_turn_; }
  void SetYOffsetPerTurn(float value);
  int Slices() const { return slices_; }
  // Zero or less is ignored.
  void SetSlices(int value);
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing value);
  TNormalDirection NormalDirection() const { return normal_direction_; }
  void SetNormalDirection(TNormalDirection value);

  void BuildList(TRenderContextInfo& rci) override;

 private:
  void BuildSide(const std::vector<TAffineVector>& profile, bool swap, float start, float stop, int steps) const;
  void BuildCap(float angle, bool flip) const;
  float HelixOffset(float angle) const;

  TRevolutionSolidParts parts_ = rspOutside;
  float start_angle_ = 0, stop_angle_ = 360, y_offset_per_turn_ = 0;
  int slices_ = 16;
  TNormalSmoothing normals_ = nsFlat;
  TNormalDirection normal_direction_ = ndOutside;
};
