#include "view3d/wall_run_parts.h"

#include "model/base/records.h"
#include "model/base/rounding.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/compact_codes.h"
#include "model/layout/shelf_patterns.h"
#include "model/quote/code_lookup.h"
#include "view3d/shelf_parts.h"

namespace {

// A bay's X axis runs from the wall's start towards its end.
double bay_turn(const Tmodulo& bay, const Tlinea& wall) {
  if (bay.orientation == 'H') return wall.x2 > wall.x1 ? 0 : 180;
  return wall.y2 > wall.y1 ? 90 : 270;
}

}  // namespace

bool frame_available(const Ttestata& frame, const Tcell& cell) {
  return code_option_available(frame.frame_type, size_key(frame.depth), "-", size_key(frame.height),
                               cell.structure_type);
}

bool bay_available(const Tmodulo& bay, const Tcell& cell) {
  return code_option_available("R", size_key(bay.width), size_key(bay.length), "-", cell.structure_type);
}

void place_wall_frames(TGLDummyCube& root, const Tlinea& wall, const Tcell& cell, PartSupply& supply) {
  for (const Ttestata& frame : wall.end_frames) {
    if (!frame_available(frame, cell)) continue;
    TGLDummyCube& group = add_element_group(root, frame.x, frame.y, frame.orientation == 'H' ? 0 : 90);
    place_frame_parts(group, {frame.height, frame.depth, upright_file(frame.frame_type, frame.height), 0, frame.arch},
                      supply);
  }
}

void place_wall_bays(TGLDummyCube& root, const Tlinea& wall, const Tcell& cell, PartSupply& supply) {
  const Tstructure_type& structure = structure_type_for_display(cell.structure_type);
  for (std::size_t j = 0; j < wall.modules.size(); ++j) {
    const Tmodulo& bay = wall.modules[j];
    if (!bay_available(bay, cell)) continue;
    TGLDummyCube& group = add_element_group(root, bay.x, bay.y, bay_turn(bay, wall));
    const double top = top_shelf_level(bay.group_code, bay.height);
    const bool start_corner = j == 0 && wall.start_join_high;
    const bool end_corner = j + 1 == wall.modules.size() && wall.end_join_high;
    for (double y : level_heights(bay.shelf_pattern, top))
      place_level_parts(group, {y, bay.length, bay.width, start_corner, end_corner, false}, structure, supply);
  }
}
