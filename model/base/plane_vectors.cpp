#include "model/base/plane_vectors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

Tvec2 vec_make(double x, double y) { return Tvec2{x, y}; }

double vec_length(const Tvec2& v) { return std::sqrt(v.x * v.x + v.y * v.y); }

double vec_dot(const Tvec2& a, const Tvec2& b) {
  double dot = a.x * b.x + a.y * b.y;
  return std::fabs(dot) < kVecTolerance ? 0.0 : dot;
}

bool vec_equal(const Tvec2& a, const Tvec2& b) {
  return std::fabs(a.x - b.x) < kVecTolerance && std::fabs(a.y - b.y) < kVecTolerance;
}

bool vec_same_or_opposite(const Tvec2& a, const Tvec2& b) {
  return vec_equal(a, b) || (std::fabs(a.x + b.x) < kVecTolerance && std::fabs(a.y + b.y) < kVecTolerance);
}

Tvec2 vec_normalize(const Tvec2& v) {
  double length = vec_length(v);
  Tvec2 r = length != 0.0 ? Tvec2{v.x / length, v.y / length} : v;
  if (std::fabs(r.x) < kVecTolerance) r.x = 0.0;
  if (std::fabs(r.y) < kVecTolerance) r.y = 0.0;
  return r;
}

double snap_angle(double degrees) {
  static constexpr std::array<double, 15> targets{30,  45,  60,  90,  120, 135, 150, 180,
                                                  210, 225, 240, 270, 300, 315, 330};
  for (double target : targets)
    if (std::fabs(target - degrees) < kAngleSnapTolerance) return target;
  if (std::fabs(360.0 - degrees) < kAngleSnapTolerance) return 0.0;
  return degrees;
}

double vec_angle_deg(const Tvec2& a, const Tvec2& b) {
  double length_a = vec_length(a);
  double length_b = vec_length(b);
  double angle = 0.0;
  if (length_a != 0.0 && length_b != 0.0) {
    // Rounding can put the cosine of nearly parallel vectors just outside -1..1.
    double cosine = std::clamp((a.x * b.x + a.y * b.y) / (length_a * length_b), -1.0, 1.0);
    angle = std::acos(cosine) * 180.0 / std::numbers::pi;
  }
  angle = snap_angle(angle);
  return a.x * b.y - a.y * b.x < 0.0 ? -angle : angle;
}

void reverse_doubles(std::span<double> values) { std::reverse(values.begin(), values.end()); }

void alternate_ends(std::span<double> values) {
  std::vector<double> copy(values.begin(), values.end());
  std::size_t front = 0;
  std::size_t back = values.size();
  for (std::size_t i = 0; i < copy.size(); ++i) {
    if (i % 2 == 0)
      values[front++] = copy[i];
    else
      values[--back] = copy[i];
  }
}
