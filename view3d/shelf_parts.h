// The parts shared by wall runs and free-standing modules: an end frame
// (uprights, crossbars, the optional arch) and a shelf level (side rails,
// joints or corner pieces at both ends, the shelf panels).
#pragma once

#include <string>
#include <vector>

#include "view3d/part_placing.h"

struct Tstructure_type;

// Where a crossbar mesh (an end frame's or a trolley's base bar) sits in its pivot.
inline constexpr Mm3 kCrossbarFormOffset{0, -7.4, 0};

struct FrameParts {
  double height = 0;
  double depth = 0;
  std::string upright_file;
  double raise = 0;  // the trolley's side frames stand on its wheels
  bool arch = false;
};

// The upright file of a frame of this type and height: the compact codes have their own.
std::string upright_file(const std::string& frame_type, double height);
void place_frame_parts(TGLDummyCube& group, const FrameParts& frame, PartSupply& supply);

struct LevelParts {
  double y = 0;       // the level's height
  double length = 0;  // L, along the element
  double depth = 0;   // W, across it
  bool start_corner = false;
  bool end_corner = false;
  bool far_end_first = false;  // free modules place the +L/2 end before the -L/2 end
};

void place_level_parts(TGLDummyCube& group, const LevelParts& level, const Tstructure_type& structure,
                       PartSupply& supply);

// The heights of the shelves a pattern holds within its bay, from the top
// level down, one slot apart: none below the floor, and no more than the
// slots a bay can have (kMostShelfSlots), whatever the pattern's length.
std::vector<double> level_heights(const std::string& shelf_pattern, double top);
