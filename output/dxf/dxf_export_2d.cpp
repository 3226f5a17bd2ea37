// The plan drawing: walls, bays with their grids, rivets, fixings and labels,
// end frames, wall dimensions, free modules and trolleys, compact groups.
#include <cstddef>

#include "model/base/cell_extents.h"
#include "model/base/part_placement.h"
#include "model/base/plane_vectors.h"
#include "model/base/rounding.h"
#include "model/catalogue/part_names.h"
#include "model/layout/cell_walls.h"
#include "model/layout/module_lengths.h"
#include "model/layout/outline_queries.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "output/dxf/dxf_cell_parts.h"
#include "output/dxf/dxf_export.h"

namespace {

const std::string kPartLayer = "Scaffalatura";
const std::string kGridLayer = "Scaffalatura_griglie";
const std::string kDimensionLayer = "Scaffalatura_quote";
const std::string kBumperLayer = "Quote";

class PlanWriter {
 public:
  PlanWriter(DxfEntities& out, PartCodes& codes, const Tcell& cell)
      : out_(out), codes_(codes), cell_(cell), type_(cell_structure_type(cell)) {}

  void write() {
    write_walls(out_, cell_);
    Textents extents = compute_cell_extents(cell_);
    for (std::size_t j = 0; j < cell_.walls.size(); ++j) {
      const Tlinea& wall = cell_.walls[j];
      for (std::size_t i = 0; i < wall.modules.size(); ++i) wall_bay(wall, i);
      for (const Ttestata& frame : wall.end_frames)
        if (codes_.frame(frame.depth, frame.height, cell_.structure_type))
          insert(plan_block(Part::EndFrame, frame.depth), kPartLayer, vec_make(frame.x, frame.y),
                 frame.orientation == 'H' ? 0 : 90);
      if (wall.show_dimensions) wall_dimensions(wall, static_cast<int>(j), extents);
    }
    for (const Tmodulo_agg& module : cell_.free_modules) free_module(module);
    for (const Tcorvane& group : cell_.compact_groups) compact_group(group);
  }

 private:
  void insert(const std::string& block, const std::string& layer, Tvec2 at, double rotation, double scale = 1.0) {
    out_.dxf_insert(block, layer, "", at.x, at.y, 0.0, rotation, scale);
  }
  void line(const std::string& layer, Tvec2 a, Tvec2 b) { out_.dxf_line(layer, a.x, a.y, b.x, b.y); }
  void dimension(const Tvec2& d, Tvec2 at, Tvec2 first, Tvec2 second, double angle) {
    bool forward = vec_equal(d, vec_make(1, 0)) || vec_equal(d, vec_make(0, 1));
    out_.dxf_dimension(forward ? 160 : 32, kDimensionLayer, at.x, at.y, at.x, at.y, first.x, first.y, second.x,
                       second.y, angle);
  }

  // Grids, outline, inner lines and rivets of a bay or free module.
  void bay_body(Tvec2 c, double length, double width, char orientation, Tvec2 d, double angle) {
    for (const GridPanel& panel : grid_panels(length))
      insert(plan_block(Part::GridPanel, width, grid_panel_variant(panel.letter, type_.shelf_suffix)), kGridLayer,
             c + panel.offset * d, angle);
    double hl = length / 2, hw = width / 2;
    const std::string rivet = plan_block(Part::Rivet);
    if (orientation == 'H') {
      out_.dxf_rectangle(kPartLayer, c.x - hl, c.y - hw + 1.5, c.x + hl, c.y + hw - 1.5);
      out_.dxf_line(kPartLayer, c.x - hl, c.y - hw + 20.5, c.x + hl, c.y - hw + 20.5);
      out_.dxf_line(kPartLayer, c.x - hl, c.y + hw - 20.5, c.x + hl, c.y + hw - 20.5);
      insert(rivet, kPartLayer, vec_make(c.x + hl - 15, c.y + hw - 1.5), 0);
      insert(rivet, kPartLayer, vec_make(c.x - hl + 15, c.y + hw - 1.5), 0);
      insert(rivet, kPartLayer, vec_make(c.x + hl - 15, c.y - hw + 1.5), 180);
      insert(rivet, kPartLayer, vec_make(c.x - hl + 15, c.y - hw + 1.5), 180);
    } else {
      out_.dxf_rectangle(kPartLayer, c.x - hw + 1.5, c.y - hl, c.x + hw - 1.5, c.y + hl);
      out_.dxf_line(kPartLayer, c.x + hw - 20.5, c.y - hl, c.x + hw - 20.5, c.y + hl);
      out_.dxf_line(kPartLayer, c.x - hw + 20.5, c.y - hl, c.x - hw + 20.5, c.y + hl);
      insert(rivet, kPartLayer, vec_make(c.x + hw - 1.5, c.y + hl - 15), 270);
      insert(rivet, kPartLayer, vec_make(c.x + hw - 1.5, c.y - hl + 15), 270);
      insert(rivet, kPartLayer, vec_make(c.x - hw + 1.5, c.y + hl - 15), 90);
      insert(rivet, kPartLayer, vec_make(c.x - hw + 1.5, c.y - hl + 15), 90);
    }
  }

  void labels(Tvec2 c, double length, double width, double height, int shelves, char orientation) {
    std::string size = size_key(length) + "x" + size_key(width) + "xh" + size_key(height);
    std::string count = std::to_string(shelves) + " " + lang_text(type_.module_text);
    if (orientation == 'H') {
      out_.dxf_text(size, kDimensionLayer, c.x, c.y + 20, 0);
      out_.dxf_text(count, kDimensionLayer, c.x, c.y - 80, 0);
    } else {
      out_.dxf_text(size, kDimensionLayer, c.x - 20, c.y, 90);
      out_.dxf_text(count, kDimensionLayer, c.x + 80, c.y, 90);
    }
  }

  // Two fixings across a bay end at p, spread along n.
  void fixings(Tvec2 p, Tvec2 n, double width, double rotation) {
    const std::string fixing = plan_block(Part::Fixing);
    insert(fixing, kPartLayer, p + (width / 2 - UprightAxisInset) * n, rotation);
    insert(fixing, kPartLayer, p - (width / 2 - UprightAxisInset) * n, rotation);
  }

  void wall_bay(const Tlinea& wall, std::size_t i) {
    const Tmodulo& bay = wall.modules[i];
    if (!codes_.shelf(bay.width, bay.length, cell_.structure_type)) return;
    Tvec2 d = wall_direction(wall), n = wall_normal(wall), c = vec_make(bay.x, bay.y);
    double angle = wall_angle(d), hl = bay.length / 2;
    bay_body(c, bay.length, bay.width, bay.orientation, d, angle);
    if (i == 0 && wall.start_join_high)
      insert(plan_block(Part::CornerJoint, bay.width), kPartLayer, c - (hl + 12.5) * d, angle);
    else
      fixings(c - hl * d, n, bay.width, angle + 180);
    if (i + 1 == wall.modules.size() && wall.end_join_high)
      insert(plan_block(Part::CornerJoint, bay.width), kPartLayer, c + (hl + 12.5) * d, angle);
    else
      fixings(c + hl * d, n, bay.width, angle);
    labels(c, bay.length, bay.width, bay.height, bay.shelf_count, bay.orientation);
  }

  void wall_dimensions(const Tlinea& wall, int index, const Textents& extents) {
    Tvec2 d = wall_direction(wall), n = wall_normal(wall);
    Tvec2 p1 = wall_start(wall), p2 = wall_end(wall);
    double e = 0;
    if (vec_equal(n, vec_make(1, 0))) e = extents[0] - wall.x1;
    if (vec_equal(n, vec_make(0, 1))) e = extents[2] - wall.y1;
    if (vec_equal(n, vec_make(-1, 0))) e = wall.x1 - extents[1];
    if (vec_equal(n, vec_make(0, -1))) e = wall.y1 - extents[3];
    if (wall_overlap_test(cell_, index)) e = 0;
    Tvec2 q1 = p1 + cell_.wall_thickness * n, q2 = p2 + cell_.wall_thickness * n;
    double angle = wall_angle(d);
    dimension(d, 0.5 * (p1 + p2) + (e + 400) * n, q1, q2, angle);
    if (wall.start_free > 0) dimension(d, p1 - 100 * d + (e + 250) * n, q1, q1 + wall.start_free * d, angle);
    if (wall.end_free > 0) dimension(d, p2 + 100 * d + (e + 250) * n, q2, q2 - wall.end_free * d, angle);
    if (wall.start_free > 0 || wall.end_free > 0) {
      // The run's text stands in the middle of the run itself.
      double run = wall.length - wall.start_free - wall.end_free;
      dimension(d, p1 + (wall.start_free + run / 2) * d + (e + 250) * n, q1 + wall.start_free * d,
                q2 - wall.end_free * d, angle);
    }
  }

  void free_module(const Tmodulo_agg& module) {
    bool along_x = module.orientation == 'H';
    Tvec2 d = along_x ? vec_make(1, 0) : vec_make(0, 1), n = along_x ? vec_make(0, 1) : vec_make(1, 0);
    double angle = along_x ? 0 : 90;
    Tvec2 c = vec_make(module.x, module.y);
    double hl = module.length / 2, hw = module.width / 2, x = c.x, y = c.y;
    if (module.kind() == ModuleKind::Trolley) {
      const std::string bumper = plan_block(Part::Bumper);
      if (along_x) {
        insert(bumper, kBumperLayer, vec_make(x + hl + kUprightCentreOffset, y + hw - UprightAxisInset), 180, 1);
        insert(bumper, kBumperLayer, vec_make(x - hl - kUprightCentreOffset, y + hw - UprightAxisInset), 180, -1);
        insert(bumper, kBumperLayer, vec_make(x + hl + kUprightCentreOffset, y - hw + UprightAxisInset), 0, -1);
        insert(bumper, kBumperLayer, vec_make(x - hl - kUprightCentreOffset, y - hw + UprightAxisInset), 0, 1);
      } else {
        insert(bumper, kBumperLayer, vec_make(x + hw - UprightAxisInset, y + hl + kUprightCentreOffset), 90, -1);
        insert(bumper, kBumperLayer, vec_make(x + hw - UprightAxisInset, y - hl - kUprightCentreOffset), 90, 1);
        insert(bumper, kBumperLayer, vec_make(x - hw + UprightAxisInset, y + hl + kUprightCentreOffset), 270, 1);
        insert(bumper, kBumperLayer, vec_make(x - hw + UprightAxisInset, y - hl - kUprightCentreOffset), 270, -1);
      }
    }
    bool shelves = codes_.shelf(module.width, module.length, cell_.structure_type);
    if (shelves) {
      bay_body(c, module.length, module.width, module.orientation, d, angle);
      if (module.kind() == ModuleKind::MobileCompact) {
        const std::string bracket = plan_block(Part::SlidingBracket);
        if (along_x) {
          insert(bracket, kPartLayer, vec_make(x + hl + kUprightCentreOffset, y + hw - UprightAxisInset), 0);
          insert(bracket, kPartLayer, vec_make(x + hl + kUprightCentreOffset, y - hw + UprightAxisInset), 180);
          insert(bracket, kPartLayer, vec_make(x - hl - kUprightCentreOffset, y + hw - UprightAxisInset), 0);
          insert(bracket, kPartLayer, vec_make(x - hl - kUprightCentreOffset, y - hw + UprightAxisInset), 180);
        } else {
          insert(bracket, kPartLayer, vec_make(x + hw - UprightAxisInset, y + hl + kUprightCentreOffset), 270);
          insert(bracket, kPartLayer, vec_make(x + hw - UprightAxisInset, y - hl - kUprightCentreOffset), 270);
          insert(bracket, kPartLayer, vec_make(x - hw + UprightAxisInset, y + hl + kUprightCentreOffset), 90);
          insert(bracket, kPartLayer, vec_make(x - hw + UprightAxisInset, y - hl - kUprightCentreOffset), 90);
        }
      }
    }
    const auto& flags = module.side_flags;
    if (flags[kJointA] == 1)
      insert(plan_block(Part::CornerJoint, module.width), kPartLayer, c - (hl + 12.5) * d, angle);
    if (flags[kJointB] == 1)
      insert(plan_block(Part::CornerJoint, module.width), kPartLayer, c + (hl + 12.5) * d, angle);
    if (codes_.frame(module.width, module.height, cell_.structure_type)) {
      std::string frame = plan_block(Part::EndFrame, module.width);
      Tvec2 start = c - hl * d, end = c + hl * d;
      if (flags[kEndFrameA] == 1) {
        fixings(start, n, module.width, angle);
        insert(frame, kPartLayer, c - (hl + kUprightCentreOffset) * d, angle);
      }
      if (flags[kEndFrameB] == 1) {
        fixings(end, n, module.width, angle + 180);
        insert(frame, kPartLayer, c + (hl + kUprightCentreOffset) * d, angle);
      }
      // A frame shared with the neighbouring module is fixed on both its sides.
      if (flags[kInnerFrameA] == 1) {
        fixings(start, n, module.width, angle);
        fixings(c - (hl + 2 * kUprightCentreOffset) * d, n, module.width, angle + 180);
        insert(frame, kPartLayer, c - (hl + kUprightCentreOffset) * d, angle);
      }
      if (flags[kInnerFrameB] == 1) {
        fixings(end, n, module.width, angle + 180);
        fixings(c + (hl + 2 * kUprightCentreOffset) * d, n, module.width, angle);
        insert(frame, kPartLayer, c + (hl + kUprightCentreOffset) * d, angle);
      }
    }
    if (shelves) {
      labels(c, module.length, module.width, module.height, module.shelf_count, module.orientation);
      clearance_dimensions(module);
    }
  }

  void clearance_dimensions(const Tmodulo_agg& m) {
    double x = m.x, y = m.y, hl = m.length / 2, hw = m.width / 2;
    auto dim = [&](bool shown, double clear, Tvec2 first, Tvec2 second, Tvec2 at, double angle) {
      if (shown && clear > 0)
        out_.dxf_dimension(32, kDimensionLayer, at.x, at.y, at.x, at.y, first.x, first.y, second.x, second.y, angle);
    };
    // Along the length the end frame takes its gap and upright beyond the module.
    const double frame_reach = kUprightGap + kUprightWidth;
    double ny = m.orientation == 'H' ? hw : hl, ny_frame = m.orientation == 'H' ? 0 : frame_reach;
    double ex = m.orientation == 'H' ? hl : hw, ex_frame = m.orientation == 'H' ? frame_reach : 0;
    dim(m.dim_n, m.clear_n, vec_make(x, y + ny + ny_frame), vec_make(x, y + ny + m.clear_n),
        vec_make(x, y + ny + m.clear_n / 2), 90);
    dim(m.dim_s, m.clear_s, vec_make(x, y - ny - ny_frame), vec_make(x, y - ny - m.clear_s),
        vec_make(x, y - ny - m.clear_s / 2), 90);
    dim(m.dim_e, m.clear_e, vec_make(x + ex + ex_frame, y), vec_make(x + ex + m.clear_e, y),
        vec_make(x + ex + m.clear_e / 2, y), 0);
    dim(m.dim_o, m.clear_o, vec_make(x - ex - ex_frame, y), vec_make(x - ex - m.clear_o, y),
        vec_make(x - ex - m.clear_o / 2, y), 0);
  }

  void compact_group(const Tcorvane& g) {
    double x = g.x, y = g.y, hd = g.depth / 2, hl = g.overall_length / 2;
    std::string rail = plan_block(Part::CompactRail, g.kit_length), operator_mark = plan_block(Part::Operator);
    const double rail_axis = hd - CompactRailBand / 2;
    if (g.orientation == 'H') {
      insert(rail, kPartLayer, vec_make(x, y + rail_axis), 0);
      insert(rail, kPartLayer, vec_make(x, y - rail_axis), 0);
      insert(operator_mark, kPartLayer, vec_make(g.aisle_x, g.aisle_y), 90);
      out_.dxf_rectangle(kPartLayer, x - hl + CompactEndUnitNear, y + hd - CompactEndUnitInset,
                         x - hl + CompactEndUnitFar, y - hd + CompactEndUnitInset);
      out_.dxf_rectangle(kPartLayer, x + hl - CompactEndUnitFar, y + hd - CompactEndUnitInset,
                         x + hl - CompactEndUnitNear, y - hd + CompactEndUnitInset);
    } else {
      insert(rail, kPartLayer, vec_make(x + rail_axis, y), 90);
      insert(rail, kPartLayer, vec_make(x - rail_axis, y), 90);
      insert(operator_mark, kPartLayer, vec_make(g.aisle_x, g.aisle_y), 0);
      out_.dxf_rectangle(kPartLayer, x + hd - CompactEndUnitInset, y - hl + CompactEndUnitNear,
                         x - hd + CompactEndUnitInset, y - hl + CompactEndUnitFar);
      out_.dxf_rectangle(kPartLayer, x + hd - CompactEndUnitInset, y + hl - CompactEndUnitFar,
                         x - hd + CompactEndUnitInset, y + hl - CompactEndUnitNear);
    }
    compact_spacers(g);
  }

  // Spacers to the walls, one pair per side with a gap: the screwed ones on the
  // long sides, the plain ones at the ends, each with its line to the group.
  void compact_spacers(const Tcorvane& g) {
    double x = g.x, y = g.y, hd = g.depth / 2, hl = g.overall_length / 2;
    bool h = g.orientation == 'H';
    // The group's own frame: u along the run, v across; for a 'V' group +v is +x and +u is -y.
    auto at = [&](double u, double v) { return h ? vec_make(x + u, y + v) : vec_make(x + v, y - u); };
    double turn = h ? 0 : -90;
    auto spacer = [&](const std::string& block, Tvec2 place, double rotation, Tvec2 from, Tvec2 to) {
      double r = rotation + turn;
      insert(block, kPartLayer, place, r < 0 ? r + 360 : r);
      line(kPartLayer, from, to);
    };
    // One pair per gap, the gaps in the group's order: +v, -v, -u, +u.
    const auto& gaps = g.wall_gaps;
    const std::string screwed = plan_block(Part::ScrewedSpacer), end = plan_block(Part::EndSpacer);
    const double along[2] = {-(hl - CompactSideSpacerInset), hl - CompactSideSpacerInset};
    const double across[2] = {hd - CompactEndSpacerInset, -(hd - CompactEndSpacerInset)};
    if (gaps[0] > 0)
      for (double u : along)
        spacer(screwed, at(u, hd + gaps[0]), 0, at(u, hd + gaps[0] - CompactSideSpacerDepth),
               at(u, hd - CompactSideTieReach));
    if (gaps[1] > 0)
      for (double u : along)
        spacer(screwed, at(u, -hd - gaps[1]), 180, at(u, -hd - gaps[1] + CompactSideSpacerDepth),
               at(u, -hd + CompactSideTieReach));
    if (gaps[2] > 0)
      for (double v : across)
        spacer(end, at(-hl - gaps[2], v), 270, at(-hl - gaps[2] + CompactEndSpacerDepth, v),
               at(-hl + CompactEndTieReach, v));
    if (gaps[3] > 0)
      for (double v : across)
        spacer(end, at(hl + gaps[3], v), 90, at(hl + gaps[3] - CompactEndSpacerDepth, v),
               at(hl - CompactEndTieReach, v));
  }

  DxfEntities& out_;
  PartCodes& codes_;
  const Tcell& cell_;
  const Tstructure_type& type_;
};

}  // namespace

DxfDrawing dxf_2d_drawing(const Tcells& cells, const DxfTemplate& drawing) {
  return draw_cells(cells, drawing, kDxf2dFirstHandle, [](DxfEntities& out, PartCodes& codes, const Tcell& cell) {
    PlanWriter(out, codes, cell).write();
  });
}
