#include "part_shapes.h"

#include <cmath>
#include <numbers>

#include "model/base/part_placement.h"
#include "model/modules/module_kind.h"

namespace {

// A convex polygon of the XY plane, listed counter-clockwise seen from +Z,
// extruded from z0 to z1, caps included.
void add_prism_z(Triangles& out, const std::vector<Point3>& outline, float z0, float z1) {
  const std::size_t n = outline.size();
  auto at = [&](std::size_t i, float z) { return Point3{outline[i % n].x, outline[i % n].y, z}; };
  for (std::size_t i = 1; i + 1 < n; ++i) {
    out.push_back({at(0, z1), at(i, z1), at(i + 1, z1)});
    out.push_back({at(0, z0), at(i + 1, z0), at(i, z0)});
  }
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back({at(i, z0), at(i + 1, z0), at(i + 1, z1)});
    out.push_back({at(i, z0), at(i + 1, z1), at(i, z1)});
  }
}

void add_box(Triangles& out, Point3 lo, Point3 hi) {
  add_prism_z(out, {{lo.x, lo.y, 0}, {hi.x, lo.y, 0}, {hi.x, hi.y, 0}, {lo.x, hi.y, 0}}, lo.z, hi.z);
}

Triangles box(Point3 lo, Point3 hi) {
  Triangles out;
  add_box(out, lo, hi);
  return out;
}

// A regular polygon about (cx, cy), counter-clockwise.
std::vector<Point3> circle(float cx, float cy, float radius, int segments) {
  std::vector<Point3> points;
  for (int i = 0; i < segments; ++i) {
    const double angle = 2 * std::numbers::pi * i / segments;
    points.push_back(
        {cx + radius * static_cast<float>(std::cos(angle)), cy + radius * static_cast<float>(std::sin(angle)), 0});
  }
  return points;
}

}  // namespace

Triangles upright_shape(double height) { return box({0, 0, 0}, {28, 28, static_cast<float>(height)}); }

// A 14.8 mm tall flat bar; the placement centres it on its height.
Triangles crossbar_shape(double depth) {
  return box({0, 0, 0}, {static_cast<float>(depth - CrossbarShortfall), 14.8f, 30});
}

// A beam hanging below the level line, 33 deep towards the bay.
Triangles side_rail_shape() { return box({0, -30, 0}, {1, 0, 33}); }

Triangles joint_shape(Detail detail) { return detail == Detail::high ? box({0, -30, 0}, {18, 0, 33}) : Triangles{}; }

Triangles corner_piece_shape(double depth) { return box({0, 0, 0}, {25, static_cast<float>(depth + 1), 30}); }

Triangles panel_shape(double width, double depth, Detail detail) {
  const Point3 lo{0, 0, -20}, hi{static_cast<float>(width), static_cast<float>(depth - 44), 0};
  if (detail == Detail::high) return box(lo, hi);
  return {{{{lo.x, lo.y, 0}, {hi.x, lo.y, 0}, {hi.x, hi.y, 0}}}, {{{lo.x, lo.y, 0}, {hi.x, hi.y, 0}, {lo.x, hi.y, 0}}}};
}

// Two legs under a curved (or, at low detail, straight) bow, drawn in the XY plane.
Triangles arch_shape(Detail detail) {
  Triangles out;
  add_box(out, {0, 0, 0}, {20, 60, 12});
  add_box(out, {494, 0, 0}, {514, 60, 12});
  const int segments = detail == Detail::high ? 12 : 4;
  const float half = 257, rise = 90, bar = 20;
  auto bow_y = [&](float x) { return 60 + rise * (1 - ((x - half) / half) * ((x - half) / half)); };
  for (int i = 0; i < segments; ++i) {
    const float x0 = 514.0f * i / segments, x1 = 514.0f * (i + 1) / segments;
    add_prism_z(out, {{x0, bow_y(x0) - bar, 0}, {x1, bow_y(x1) - bar, 0}, {x1, bow_y(x1), 0}, {x0, bow_y(x0), 0}}, 0,
                12);
  }
  return out;
}

// The plate on top at the trolley's raised floor, the tyre below it turning about Z.
Triangles wheel_shape(Detail detail) {
  Triangles out;
  add_box(out, {0, 95, 0}, {95, static_cast<float>(TrolleyLift), 95});
  add_box(out, {30, 80, 30}, {65, 95, 65});
  add_prism_z(out, circle(47.5f, 40, 40, detail == Detail::high ? 24 : 8), 35, 60);
  return out;
}

Triangles brake_shape() { return box({70, 40, 30}, {95, 80, 65}); }

Triangles bracket_shape() { return box({0, 0, 0}, {58, 20, 60}); }

// A channel open to the floor: a top and two flanges.
Triangles rail_shape(double kit_length) {
  const float length = static_cast<float>(kit_length);
  Triangles out = box({0, 0, 0}, {length, 8, 72});
  add_box(out, {0, -40, 0}, {length, 0, 6});
  add_box(out, {0, -40, 66}, {length, 0, 72});
  return out;
}
