#include "gfx3d/math/polynomials.h"

#include <array>
#include <cmath>
#include <numbers>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/scalar_math.h"

namespace {

void ShiftRoots(std::vector<double>& roots, double shift) {
  for (double& root : roots) root -= shift;
}

// Zero when negligible, its square root when positive; false when negative.
bool ZeroOrSquareRoot(double& value) {
  if (IsZeroPoly(value)) {
    value = 0;
    return true;
  }
  if (value < 0) return false;
  value = std::sqrt(value);
  return true;
}

// Roots of y^4 + p y^2 + r, a quadratic in y^2. The resolvent route fails
// here: its first root leaves 2z - p zero only up to rounding, and a value
// a hair below zero reads as no roots at all.
std::vector<double> SolveBiquadratic(double p, double r) {
  std::vector<double> roots;
  const std::array<double, 3> squares{r, p, 1};
  for (double w : SolveQuadric(squares)) {
    if (!ZeroOrSquareRoot(w)) continue;
    roots.push_back(w);
    if (w != 0) roots.push_back(-w);
  }
  return roots;
}

}  // namespace

bool IsZeroPoly(double x) { return std::fabs(x) <= 1e-40; }

double CubeRoot(double x) {
  if (x > 0) return PowerSingle(static_cast<float>(x), 1.0f / 3);
  if (x < 0) return -PowerSingle(static_cast<float>(-x), 1.0f / 3);
  return 0;
}

std::vector<double> SolveQuadric(std::span<const double, 3> c) {
  const double p = c[1] / (2 * c[2]);
  const double q = c[0] / c[2];
  const double d = p * p - q;
  if (IsZeroPoly(d)) return {-p};
  if (d > 0) return {std::sqrt(d) - p, -std::sqrt(d) - p};
  return {};
}

std::vector<double> SolveCubic(std::span<const double, 4> c) {
  if (IsZeroPoly(c[3])) return SolveQuadric(c.first<3>());
  const double a = c[2] / c[3], b = c[1] / c[3], constant = c[0] / c[3];
  const double p = (b - a * a / 3) / 3;
  const double q = (0.0740740740740741 * a * a * a - a * b / 3 + constant) / 2;
  const double d = q * q + p * p * p;
  std::vector<double> roots;
  if (IsZeroPoly(d)) {
    if (IsZeroPoly(q)) {
      roots = {0};
    } else {
      const double u = CubeRoot(-q);
      roots = {2 * u, -u};
    }
  } else if (d < 0) {
    const double phi = static_cast<double>(ArcCosExt(-q * ReciprocalSqrt(static_cast<float>(-p * p * p)))) / 3;
    const double t = 2 * std::sqrt(-p);
    constexpr double third = std::numbers::pi / 3;
    roots = {t * std::cos(phi), -t * std::cos(phi + third), -t * std::cos(phi - third)};
  } else {
    const double root = std::sqrt(d);
    roots = {CubeRoot(root - q) - CubeRoot(root + q)};
  }
  ShiftRoots(roots, a / 3);
  return roots;
}

std::vector<double> SolveQuartic(std::span<const double, 5> c) {
  if (IsZeroPoly(c[4])) return SolveCubic(c.first<4>());
  const double a = c[3] / c[4], b = c[2] / c[4], cc = c[1] / c[4], d = c[0] / c[4];
  const double p = -3.0 / 8 * a * a + b;
  const double q = 1.0 / 8 * a * a * a - 0.5 * a * b + cc;
  const double r = -3.0 / 256 * a * a * a * a + 1.0 / 16 * a * a * b - 0.25 * a * cc + d;
  std::vector<double> roots;
  if (IsZeroPoly(r)) {
    const std::array<double, 4> depressed{q, p, 0, 1};
    roots = SolveCubic(depressed);
    roots.push_back(0);
  } else if (IsZeroPoly(q)) {
    roots = SolveBiquadratic(p, r);
  } else {
    const std::array<double, 4> resolvent{0.5 * r * p - 0.125 * q * q, -r, -0.5 * p, 1};
    const std::vector<double> z_roots = SolveCubic(resolvent);
    Assert(!z_roots.empty(), "Source/Base/Polynomials", 367);
    const double z = z_roots[0];
    double u = z * z - r, v = 2 * z - p;
    if (!ZeroOrSquareRoot(u) || !ZeroOrSquareRoot(v)) return {};
    const std::array<double, 3> first{z - u, q < 0 ? -v : v, 1};
    const std::array<double, 3> second{z + u, q < 0 ? v : -v, 1};
    roots = SolveQuadric(first);
    for (double root : SolveQuadric(second)) roots.push_back(root);
  }
  ShiftRoots(roots, a / 4);
  return roots;
}

bool MinPositiveCoef(std::span<const double> roots, double& value) {
  bool found = false;
  for (double root : roots)
    if (root >= 0 && (!found || root < value)) {
      value = root;
      found = true;
    }
  return found;
}
