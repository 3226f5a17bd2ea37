#include "gfx3d/math/scalar_math.h"

#include <cmath>
#include <limits>

#include "gfx3d/core/library_errors.h"

namespace {

constexpr std::int32_t kIntegerIndefinite = std::numeric_limits<std::int32_t>::min();

// The processor's answer for an integral value that a 32-bit integer cannot hold.
std::int32_t ToInt32(double integral) {
  if (!(integral >= -2147483648.0 && integral < 2147483648.0)) return kIntegerIndefinite;
  return static_cast<std::int32_t>(integral);
}

}  // namespace

float DegToRad(float degrees) { return degrees * cPIdiv180; }
float RadToDeg(float radians) { return radians * c180divPI; }
Extended DegToRadExt(Extended degrees) { return degrees * cPIdiv180Ext; }
Extended RadToDegExt(Extended radians) { return radians * c180divPIExt; }

float WrapAngleDegrees(float angle) {
  Extended a = angle;
  auto wrapped = static_cast<float>(a - TruncExt(a * cInv360) * 360);
  if (wrapped > 180) return wrapped - 360;
  if (wrapped < -180) return wrapped + 360;
  return wrapped;
}

void SinCos(float angle, float& sine, float& cosine) {
  Extended s, c;
  SinCosExt(angle, s, c);
  sine = static_cast<float>(s);
  cosine = static_cast<float>(c);
}

void SinCosExt(Extended angle, Extended& sine, Extended& cosine) {
  sine = std::sin(angle);
  cosine = std::cos(angle);
}

void SinCosRadius(float angle, float radius, float& sine, float& cosine) {
  Extended s, c;
  SinCosExt(angle, s, c);
  sine = static_cast<float>(s * radius);
  cosine = static_cast<float>(c * radius);
}

void FillSinCosTable(std::span<float> sines, std::span<float> cosines, float start, float stop) {
  Assert(sines.size() == cosines.size(), "Source/Base/VectorGeometry", 6725);
  if (sines.empty()) return;
  const std::size_t n = sines.size() - 1;
  const auto stopped = static_cast<float>(stop + 1e-5);
  const Extended startRad = static_cast<Extended>(start) * cPIdiv180Ext;
  const Extended step = n == 0 ? 0 : (static_cast<Extended>(stopped) - start) * cPIdiv180Ext / static_cast<Extended>(n);
  // Short tables use the cheap two-multiplication recurrence; its error grows with
  // the length, so long ones take every value directly.
  if (n >= 1000) {
    for (std::size_t i = 0; i <= n; ++i)
      SinCos(static_cast<float>(static_cast<Extended>(i) * step + startRad), sines[i], cosines[i]);
    return;
  }
  const Extended half = std::sin(step / 2);
  const auto alpha = static_cast<float>(2 * half * half);
  const auto beta = static_cast<float>(std::sin(step));
  SinCos(static_cast<float>(startRad), sines[0], cosines[0]);
  // Each step is computed in extended precision and rounded once when stored.
  for (std::size_t i = 0; i < n; ++i) {
    const Extended c = cosines[i], s = sines[i];
    cosines[i + 1] = static_cast<float>(c - alpha * c - beta * s);
    sines[i + 1] = static_cast<float>(s - alpha * s + beta * c);
  }
}

float ArcCos(float x) { return std::atan2(std::sqrt(1 - x * x), x); }
Extended ArcCosExt(Extended x) { return ArcTan2Ext(std::sqrt(1 - x * x), x); }
Extended ArcSinExt(Extended x) { return ArcTan2Ext(x, std::sqrt(1 - x * x)); }
float ArcTan2(float y, float x) { return std::atan2(y, x); }
Extended ArcTan2Ext(Extended y, Extended x) { return std::atan2(y, x); }
Extended TanExt(Extended x) { return std::tan(x); }
float ReciprocalSqrt(float x) { return 1 / std::sqrt(x); }

float PowerSingle(float base, float exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  // Whole exponents stay exact (and allow negative bases) by repeated squaring;
  // beyond the 32-bit range the general formula gives the right overflow.
  if (exponent == RoundToIntegralSingle(exponent) && std::fabs(exponent) < 2147483648.0f)
    return static_cast<float>(IntPower(base, RoundSingle(exponent)));
  return static_cast<float>(std::exp(static_cast<Extended>(exponent) * std::log(static_cast<Extended>(base))));
}

Extended IntPower(Extended base, std::int32_t exponent) {
  if (exponent == 0) return 1;
  auto remaining = static_cast<std::uint32_t>(exponent < 0 ? -static_cast<std::int64_t>(exponent) : exponent);
  Extended result = 1;
  Extended factor = base;
  while (remaining != 0) {
    if (remaining & 1u) result *= factor;
    factor *= factor;
    remaining >>= 1;
  }
  return exponent < 0 ? 1 / result : result;
}

float RoundToIntegralSingle(float x) { return std::nearbyint(x); }
std::int32_t RoundSingle(float x) { return ToInt32(std::nearbyint(static_cast<double>(x))); }
std::int32_t TruncSingle(float x) { return ToInt32(std::trunc(static_cast<double>(x))); }
Extended TruncExt(Extended x) { return std::trunc(x); }
float FracSingle(float x) { return static_cast<float>(x - TruncExt(x)); }

int SignSingle(float x) {
  if (x < 0) return -1;
  return x > 0 ? 1 : 0;
}

Extended MaxExtended(Extended a, Extended b) { return a > b ? a : b; }
std::int32_t IntegerMax(std::int32_t a, std::int32_t b) { return a > b ? a : b; }

float ClampSingle(float value, float min, float max) {
  if (value < min) return min;
  return value > max ? max : value;
}

float Lerp(float start, float stop, float t) { return start + (stop - start) * t; }
