// Angles, trigonometry, powers and the integer conversions of the 3-D
// library. Conversions to integers round to nearest with ties to even;
// values outside the 32-bit range become the "integer indefinite" -2^31.
#pragma once

#include <cstdint>
#include <span>

#include "gfx3d/math/vector_types.h"

float DegToRad(float degrees);
float RadToDeg(float radians);
Extended DegToRadExt(Extended degrees);
Extended RadToDegExt(Extended radians);
// Brings an angle into [-180, 180]; 540 gives 180, -540 gives -180.
float WrapAngleDegrees(float angle);

void SinCos(float angle, float& sine, float& cosine);
void SinCosExt(Extended angle, Extended& sine, Extended& cosine);
void SinCosRadius(float angle, float radius, float& sine, float& cosine);
// Sines and cosines of n + 1 evenly spaced angles from start to stop (degrees);
// both spans must have the same size.
void FillSinCosTable(std::span<float> sines, std::span<float> cosines, float start, float stop);

float ArcCos(float x);
Extended ArcCosExt(Extended x);
Extended ArcSinExt(Extended x);
float ArcTan2(float y, float x);
Extended ArcTan2Ext(Extended y, Extended x);
Extended TanExt(Extended x);
float ReciprocalSqrt(float x);

float PowerSingle(float base, float exponent);
Extended IntPower(Extended base, std::int32_t exponent);

float RoundToIntegralSingle(float x);
std::int32_t RoundSingle(float x);
std::int32_t TruncSingle(float x);
Extended TruncExt(Extended x);
// x minus its integral part, keeping the sign: -1.25 gives -0.25.
float FracSingle(float x);
int SignSingle(float x);
Extended MaxExtended(Extended a, Extended b);
std::int32_t IntegerMax(std::int32_t a, std::int32_t b);
float ClampSingle(float value, float min, float max);
float Lerp(float start, float stop, float t);
