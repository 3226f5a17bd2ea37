#include "view3d/shelf_parts.h"

#include <charconv>
#include <optional>

#include "model/base/string_utils.h"
#include "model/catalogue/compact_codes.h"
#include "model/state/globals.h"
#include "view3d/part_library.h"
#include "view3d/part_names.h"

namespace {

// The crossbars stand on the frame's bottom 40 mm above their nominal height.
constexpr double kCrossbarBase = 40;
constexpr double kArchHeight = 1827;
constexpr double kSlot = 150;
constexpr double kPanelWidthA = 264, kPanelWidthB = 352, kPanelGap = 4;

std::optional<double> number(const std::string& text) {
  std::string digits = comma_to_point(text);
  double value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

void place_corner_or_joints(TGLDummyCube& group, const LevelParts& level, bool far_end, PartSupply& supply) {
  const double L = level.length, W = level.depth, y = level.y;
  if (far_end) {
    if (level.end_corner) {
      place_corner_piece(group, {part_names::corner_piece(W), {}, 0, 0, 90, {L / 2, y - 15, W / 2 + 0.5}}, supply);
      return;
    }
    place_part(group, {part_names::joint, {}, 0, 0, 0, {L / 2, y, W / 2 - 34}}, supply);
    place_part(group, {part_names::joint, {}, 0, 0, 0, {L / 2, y, 1 - W / 2}}, supply);
    return;
  }
  if (level.start_corner) {
    place_corner_piece(group, {part_names::corner_piece(W), {}, 0, 180, 90, {-L / 2, y - 15, -W / 2 - 0.5}}, supply);
    return;
  }
  place_part(group, {part_names::joint, {}, 0, 180, 0, {-L / 2, y, W / 2 - 1}}, supply);
  place_part(group, {part_names::joint, {}, 0, 180, 0, {-L / 2, y, 34 - W / 2}}, supply);
}

}  // namespace

std::string upright_file(const std::string& frame_type, double height) {
  if (is_fixed_compact_code(frame_type)) return part_names::fixed_compact_upright;
  if (is_mobile_compact_code(frame_type)) return part_names::mobile_compact_upright;
  return part_names::upright(height);
}

std::vector<double> crossbar_heights(double height) {
  std::vector<double> heights;
  for (std::size_t k = 0; k < HeightList.size() && k < CrossbarLists.size(); ++k) {
    if (HeightList[k] != height) continue;
    for (const std::string& text : CrossbarLists[k])
      if (std::optional<double> value = number(text)) heights.push_back(*value);
  }
  return heights;
}

void place_frame_parts(TGLDummyCube& group, const FrameParts& frame, PartSupply& supply) {
  const double D = frame.depth, b = frame.raise;
  place_part(group, {frame.upright_file, {-14, -14, 0}, 0, 0, 90, {0, b, (D - 35) / 2}}, supply);
  place_part(group, {frame.upright_file, {-14, -14, 0}, 0, 0, 90, {0, b, -(D - 35) / 2}}, supply);
  for (double v : crossbar_heights(frame.height))
    place_part(group, {part_names::crossbar(D), {0, -7.4, 0}, 0, 90, -90, {0, v + b + kCrossbarBase, (D - 63) / 2}},
               supply);
  if (frame.arch) place_part(group, {part_names::arch, {-257, 0, -6}, 0, 90, 0, {0, kArchHeight, 0}}, supply);
}

std::string panel_composition(double length) {
  std::string composition;
  for (std::size_t k = 0; k < LengthList.size() && k < Compositions.size(); ++k)
    if (LengthList[k] == length) composition = Compositions[k];
  return composition;
}

void place_level_parts(TGLDummyCube& group, const LevelParts& level, const Tstructure_type& structure,
                       PartSupply& supply) {
  const double L = level.length, W = level.depth, y = level.y;
  place_part(group, {part_names::side_rail, {}, 0, 0, 0, {-L / 2, y, W / 2 - 33}, L}, supply);
  place_corner_or_joints(group, level, level.far_end_first, supply);
  if (level.far_end_first) place_corner_or_joints(group, level, false, supply);
  place_part(group, {part_names::side_rail, {}, 0, 180, 0, {L / 2, y, 33 - W / 2}, L}, supply);
  if (!level.far_end_first) place_corner_or_joints(group, level, true, supply);
  double s = 0;
  for (char letter : panel_composition(L)) {
    PartPlacement panel{part_names::panel(letter, structure.shelf_suffix, W), {}, 0, 0, 90,
                        {-L / 2 + s, y + structure.height_offset, W / 2 - 22}};
    panel.load = supply.parts.exists(panel.file);
    place_part(group, panel, supply);
    if (letter == 'A') s += kPanelWidthA + kPanelGap;
    if (letter == 'B') s += kPanelWidthB + kPanelGap;
  }
}

std::vector<double> level_heights(const std::string& shelf_pattern, double top) {
  std::vector<double> heights;
  for (std::size_t k = 0; k < shelf_pattern.size(); ++k)
    if (shelf_pattern[k] == '1') heights.push_back(top - kSlot * static_cast<double>(k));
  return heights;
}
