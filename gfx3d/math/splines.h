// Natural cubic splines through up to four parallel coordinate arrays, indexed
// by node number: the parameter t runs from 0 (first node) to count - 1 (last
// node) and segment k covers [k, k + 1]; outside, the end segments extrapolate.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "gfx3d/math/vector_types.h"

// One row per segment: the cubic in the global parameter t, highest power first.
using TCubicSplineMatrix = std::vector<std::array<float, 4>>;

// The coefficient rows of one coordinate array. One node gives one constant
// row (the spline stays at that value); no node gives no rows.
TCubicSplineMatrix SplineCoefficients(std::span<const float> values);
// Node slopes of the natural spline whose right-hand side is given; asserts it is not empty.
std::vector<float> SplineSolveSystem(std::span<const float> rightHandSide);
// Value and slope at t; 0 for an empty table.
float SplineSegmentValue(const TCubicSplineMatrix& table, float t);
float SplineSegmentSlope(const TCubicSplineMatrix& table, float t);

class TCubicSpline {
 public:
  // Any of the arrays may be null; each given one must hold count values.
  TCubicSpline(const float* x, const float* y, const float* z, const float* w, int count);

  float ValueX(float t) const;
  void ValueXYZ(float t, float& x, float& y, float& z) const;
  TAffineVector AffineVectorAt(float t) const;
  TVector4f VectorAt(float t) const;
  TAffineVector SlopeVectorAt(float t) const;

 private:
  TCubicSplineMatrix x_, y_, z_, w_;
};
