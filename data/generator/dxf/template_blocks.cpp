#include "template_blocks.h"

#include "model/base/part_placement.h"
#include "model/catalogue/part_names.h"
#include "model/layout/compact_groups.h"

namespace {

double panel_length(char letter) { return letter == 'A' ? GridPanelWidthA : GridPanelWidthB; }

}  // namespace

std::vector<TemplateLayer> plan_template_layers() {
  return {{"0", 7},
          {"Scaffalatura_muri", 7},
          {"Scaffalatura", 5},
          {"Scaffalatura_griglie", 3},
          {"Scaffalatura_quote", 1},
          {"Quote", 6}};
}

std::vector<TemplateLayer> solid_template_layers() {
  return {{"0", 7}, {"Scaffalatura", 5}, {"Scaffalatura_muri", 7}, {"Scaffalatura_griglie", 3}};
}

// Plan symbols: x runs along the part as inserted, y across it.
std::vector<TemplateBlock> plan_template_blocks(const ShippedSizes& sizes) {
  std::vector<TemplateBlock> blocks;
  auto add = [&blocks](std::string name, std::function<void(BlockShapes&)> draw) {
    blocks.push_back({std::move(name), std::move(draw)});
  };
  for (double w : sizes.widths) {
    for (const std::string& suffix : sizes.shelf_suffixes)
      for (char letter : {'A', 'B'})
        add(plan_block(Part::GridPanel, w, grid_panel_variant(letter, suffix)), [w, letter](BlockShapes& s) {
          double hl = panel_length(letter) / 2, hw = w / 2 - 20.5;
          s.rectangle(-hl, -hw, hl, hw);
          for (double y : {-hw / 2, 0.0, hw / 2}) s.line(-hl, y, hl, y);
        });
    add(plan_block(Part::CornerJoint, w), [w](BlockShapes& s) {
      s.rectangle(-12.5, -w / 2, 12.5, w / 2);
      s.line(-12.5, -w / 2, 12.5, w / 2);
    });
    add(plan_block(Part::EndFrame, w), [w](BlockShapes& s) {
      s.rectangle(-14, -w / 2, 14, w / 2);
      s.rectangle(-14, -w / 2, 14, -w / 2 + 35);
      s.rectangle(-14, w / 2 - 35, 14, w / 2);
    });
  }
  for (double k : sizes.kit_lengths)
    add(plan_block(Part::CompactRail, k), [k](BlockShapes& s) {
      s.rectangle(-k / 2, -15, k / 2, 15);
      s.line(-k / 2, 0, k / 2, 0);
    });
  add(plan_block(Part::Rivet), [](BlockShapes& s) { s.circle(0, 0, 5); });
  // Fixings point into the bay along +x.
  add(plan_block(Part::Fixing), [](BlockShapes& s) { s.rectangle(0, -12.5, 12, 12.5); });
  add(plan_block(Part::Bumper), [](BlockShapes& s) {
    s.polygon({{-10, -17.5}, {20, -17.5}, {30, -7.5}, {30, 17.5}, {-10, 17.5}});
  });
  add(plan_block(Part::SlidingBracket), [](BlockShapes& s) { s.rectangle(-20, -10, 20, 10); });
  add(plan_block(Part::Operator), [](BlockShapes& s) {
    s.circle(0, 0, 80);
    s.line(-80, 0, 80, 0);
    s.line(0, -80, 0, 80);
  });
  // Spacers: the plate at the wall, reaching towards the group.
  add(plan_block(Part::ScrewedSpacer), [](BlockShapes& s) {
    s.rectangle(-30, -10, 30, 0);
    s.circle(-18, -5, 3);
    s.circle(18, -5, 3);
  });
  add(plan_block(Part::EndSpacer), [](BlockShapes& s) { s.rectangle(-20, 0, 20, 25); });
  return blocks;
}

// Solid parts of 3DFACE boxes, placed as the export inserts them: x along the
// part, z up from the insertion height.
std::vector<TemplateBlock> solid_template_blocks(const ShippedSizes& sizes) {
  std::vector<TemplateBlock> blocks;
  auto add = [&blocks](std::string name, std::function<void(BlockShapes&)> draw) {
    blocks.push_back({std::move(name), std::move(draw)});
  };
  for (double l : sizes.lengths)  // from its origin along +x
    add(solid_block(Part::SideRail, l), [l](BlockShapes& s) { s.box(0, -17.4, 0, l, 17.4, 46); });
  for (double w : sizes.widths) {
    for (const std::string& suffix : sizes.shelf_suffixes)
      for (char letter : {'A', 'B'})
        add(solid_block(Part::GridPanel, w, grid_panel_variant(letter, suffix)), [w, letter](BlockShapes& s) {
          double hl = panel_length(letter) / 2;
          s.box(-hl, -(w / 2 - 34.8), 0, hl, w / 2 - 34.8, 4);
        });
    add(solid_block(Part::CornerJoint, w), [w](BlockShapes& s) { s.box(-w / 2, -21.5, 0, w / 2, 21.5, 46); });
    add(solid_block(Part::Crossbar, w),
        [w](BlockShapes& s) { s.box(-(w - CrossbarShortfall) / 2, -10, 0, (w - CrossbarShortfall) / 2, 10, 25); });
  }
  // A group's ovals span its depth, which the length of its fixed ends gives:
  // a kit's modules, or any two modules of the catalogues the user joins.
  std::set<double> group_module_lengths = sizes.lengths;
  group_module_lengths.insert(sizes.kit_module_lengths.begin(), sizes.kit_module_lengths.end());
  for (double m : group_module_lengths) {
    double group_depth = compact_group_depth(m);
    add(oval_block(group_depth), [group_depth](BlockShapes& s) { s.box(0, -15, 0, group_depth - 84, 15, 40); });
  }
  for (double h : sizes.heights)
    for (bool mobile : {false, true})  // square uprights from the floor up
      add(solid_block(mobile ? Part::MobileCompactUpright : Part::Upright, h),
          [h](BlockShapes& s) { s.box(-17.5, -17.5, 0, 17.5, 17.5, h); });
  for (double k : sizes.kit_lengths)  // from one end
    add(solid_block(Part::CompactRail, k), [k](BlockShapes& s) { s.box(0, -20, 0, k, 20, 15); });
  add(solid_block(Part::Joint), [](BlockShapes& s) { s.box(-2, -17.5, 0, 2, 17.5, 46); });
  // Wheels reach down to the floor from the insertion height.
  add(solid_block(Part::Wheel), [](BlockShapes& s) { s.box(-40, -15, -TrolleyWheelTop, 40, 15, 0); });
  add(solid_block(Part::BrakedWheel), [](BlockShapes& s) {
    s.box(-40, -15, -TrolleyWheelTop, 40, 15, 0);
    s.box(40, -10, -60, 60, 10, -20);
  });
  add(solid_block(Part::TrolleyBar),
      [](BlockShapes& s) { s.box(-kTrolleyBarLength / 2, -17.5, -82.5, kTrolleyBarLength / 2, 17.5, 0); });
  add(solid_block(Part::Arch), [](BlockShapes& s) { s.box(-30, -20, 0, 30, 20, 100); });
  add(solid_block(Part::CompactClamps), [](BlockShapes& s) { s.box(-20, -20, 0, 20, 20, 20); });
  add(solid_block(Part::ScrewedSpacer), [](BlockShapes& s) { s.box(-30, -20, 0, 30, 0, 60); });
  add(solid_block(Part::EndSpacer), [](BlockShapes& s) { s.box(-20, 0, 0, 20, 25, 60); });
  return blocks;
}
