// Choices shared by several solid and line objects.
#pragma once

#include <cstdint>

// Which way a closed solid's normals point: out for a body, in for a room seen from within.
enum TNormalDirection : std::uint8_t { ndInside, ndOutside };

enum TNormalSmoothing : std::uint8_t { nsFlat, nsSmooth, nsNone };

// How a run of nodes becomes a line or an outline.
enum TLineSplineMode : std::uint8_t { lsmLines, lsmCubicSpline, lsmBezierSpline, lsmNURBSCurve, lsmSegments };

// The faces of a flat polygon or plate: top, bottom or both.
enum TPolygonPart : std::uint8_t { ppTop = 1, ppBottom = 2 };
using TPolygonParts = std::uint8_t;
