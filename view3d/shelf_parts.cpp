#include "view3d/shelf_parts.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "model/base/part_placement.h"
#include "model/base/records.h"
#include "model/catalogue/compact_codes.h"
#include "model/catalogue/part_lists.h"
#include "model/catalogue/part_names.h"
#include "model/layout/shelf_patterns.h"
#include "view3d/part_library.h"

namespace {

void place_corner_or_joints(TGLDummyCube& group, const LevelParts& level, bool far_end, PartSupply& supply) {
  const double L = level.length, W = level.depth, y = level.y;
  if (far_end) {
    if (level.end_corner) {
      place_corner_piece(group, {mesh_file(Part::CornerJoint, W), {}, 0, 0, 90, {L / 2, y - 15, W / 2 + 0.5}}, supply);
      return;
    }
    place_part(group, {mesh_file(Part::Joint), {}, 0, 0, 0, {L / 2, y, W / 2 - 34}}, supply);
    place_part(group, {mesh_file(Part::Joint), {}, 0, 0, 0, {L / 2, y, 1 - W / 2}}, supply);
    return;
  }
  if (level.start_corner) {
    place_corner_piece(group, {mesh_file(Part::CornerJoint, W), {}, 0, 180, 90, {-L / 2, y - 15, -W / 2 - 0.5}},
                       supply);
    return;
  }
  place_part(group, {mesh_file(Part::Joint), {}, 0, 180, 0, {-L / 2, y, W / 2 - 1}}, supply);
  place_part(group, {mesh_file(Part::Joint), {}, 0, 180, 0, {-L / 2, y, 34 - W / 2}}, supply);
}

}  // namespace

std::string upright_file(const std::string& frame_type, double height) {
  if (is_fixed_compact_code(frame_type)) return mesh_file(Part::FixedCompactUpright);
  if (is_mobile_compact_code(frame_type)) return mesh_file(Part::MobileCompactUpright);
  return mesh_file(Part::Upright, height);
}

void place_frame_parts(TGLDummyCube& group, const FrameParts& frame, PartSupply& supply) {
  const double D = frame.depth, b = frame.raise;
  const double upright_z = (D - 2 * UprightAxisInset) / 2;
  place_part(group, {frame.upright_file, {-14, -14, 0}, 0, 0, 90, {0, b, upright_z}}, supply);
  place_part(group, {frame.upright_file, {-14, -14, 0}, 0, 0, 90, {0, b, -upright_z}}, supply);
  for (double v : crossbar_heights(frame.height)) {
    const Mm3 pivot{0, v + b + CrossbarRise, (D - CrossbarShortfall) / 2};
    place_part(group, {mesh_file(Part::Crossbar, D), kCrossbarFormOffset, 0, 90, -90, pivot}, supply);
  }
  if (frame.arch) place_part(group, {mesh_file(Part::Arch), {-257, 0, -6}, 0, 90, 0, {0, ArchHeight, 0}}, supply);
}

void place_level_parts(TGLDummyCube& group, const LevelParts& level, const Tstructure_type& structure,
                       PartSupply& supply) {
  const double L = level.length, W = level.depth, y = level.y;
  place_part(group, {mesh_file(Part::SideRail), {}, 0, 0, 0, {-L / 2, y, W / 2 - 33}, L}, supply);
  place_corner_or_joints(group, level, level.far_end_first, supply);
  if (level.far_end_first) place_corner_or_joints(group, level, false, supply);
  place_part(group, {mesh_file(Part::SideRail), {}, 0, 180, 0, {L / 2, y, 33 - W / 2}, L}, supply);
  if (!level.far_end_first) place_corner_or_joints(group, level, true, supply);
  double s = 0;
  for (char letter : panel_composition(L)) {
    const std::string file = mesh_file(Part::GridPanel, W, grid_panel_variant(letter, structure.shelf_suffix));
    PartPlacement panel{file, {}, 0, 0, 90, {-L / 2 + s, y + structure.height_offset, W / 2 - 22}};
    panel.load = supply.parts.exists(panel.file);
    place_part(group, panel, supply);
    if (letter == 'A') s += GridPanelWidthA + GridPanelGap;
    if (letter == 'B') s += GridPanelWidthB + GridPanelGap;
  }
}

std::vector<double> level_heights(const std::string& shelf_pattern, double top) {
  std::vector<double> heights;
  const std::size_t slots = std::min(shelf_pattern.size(), static_cast<std::size_t>(slots_within(top)));
  for (std::size_t k = 0; k < slots; ++k)
    if (shelf_pattern[k] == '1') heights.push_back(top - LevelPitch * static_cast<double>(k));
  return heights;
}
