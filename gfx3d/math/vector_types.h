// The single-precision records of the 3-D library and the library's read-only
// math constants. Lists archive items as raw bytes, so the records are packed
// little-endian singles of fixed size.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

// 80-bit extended precision of the x87 unit, used by the "Ext" routines.
using Extended = long double;

// A point or direction without w.
struct TAffineVector {
  float x = 0, y = 0, z = 0;
  float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};

// Homogeneous vector: a point has w = 1, a direction w = 0.
struct TVector4f {
  float x = 0, y = 0, z = 0, w = 0;
  float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
};

// Row-major 4x4 matrix under the row-vector convention v' = v * M: rows 0-2
// hold the transformed axes, row 3 the translation.
struct TMatrix4f {
  std::array<TVector4f, 4> rows;
  TVector4f& operator[](int r) { return rows[static_cast<std::size_t>(r)]; }
  const TVector4f& operator[](int r) const { return rows[static_cast<std::size_t>(r)]; }
};

// Imaginary part x, y, z, then the real part w; identity is (0, 0, 0, 1).
struct TQuaternion {
  float x = 0, y = 0, z = 0, w = 0;
};

struct TTexPoint {
  float S = 0, T = 0;
};

struct TDoubleVector3 {
  double x = 0, y = 0, z = 0;
};

// Planes (a, b, c, d); a point is inside a plane when a*x + b*y + c*z + d >= 0.
struct TFrustumPlanes {
  TVector4f pLeft, pTop, pRight, pBottom, pNear, pFar;
};

// What the render pass knows about the current view; culling reads its frustum.
struct TClippingInfo {
  TVector4f origin;
  TVector4f clippingDirection;
  float viewPortRadius = 0;
  float farClippingDistance = 0;
  TFrustumPlanes frustum;
};

// Slots of TMatrixTransforms as filled by UnpackMatrixTransforms.
enum TTransType {
  ttScaleX,
  ttScaleY,
  ttScaleZ,
  ttShearXY,
  ttShearXZ,
  ttShearYZ,
  ttRotateX,
  ttRotateY,
  ttRotateZ,
  ttTranslateX,
  ttTranslateY,
  ttTranslateZ,
  ttPerspectiveX,
  ttPerspectiveY,
  ttPerspectiveZ,
  ttPerspectiveW
};
using TMatrixTransforms = std::array<float, 16>;

// The order of three axis rotations, first factor first.
enum TEulerOrder { eulXYZ, eulXZY, eulYXZ, eulYZX, eulZXY, eulZYX };

static_assert(sizeof(TAffineVector) == 12 && sizeof(TVector4f) == 16 && sizeof(TMatrix4f) == 64);
static_assert(sizeof(TQuaternion) == 16 && sizeof(TTexPoint) == 8);
static_assert(std::endian::native == std::endian::little, "archives hold the records as raw little-endian bytes");

inline constexpr TMatrix4f IdentityMatrix{{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}};
inline constexpr TMatrix4f ZeroMatrix{};
inline constexpr TQuaternion IdentityQuaternion{0, 0, 0, 1};
inline constexpr TAffineVector XVector{1, 0, 0};
inline constexpr TAffineVector YVector{0, 1, 0};
inline constexpr TAffineVector ZVector{0, 0, 1};
inline constexpr TVector4f XHmgPoint{0, 0, 0, 1};

// Thresholds below which a value counts as zero; EpsilonTiny is a denormal.
inline constexpr float EpsilonTiny = static_cast<float>(1e-40);
inline constexpr float EpsilonSmall = static_cast<float>(1e-30);

inline constexpr float cPIdiv2 = 3.14159265358979323846f / 2;
inline constexpr float cPIdiv180 = static_cast<float>(3.14159265358979323846 / 180);
inline constexpr float c180divPI = static_cast<float>(180 / 3.14159265358979323846);
inline constexpr Extended cPIdiv180Ext = 3.14159265358979323846264338327950288L / 180;
inline constexpr Extended c180divPIExt = 180 / 3.14159265358979323846264338327950288L;
inline constexpr float cInv360 = 1.0f / 360;
