#include "view3d/free_module_parts.h"

#include "model/base/part_placement.h"
#include "model/base/records.h"
#include "model/base/rounding.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/compact_codes.h"
#include "model/catalogue/part_names.h"
#include "model/layout/module_lengths.h"
#include "model/layout/shelf_patterns.h"
#include "model/modules/module_kind.h"
#include "model/quote/code_lookup.h"
#include "view3d/shelf_parts.h"

namespace {

constexpr double kBracketHeight = 1800;
constexpr double kRailHeight = 1950;

double turn_of(char orientation) { return orientation == 'H' ? 0 : 90; }

// The wheels stand under the trolley's side frames.
void place_trolley_extras(TGLDummyCube& group, double L, double W, PartSupply& supply) {
  const Mm3 wheel_offset{-47.5, 0, -47.5};
  const double end = L / 2 + kUprightCentreOffset, side = W / 2 - 18;
  for (Mm3 at : {Mm3{end, 0, -side}, Mm3{end, 0, side}, Mm3{-end, 0, side}, Mm3{-end, 0, -side}})
    place_part(group, {mesh_file(Part::Wheel), wheel_offset, 0, 180, 0, at}, supply);
  for (Mm3 at : {Mm3{-end, 0, side}, Mm3{-end, 0, -side}})
    place_part(group, {mesh_file(Part::BrakedWheel), wheel_offset, 0, 180, 0, at}, supply);
  const double stretch = (L + 2 * kUprightGap) / kTrolleyBarLength;
  for (double z : {-side, side}) {
    const Mm3 pivot{-(L / 2 + 8), 251.6, z};
    place_part(group, {mesh_file(Part::TrolleyBar), kCrossbarFormOffset, 0, 0, -90, pivot, stretch}, supply);
  }
}

// The side frame's centre: the module centre moved along the module by shift.
void place_side(TGLDummyCube& root, const Tmodulo_agg& module, double shift, double height, bool arch,
                PartSupply& supply) {
  double x = module.x, y = module.y;
  if (module.orientation == 'H') x += shift;
  if (module.orientation == 'V') y += shift;
  TGLDummyCube& group = add_element_group(root, x, y, turn_of(module.orientation));
  const double raise = module.kind() == ModuleKind::Trolley ? TrolleyLift : 0;
  place_frame_parts(group, {height, module.width, upright_file(module.code, height), raise, arch}, supply);
}

void place_brackets(TGLDummyCube& root, const Tmodulo_agg& module, PartSupply& supply) {
  TGLDummyCube& group = add_element_group(root, module.x, module.y, turn_of(module.orientation));
  const double x = (module.length + (kUprightGap + kUprightWidth)) / 2, z = (module.width - kUprightWidth) / 2;
  const Mm3 offset{-29, -10, 0};
  place_part(group, {mesh_file(Part::SlidingBracket), offset, 0, 90, 90, {x, kBracketHeight, z}}, supply);
  place_part(group, {mesh_file(Part::SlidingBracket), offset, 0, 270, 90, {x, kBracketHeight, -z}}, supply);
  place_part(group, {mesh_file(Part::SlidingBracket), offset, 0, 90, 90, {-x, kBracketHeight, z}}, supply);
  place_part(group, {mesh_file(Part::SlidingBracket), offset, 0, 270, 90, {-x, kBracketHeight, -z}}, supply);
}

}  // namespace

bool free_module_available(const Tmodulo_agg& module, const Tcell& cell) {
  return code_option_available("R", size_key(module.width), size_key(module.length), "-", cell.structure_type);
}

bool free_module_side_available(const Tmodulo_agg& module, double frame_height, const Tcell& cell) {
  return code_option_available("TE", size_key(module.width), "-", size_key(frame_height), cell.structure_type);
}

void place_free_module(TGLDummyCube& root, const Tmodulo_agg& module, const Tcell& cell, PartSupply& supply) {
  TGLDummyCube& group = add_element_group(root, module.x, module.y, turn_of(module.orientation));
  double top = top_shelf_level(module.code, module.height);
  if (module.kind() == ModuleKind::Trolley) top += TrolleyLift;
  const Tstructure_type& structure = structure_type_for_display(cell.structure_type);
  for (double y : level_heights(module.shelf_pattern, top))
    place_level_parts(
        group, {y, module.length, module.width, module.side_flags[kJointA] == 1, module.side_flags[kJointB] == 1, true},
        structure, supply);
  if (module.kind() == ModuleKind::Trolley) place_trolley_extras(group, module.length, module.width, supply);
}

void place_free_module_sides(TGLDummyCube& root, const Tmodulo_agg& module, const Tcell& cell, PartSupply& supply) {
  const auto& flags = module.side_flags;
  if ((flags[kEndFrameA] == 1 || flags[kInnerFrameA] == 1) &&
      free_module_side_available(module, module.frame_height_a, cell))
    place_side(root, module, -(module.length / 2 + kUprightCentreOffset), module.frame_height_a, module.frame_flag_a,
               supply);
  if ((flags[kEndFrameB] == 1 || flags[kInnerFrameB] == 1) &&
      free_module_side_available(module, module.frame_height_b, cell))
    place_side(root, module, module.length / 2 + kUprightCentreOffset, module.frame_height_b, module.frame_flag_b,
               supply);
  if (module.kind() == ModuleKind::MobileCompact) place_brackets(root, module, supply);
}

void place_compact_rails(TGLDummyCube& root, const Tcorvane& group, PartSupply& supply) {
  TGLDummyCube& element = add_element_group(root, group.x, group.y, turn_of(group.orientation));
  const std::string file = mesh_file(Part::CompactRail, group.kit_length);
  const double kit = group.kit_length;
  place_part(element, {file, {}, 0, 0, 0, {-kit / 2, kRailHeight, group.depth / 2 - CompactRailBand}}, supply);
  place_part(element, {file, {}, 0, 0, 0, {-kit / 2, kRailHeight, -group.depth / 2}}, supply);
}
