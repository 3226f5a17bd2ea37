// A room with every kind of element the drawings show: bays on two walls
// joined at their corner, end frames, a door, wall dimensions, a free module
// with its frames and a clearance, a trolley and a compact group, in sizes of
// the loaded catalogue.
#pragma once

#include <array>

#include "model/base/records.h"
#include "model/layout/shelf_patterns.h"
#include "support/plan_builders.h"

// A compact group along x (its aisle at its centre) with the gaps to the walls beyond its sides.
inline Tcorvane make_compact_group(double x, double y, double depth, std::array<double, 4> wall_gaps) {
  Tcorvane group;
  group.x = group.aisle_x = x;
  group.y = group.aisle_y = y;
  group.depth = depth;
  group.overall_length = 3000;
  group.kit_length = 2645;
  group.wall_gaps = wall_gaps;
  return group;
}

inline constexpr double kSampleRoomWidth = 6000, kSampleRoomDepth = 5000;

inline Tcell sample_drawing_cell(double depth, double length, double height) {
  const double w = kSampleRoomWidth, h = kSampleRoomDepth;
  Tcell cell;
  cell.walls = {make_wall(0, 0, w, 0),       make_wall(w, 0, w, h),    make_wall(w, h, 3500, h),
                make_wall(3500, h, 2500, h), make_wall(2500, h, 0, h), make_wall(0, h, 0, 0)};
  const double normals[6][2] = {{0, -1}, {1, 0}, {0, 1}, {0, 1}, {0, 1}, {-1, 0}};
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    Tlinea& wall = cell.walls[i];
    wall.normal_x = normals[i][0];
    wall.normal_y = normals[i][1];
    wall.length = std::abs(wall.x2 - wall.x1) + std::abs(wall.y2 - wall.y1);
  }
  cell.walls[3].kind = 0;  // the door
  std::string pattern = shelf_pattern(5, height);

  Tlinea& bottom = cell.walls[0];
  bottom.show_dimensions = bottom.start_join_high = true;
  bottom.end_free = w - 3 * length;
  for (int i = 0; i < 3; ++i) {
    Tmodulo bay = make_bay(length * (i + 0.5), depth / 2, depth, length, 'H');
    bay.height = height;
    bay.shelf_pattern = pattern;
    bottom.modules.push_back(bay);
    bottom.end_frames.push_back({length * (i + 1), depth / 2, height, depth, 'H', i == 2 ? "TE" : "TI"});
  }
  Tlinea& left = cell.walls[5];
  left.end_join_high = true;
  left.start_free = h - depth - 2 * length;
  for (int i = 0; i < 2; ++i) {
    Tmodulo bay = make_bay(depth / 2, depth + length * (1.5 - i), depth, length, 'V');
    bay.height = height;
    bay.shelf_pattern = pattern;
    left.modules.push_back(bay);
  }
  left.end_frames.push_back({depth / 2, depth + 2 * length, height, depth, 'V', "TE"});

  Tmodulo_agg free = make_free(2500, 2200, depth, length, 'H');
  free.height = height;
  free.shelf_pattern = pattern;
  free.side_flags = {0, 0, 1, 1, 0, 0};
  free.frame_height_a = free.frame_height_b = height;
  free.dim_n = true;
  free.clear_n = 1000;
  cell.free_modules.push_back(free);
  Tmodulo_agg trolley = make_free(4800, 2200, depth, length, 'V', "CARRELLO");
  trolley.height = height;
  trolley.shelf_pattern = pattern;
  cell.free_modules.push_back(trolley);

  // The group of a kit of modules 974 long, 1082 deep.
  cell.compact_groups.push_back(make_compact_group(3000, 4000, 1082, {h - 4000 - 541, 0, 0, 0}));
  return cell;
}
