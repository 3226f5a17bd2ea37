// Real roots of polynomials of degree 2, 3 and 4 in double precision, by the
// classical normal-form method. Coefficients run from the constant term up.
#pragma once

#include <span>
#include <vector>

// True when |x| <= 1e-40.
bool IsZeroPoly(double x);
// Cube root with the sign of x, to single precision.
double CubeRoot(double x);
std::vector<double> SolveQuadric(std::span<const double, 3> c);
std::vector<double> SolveCubic(std::span<const double, 4> c);
std::vector<double> SolveQuartic(std::span<const double, 5> c);
// The smallest value >= 0 of the list; false when there is none.
bool MinPositiveCoef(std::span<const double> roots, double& value);
