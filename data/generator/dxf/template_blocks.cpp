#include "template_blocks.h"

#include "model/modules/compact_groups.h"
#include "output/dxf/dxf_block_names.h"

namespace {

constexpr double PanelA = 264.0, PanelB = 352.0;

double panel_length(char letter) { return letter == 'A' ? PanelA : PanelB; }

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
        add(grid_block(letter, suffix, w), [w, letter](BlockShapes& s) {
          double hl = panel_length(letter) / 2, hw = w / 2 - 20.5;
          s.rectangle(-hl, -hw, hl, hw);
          for (double y : {-hw / 2, 0.0, hw / 2}) s.line(-hl, y, hl, y);
        });
    add(plan_corner_joint_block(w), [w](BlockShapes& s) {
      s.rectangle(-12.5, -w / 2, 12.5, w / 2);
      s.line(-12.5, -w / 2, 12.5, w / 2);
    });
    add(plan_frame_block(w), [w](BlockShapes& s) {
      s.rectangle(-14, -w / 2, 14, w / 2);
      s.rectangle(-14, -w / 2, 14, -w / 2 + 35);
      s.rectangle(-14, w / 2 - 35, 14, w / 2);
    });
  }
  for (double k : sizes.kit_lengths)
    add(plan_rail_block(k), [k](BlockShapes& s) {
      s.rectangle(-k / 2, -15, k / 2, 15);
      s.line(-k / 2, 0, k / 2, 0);
    });
  add(PlanRivetBlock, [](BlockShapes& s) { s.circle(0, 0, 5); });
  // Fixings point into the bay along +x.
  add(PlanFixingBlock, [](BlockShapes& s) { s.rectangle(0, -12.5, 12, 12.5); });
  add(PlanBumperBlock, [](BlockShapes& s) {
    s.polygon({{-10, -17.5}, {20, -17.5}, {30, -7.5}, {30, 17.5}, {-10, 17.5}});
  });
  add(PlanSlidingBracketBlock, [](BlockShapes& s) { s.rectangle(-20, -10, 20, 10); });
  add(PlanOperatorBlock, [](BlockShapes& s) {
    s.circle(0, 0, 80);
    s.line(-80, 0, 80, 0);
    s.line(0, -80, 0, 80);
  });
  // Spacers: the plate at the wall, reaching towards the group.
  add(PlanScrewedSpacerBlock, [](BlockShapes& s) {
    s.rectangle(-30, -10, 30, 0);
    s.circle(-18, -5, 3);
    s.circle(18, -5, 3);
  });
  add(PlanEndSpacerBlock, [](BlockShapes& s) { s.rectangle(-20, 0, 20, 25); });
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
    add(side_rail_block(l), [l](BlockShapes& s) { s.box(0, -17.4, 0, l, 17.4, 46); });
  for (double w : sizes.widths) {
    for (const std::string& suffix : sizes.shelf_suffixes)
      for (char letter : {'A', 'B'})
        add(grid_block(letter, suffix, w), [w, letter](BlockShapes& s) {
          double hl = panel_length(letter) / 2;
          s.box(-hl, -(w / 2 - 34.8), 0, hl, w / 2 - 34.8, 4);
        });
    add(corner_joint_block(w), [w](BlockShapes& s) { s.box(-w / 2, -21.5, 0, w / 2, 21.5, 46); });
    add(crossbar_block(w), [w](BlockShapes& s) { s.box(-(w - 63) / 2, -10, 0, (w - 63) / 2, 10, 25); });
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
      add(upright_block(h, mobile), [h](BlockShapes& s) { s.box(-17.5, -17.5, 0, 17.5, 17.5, h); });
  for (double k : sizes.kit_lengths)  // from one end
    add(compact_rail_block(k), [k](BlockShapes& s) { s.box(0, -20, 0, k, 20, 15); });
  add(JointBlock, [](BlockShapes& s) { s.box(-2, -17.5, 0, 2, 17.5, 46); });
  // Wheels reach down to the floor from the insertion height.
  add(WheelBlock, [](BlockShapes& s) { s.box(-40, -15, -151.6, 40, 15, 0); });
  add(BrakedWheelBlock, [](BlockShapes& s) {
    s.box(-40, -15, -151.6, 40, 15, 0);
    s.box(40, -10, -60, 60, 10, -20);
  });
  add(TrolleyBarBlock,
      [](BlockShapes& s) { s.box(-TrolleyBarLength / 2, -17.5, -82.5, TrolleyBarLength / 2, 17.5, 0); });
  add(CompactArchBlock, [](BlockShapes& s) { s.box(-30, -20, 0, 30, 20, 100); });
  add(CompactClampsBlock, [](BlockShapes& s) { s.box(-20, -20, 0, 20, 20, 20); });
  add(ScrewedSpacerBlock, [](BlockShapes& s) { s.box(-30, -20, 0, 30, 0, 60); });
  add(EndSpacerBlock, [](BlockShapes& s) { s.box(-20, 0, 0, 20, 25, 60); });
  return blocks;
}
