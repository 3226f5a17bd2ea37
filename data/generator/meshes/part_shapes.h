// The shapes of the part meshes of the 3-D view, in millimetres, built as
// convex prisms. Each shape is made to the placement the scene builder gives
// its part: where its origin sits and which mesh axis a rotation turns upright.
#pragma once

#include <array>
#include <string>
#include <vector>

struct Point3 {
  float x = 0, y = 0, z = 0;
};
// Corners counter-clockwise seen from outside.
using Triangle = std::array<Point3, 3>;
using Triangles = std::vector<Triangle>;

// Low detail for "obj_L", high for "obj_H": the low set has no joints, its
// shelf panels are their top faces only, its wheels and arches are less round.
enum class Detail { low, high };

// An upright ("P" + height and the compact uprights): 28 × 28, height along +Z.
Triangles upright_shape(double height);
// A frame crossbar ("T" + depth): depth − 63 long along +X.
Triangles crossbar_shape(double depth);
// The side rail of a shelf level: 1 long along +X, stretched by the module length.
Triangles side_rail_shape();
// The joint plate at a rail end; none at low detail.
Triangles joint_shape(Detail detail);
// The corner piece ("ga" + depth): spans depth + 1 along +Y, rises along +Z.
Triangles corner_piece_shape(double depth);
// A shelf panel: width along +X (264 for 'A', 352 for 'B'), depth − 44 along +Y, 20 thick below its
// top face at Z = 0; at low detail that face alone, facing +Z (up, as placed).
Triangles panel_shape(double width, double depth, Detail detail);
// The arch on top of a frame: 514 wide along +X, 12 thick.
Triangles arch_shape(Detail detail);
// A trolley wheel with its mounting plate, inside a 95 × 95 footprint.
Triangles wheel_shape(Detail detail);
// The brake fitting beside a wheel (the wheel itself is a separate part).
Triangles brake_shape();
// The sliding bracket of a mobile compact module.
Triangles bracket_shape();
// A compact-shelving rail ("binario" + kit length): the kit length along +X.
Triangles rail_shape(double kit_length);
