// The solid drawing: the walls as lines on the floor and every part of the
// shelving as a block insert at its height: side rails, joints and grid panels
// of each shelf level, uprights and crossbars of the end frames, trolley wheels
// and base bars, and the rails, arches, clamps, ovals and spacers of compact groups.
#include <cstddef>

#include "model/base/part_placement.h"
#include "model/base/plane_vectors.h"
#include "model/catalogue/part_lists.h"
#include "model/catalogue/part_names.h"
#include "model/layout/cell_walls.h"
#include "model/layout/module_lengths.h"
#include "model/modules/module_kind.h"
#include "output/dxf/dxf_cell_parts.h"
#include "output/dxf/dxf_export.h"

namespace {

const std::string kPartLayer = "Scaffalatura";
const std::string kGridLayer = "Scaffalatura_griglie";

// The top shelf level of a bay below its height.
constexpr double kTopLevelDrop = 79.6;
constexpr double kFixedCompactTopLevel = 1770.4;
constexpr double kMobileCompactDrop = 20.0;
const double kMobileCrossbarHeights[] = {330.0, 1080.0, 1830.0};

class SolidWriter {
 public:
  SolidWriter(DxfEntities& out, PartCodes& codes, const Tcell& cell)
      : out_(out), codes_(codes), cell_(cell), type_(cell_structure_type(cell)) {}

  void write() {
    write_walls(out_, cell_);
    for (const Tlinea& wall : cell_.walls) wall_parts(wall);
    for (const Tmodulo_agg& module : cell_.free_modules) free_module(module);
    for (const Tcorvane& group : cell_.compact_groups) compact_group(group);
  }

 private:
  void insert(const std::string& block, Tvec2 at, double z, double rotation, double scale = 1.0,
              const std::string& layer = kPartLayer) {
    out_.dxf_insert(block, layer, "", at.x, at.y, z, rotation, scale);
  }

  void grid_panels_at(Tvec2 c, Tvec2 d, double length, double depth, double z, double rotation) {
    for (const GridPanel& panel : grid_panels(length))
      insert(solid_block(Part::GridPanel, depth, grid_panel_variant(panel.letter, type_.shelf_suffix)),
             c + panel.offset * d, z + 46, rotation, 1.0, kGridLayer);
  }

  template <typename Level>
  static void for_each_level(const std::string& pattern, double top, Level level) {
    for (std::size_t p = 0; p < pattern.size(); ++p)
      if (pattern[p] == '1') level(top - LevelPitch * static_cast<double>(p));
  }

  void wall_parts(const Tlinea& wall) {
    Tvec2 d = wall_direction(wall), N = wall_normal(wall), n = vec_make(-d.y, d.x);
    double A = wall_angle(d);
    for (std::size_t k = 0; k < wall.modules.size(); ++k) {
      const Tmodulo& bay = wall.modules[k];
      if (!codes_.shelf(bay.width, bay.length, cell_.structure_type)) continue;
      Tvec2 c = vec_make(bay.x, bay.y);
      double hl = bay.length / 2, D = bay.width;
      bool corner_start = k == 0 && wall.start_join_high;
      bool corner_end = k + 1 == wall.modules.size() && wall.end_join_high;
      const std::string side_rail = solid_block(Part::SideRail, bay.length), joint = solid_block(Part::Joint);
      for_each_level(bay.shelf_pattern, bay.height - kTopLevelDrop, [&](double z) {
        insert(side_rail, c - hl * d - (D / 2 - 17.4) * n, z, A + 180);
        insert(side_rail, c + hl * d + (D / 2 - 17.4) * n, z, A);
        if (corner_start) {
          insert(solid_block(Part::CornerJoint, D), c - (hl + 21.5) * d, z, A + 270);
        } else {
          insert(joint, c - (hl + 2) * d + (D / 2 - UprightAxisInset) * N, z, A);
          insert(joint, c - (hl + 2) * d - (D / 2 - UprightAxisInset) * N, z, A);
        }
        if (corner_end) {
          insert(solid_block(Part::CornerJoint, D), c + (hl + 21.5) * d, z, A + 90);
        } else {
          insert(joint, c + (hl + 2) * d + (D / 2 - UprightAxisInset) * N, z, A + 180);
          insert(joint, c + (hl + 2) * d - (D / 2 - UprightAxisInset) * N, z, A + 180);
        }
        grid_panels_at(c, d, bay.length, D, z, A);
      });
    }
    for (const Ttestata& frame : wall.end_frames) {
      if (!codes_.frame(frame.depth, frame.height, cell_.structure_type)) continue;
      Tvec2 q = vec_make(frame.x, frame.y);
      const std::string upright = solid_block(Part::Upright, frame.height);
      insert(upright, q + (frame.depth / 2 - UprightAxisInset) * N, 0, 0);
      insert(upright, q - (frame.depth / 2 - UprightAxisInset) * N, 0, 0);
      for (double height : crossbar_heights(frame.height))
        insert(solid_block(Part::Crossbar, frame.depth), q, height + CrossbarRise, A + 90);
    }
  }

  void free_module(const Tmodulo_agg& m) {
    bool along_x = m.orientation == 'H';
    Tvec2 d = along_x ? vec_make(1, 0) : vec_make(0, 1), n = along_x ? vec_make(0, -1) : vec_make(1, 0);
    double A = along_x ? 0 : 90;
    Tvec2 c = vec_make(m.x, m.y);
    double hl = m.length / 2, W = m.width;
    const ModuleKind kind = m.kind();
    bool trolley = kind == ModuleKind::Trolley;
    bool fixed_compact = kind == ModuleKind::FixedCompact, mobile_compact = kind == ModuleKind::MobileCompact;
    const auto& flags = m.side_flags;

    if (codes_.shelf(W, m.length, cell_.structure_type)) {
      double top = fixed_compact || mobile_compact ? kFixedCompactTopLevel : m.height - kTopLevelDrop;
      if (trolley) top += TrolleyLift;
      if (mobile_compact) top -= kMobileCompactDrop;
      const std::string side_rail = solid_block(Part::SideRail, m.length), joint = solid_block(Part::Joint);
      for_each_level(m.shelf_pattern, top, [&](double z) {
        insert(side_rail, c + hl * d - (W / 2 - 17.4) * n, z, A + 180);
        insert(side_rail, c - hl * d + (W / 2 - 17.4) * n, z, A);
        if (flags[kJointA] == 1) {
          insert(solid_block(Part::CornerJoint, W), c - (hl + 21.5) * d, z, A + 90);
        } else {
          insert(joint, c - (hl + 2) * d + (W / 2 - UprightAxisInset) * n, z, A + 180);
          insert(joint, c - (hl + 2) * d - (W / 2 - UprightAxisInset) * n, z, A - 180);
        }
        if (flags[kJointB] == 1) {
          insert(solid_block(Part::CornerJoint, W), c + (hl + 21.5) * d, z, A + 270);
        } else {
          insert(joint, c + (hl + 2) * d + (W / 2 - UprightAxisInset) * n, z, A);
          insert(joint, c + (hl + 2) * d - (W / 2 - UprightAxisInset) * n, z, A);
        }
        grid_panels_at(c, d, m.length, W, z, A);
      });
    }

    if (codes_.frame(W, m.height, cell_.structure_type)) {
      double upright_z = mobile_compact ? 108.5 : trolley ? TrolleyLift : 0.0;
      double crossbar_lift = trolley ? TrolleyLift : 0.0;
      auto frame = [&](Tvec2 P, double frame_height) {
        std::string upright = solid_block(mobile_compact ? Part::MobileCompactUpright : Part::Upright, frame_height);
        insert(upright, P + (W / 2 - UprightAxisInset) * n, upright_z, A + 90);
        insert(upright, P - (W / 2 - UprightAxisInset) * n, upright_z, A + 270);
        const std::string crossbar = solid_block(Part::Crossbar, W);
        if (mobile_compact) {
          for (double height : kMobileCrossbarHeights) insert(crossbar, P, height, A + 90);
        } else {
          for (double height : crossbar_heights(frame_height))
            insert(crossbar, P, height + crossbar_lift + CrossbarRise, A + 90);
        }
      };
      if (flags[kEndFrameA] == 1 || flags[kInnerFrameA] == 1)
        frame(c - (hl + kUprightCentreOffset) * d, m.frame_height_a);
      if (flags[kEndFrameB] == 1 || flags[kInnerFrameB] == 1)
        frame(c + (hl + kUprightCentreOffset) * d, m.frame_height_b);
    }

    if (trolley) {
      // The wheels stand under the side frames.
      Tvec2 start = c - (hl + kUprightCentreOffset) * d, end = c + (hl + kUprightCentreOffset) * d;
      Tvec2 across = (W / 2 - UprightAxisInset) * n;
      const std::string wheel = solid_block(Part::Wheel), braked_wheel = solid_block(Part::BrakedWheel);
      insert(wheel, start + across, TrolleyWheelTop, A);
      insert(wheel, start - across, TrolleyWheelTop, A);
      insert(braked_wheel, end + across, TrolleyWheelTop, A);
      insert(braked_wheel, end - across, TrolleyWheelTop, A);
      double stretch = (m.length + 2 * kUprightGap) / kTrolleyBarLength;
      double side = W / 2 - UprightAxisInset;
      Tvec2 first = along_x ? vec_make(m.x, m.y + side) : vec_make(m.x + side, m.y);
      Tvec2 second = along_x ? vec_make(m.x, m.y - side) : vec_make(m.x - side, m.y);
      const std::string bar = solid_block(Part::TrolleyBar);
      insert(bar, first, 234.1, A, stretch);
      insert(bar, second, 234.1, A, stretch);
    }
  }

  void compact_group(const Tcorvane& g) {
    double x = g.x, y = g.y, len = g.overall_length, dep = g.depth, k = g.kit_length;
    double a = len / 2 - 288.5, b = dep / 2 - CompactRailBand / 2;
    bool h = g.orientation == 'H';
    double turn = h ? 0 : 90;
    const Tvec2 corners[] = {
        h ? vec_make(x + a, y + b) : vec_make(x + b, y + a), h ? vec_make(x - a, y + b) : vec_make(x + b, y - a),
        h ? vec_make(x + a, y - b) : vec_make(x - b, y + a), h ? vec_make(x - a, y - b) : vec_make(x - b, y - a)};
    const std::string arch = solid_block(Part::Arch), clamps = solid_block(Part::CompactClamps);
    for (const Tvec2& at : corners) insert(arch, at, ArchHeight, turn);
    for (const Tvec2& at : corners) insert(clamps, at, 1944, turn);
    std::string rail = solid_block(Part::CompactRail, k);
    insert(rail, h ? vec_make(x - k / 2, y + b) : vec_make(x + b, y - k / 2), 1949.5, turn);
    insert(rail, h ? vec_make(x - k / 2, y - b) : vec_make(x - b, y - k / 2), 1949.5, turn);
    // Each group's ovals span its own depth.
    std::string oval = oval_block(dep);
    if (h) {
      insert(oval, vec_make(x - len / 2 + 59.5, y - dep / 2 + 42), 1876, 90);
      insert(oval, vec_make(x + len / 2 - 59.5, y + dep / 2 - 42), 1876, 270);
    } else {
      insert(oval, vec_make(x - dep / 2 + 42, y + len / 2 - 59.5), 1876, 0);
      insert(oval, vec_make(x + dep / 2 - 42, y - len / 2 + 59.5), 1876, 180);
    }
    compact_spacers(g);
  }

  void compact_spacers(const Tcorvane& g) {
    double x = g.x, y = g.y, len = g.overall_length, dep = g.depth;
    const auto& gaps = g.wall_gaps;
    auto pair = [&](double gap, const std::string& block, double z, Tvec2 first, Tvec2 second, double rotation) {
      if (gap <= 0) return;
      insert(block, first, z, rotation);
      insert(block, second, z, rotation);
    };
    double u = len / 2 - CompactSideSpacerInset, v = dep / 2 - CompactEndSpacerInset;
    const std::string screwed = solid_block(Part::ScrewedSpacer), end = solid_block(Part::EndSpacer);
    if (g.orientation == 'H') {
      pair(gaps[0], screwed, 1917, vec_make(x - u, y + dep / 2 + gaps[0]), vec_make(x + u, y + dep / 2 + gaps[0]), 0);
      pair(gaps[1], screwed, 1917, vec_make(x - u, y - dep / 2 - gaps[1]), vec_make(x + u, y - dep / 2 - gaps[1]), 180);
      pair(gaps[2], end, 1876, vec_make(x - len / 2 - gaps[2], y + v), vec_make(x - len / 2 - gaps[2], y - v), 270);
      pair(gaps[3], end, 1876, vec_make(x + len / 2 + gaps[3], y + v), vec_make(x + len / 2 + gaps[3], y - v), 90);
    } else {
      pair(gaps[0], screwed, 1917, vec_make(x + dep / 2 + gaps[0], y - u), vec_make(x + dep / 2 + gaps[0], y + u), 270);
      pair(gaps[1], screwed, 1917, vec_make(x - dep / 2 - gaps[1], y - u), vec_make(x - dep / 2 - gaps[1], y + u), 90);
      pair(gaps[2], end, 1876, vec_make(x + v, y + len / 2 + gaps[2]), vec_make(x - v, y + len / 2 + gaps[2]), 180);
      pair(gaps[3], end, 1876, vec_make(x + v, y - len / 2 - gaps[3]), vec_make(x - v, y - len / 2 - gaps[3]), 0);
    }
  }

  DxfEntities& out_;
  PartCodes& codes_;
  const Tcell& cell_;
  const Tstructure_type& type_;
};

}  // namespace

DxfDrawing dxf_3d_drawing(const Tcells& cells, const DxfTemplate& drawing) {
  return draw_cells(cells, drawing, kDxf3dFirstHandle, [](DxfEntities& out, PartCodes& codes, const Tcell& cell) {
    SolidWriter(out, codes, cell).write();
  });
}
