#include "gfx3d/math/splines.h"

#include <cmath>

#include "gfx3d/core/library_errors.h"

namespace {

constexpr const char* kUnit = "Source/Base/Spline";

TCubicSplineMatrix TableOf(const float* values, int count) {
  if (!values || count <= 0) return {};
  return SplineCoefficients({values, static_cast<std::size_t>(count)});
}

// The row whose segment holds t; the end rows extend beyond the nodes.
const std::array<float, 4>& RowAt(const TCubicSplineMatrix& table, float t) {
  const auto last = static_cast<int>(table.size()) - 1;
  const int k = t > 0 && t < static_cast<float>(last) ? static_cast<int>(t) : (t > 0 ? last : 0);
  return table[static_cast<std::size_t>(k)];
}

}  // namespace

std::vector<float> SplineSolveSystem(std::span<const float> rhs) {
  Assert(!rhs.empty(), kUnit, 119);
  const std::size_t n = rhs.size();
  if (n == 1) return {rhs[0] / 2};
  // Cholesky factors of the tridiagonal matrix with diagonal (2, 4, ..., 4, 2) and off-diagonal 1.
  std::vector<float> l(n), e(n), z(n), s(n);
  l[0] = std::sqrt(2.0f);
  e[0] = 1 / l[0];
  for (std::size_t i = 1; i + 1 < n; ++i) {
    l[i] = std::sqrt(4 - e[i - 1] * e[i - 1]);
    e[i] = 1 / l[i];
  }
  l[n - 1] = std::sqrt(2 - e[n - 2] * e[n - 2]);
  z[0] = rhs[0] / l[0];
  for (std::size_t i = 1; i < n; ++i) z[i] = (rhs[i] - z[i - 1] * e[i - 1]) / l[i];
  s[n - 1] = z[n - 1] / l[n - 1];
  for (std::size_t i = n - 1; i-- > 0;) s[i] = (z[i] - s[i + 1] * e[i]) / l[i];
  return s;
}

TCubicSplineMatrix SplineCoefficients(std::span<const float> y) {
  const std::size_t n = y.size();
  if (n == 0) return {};
  if (n == 1) return {{0, 0, 0, y[0]}};
  std::vector<float> rhs(n);
  rhs[0] = 3 * (y[1] - y[0]);
  for (std::size_t i = 1; i + 1 < n; ++i) rhs[i] = 3 * (y[i + 1] - y[i - 1]);
  rhs[n - 1] = 3 * (y[n - 1] - y[n - 2]);
  const std::vector<float> s = SplineSolveSystem(rhs);

  TCubicSplineMatrix table(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    // Local cubic a + b*u + c*u^2 + d*u^3 in u = t - i, rewritten in t.
    const float a = y[i], b = s[i];
    const float c = 3 * (y[i + 1] - y[i]) - 2 * s[i] - s[i + 1];
    const float d = -2 * (y[i + 1] - y[i]) + s[i] + s[i + 1];
    const auto k = static_cast<float>(i);
    table[i] = {d, c - 3 * k * d, (3 * k * d - 2 * c) * k + b, ((c - k * d) * k - b) * k + a};
  }
  return table;
}

float SplineSegmentValue(const TCubicSplineMatrix& table, float t) {
  if (table.empty()) return 0;
  const auto& row = RowAt(table, t);
  return ((row[0] * t + row[1]) * t + row[2]) * t + row[3];
}

float SplineSegmentSlope(const TCubicSplineMatrix& table, float t) {
  if (table.empty()) return 0;
  const auto& row = RowAt(table, t);
  return (3 * row[0] * t + 2 * row[1]) * t + row[2];
}

TCubicSpline::TCubicSpline(const float* x, const float* y, const float* z, const float* w, int count)
    : x_(TableOf(x, count)), y_(TableOf(y, count)), z_(TableOf(z, count)), w_(TableOf(w, count)) {}

float TCubicSpline::ValueX(float t) const { return SplineSegmentValue(x_, t); }

void TCubicSpline::ValueXYZ(float t, float& x, float& y, float& z) const {
  x = SplineSegmentValue(x_, t);
  y = SplineSegmentValue(y_, t);
  z = SplineSegmentValue(z_, t);
}

TAffineVector TCubicSpline::AffineVectorAt(float t) const {
  TAffineVector v;
  ValueXYZ(t, v.x, v.y, v.z);
  return v;
}

TVector4f TCubicSpline::VectorAt(float t) const {
  const TAffineVector v = AffineVectorAt(t);
  return {v.x, v.y, v.z, SplineSegmentValue(w_, t)};
}

TAffineVector TCubicSpline::SlopeVectorAt(float t) const {
  return {SplineSegmentSlope(x_, t), SplineSegmentSlope(y_, t), SplineSegmentSlope(z_, t)};
}
