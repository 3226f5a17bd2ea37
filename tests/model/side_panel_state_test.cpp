// What the side panel shows for a selection, without a window.
#include "model/commands/side_panel_state.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "model/state/language.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"

namespace {

Tvar_amb millimetres() {
  Tvar_amb settings;
  settings.decimals = 1;
  return settings;
}

Tcell room_4000_by_3000() {
  Tcell cell;
  cell.walls = four_by_three_walls();
  for (Tlinea& wall : cell.walls) {
    wall.module_height = 1700;
    wall.module_depth = 475;
    wall.shelf_count = 4;
  }
  return cell;
}

// A field as shown: its text, then "on" or "off".
std::string shown(const FieldState& field) { return field.text + (field.enabled ? " on" : " off"); }

SidePanelState panel(const Tcell& cell, const Tvar_amb& settings = millimetres(), const SidePanelState& before = {}) {
  return side_panel_state(cell, settings, before, '.');
}

}  // namespace

TEST(SidePanelState, TwoWallsShowOnlyWhatTheyShare) {
  Tcell cell = room_4000_by_3000();
  cell.walls[0].selected = cell.walls[1].selected = true;  // 4000 and 3000 long
  SidePanelState s = panel(cell);
  EXPECT_EQ(shown(s.wall_length), " off");
  EXPECT_EQ(shown(s.wall_height), "1700.0 on");
  EXPECT_FALSE(s.arrows_up_down || s.arrows_left_right || s.priority || s.forced_lengths);
  EXPECT_TRUE(s.fill_buttons);
  EXPECT_EQ(s.door_wall, 1);

  cell.walls[1].module_height = 2000;
  EXPECT_EQ(panel(cell).wall_height.text, "");
}

TEST(SidePanelState, AnOpeningWithAWallGivesAPartlyCheckedDisabledDoorBox) {
  Tcell cell = room_4000_by_3000();
  cell.walls[0].kind = 0;
  cell.walls[0].selected = cell.walls[2].selected = true;
  cell.walls[2].show_dimensions = true;
  SidePanelState s = panel(cell);
  EXPECT_EQ(std::pair(s.door.tick, s.door.enabled), std::pair(Tick::Partly, false));
  EXPECT_EQ(std::pair(s.dimension.tick, s.dimension.enabled), std::pair(Tick::Partly, true));
}

TEST(SidePanelState, OneWallByKind) {
  Tcell cell = room_4000_by_3000();
  cell.walls[1].selected = true;  // vertical, 3000
  cell.walls[1].start_gap = 12.5;
  SidePanelState s = panel(cell);
  EXPECT_TRUE(s.arrows_left_right && !s.arrows_up_down);
  EXPECT_EQ(shown(s.wall_length), "3000.0 off");
  EXPECT_EQ(s.start_gap.text, "12.5");
  EXPECT_EQ(s.door.tick, Tick::Unchecked);
  EXPECT_TRUE(s.priority && s.forced_lengths && s.module_count.enabled);

  // A lone opening leaves the run controls as the last refresh showed them.
  cell.walls[1].kind = 0;
  SidePanelState opening = panel(cell, millimetres(), s);
  EXPECT_TRUE(opening.wall_length.enabled);
  EXPECT_EQ(opening.door.tick, Tick::Checked);
  EXPECT_FALSE(opening.forced_lengths);
  EXPECT_EQ(opening.module_count.text, s.module_count.text);
  EXPECT_TRUE(opening.arrows_up_down && opening.arrows_left_right);

  cell.walls[1].selected = false;
  SidePanelState none = panel(cell, millimetres(), opening);
  EXPECT_EQ(none.module_count.text, "");
  EXPECT_FALSE(none.wall_length.enabled || none.door.enabled || none.fill_buttons);
  EXPECT_EQ(none.door_wall, -1);
}

TEST(SidePanelState, InchModeConvertsLengthsButNotTheRunClearances) {
  Tcell cell = room_4000_by_3000();
  cell.clearance = 254;
  cell.walls[0].selected = true;
  cell.walls[0].start_gap = 254;
  Tvar_amb inches = millimetres();
  inches.inches = true;
  inches.unit_factor = 25.4;
  SidePanelState s = panel(cell, inches);
  EXPECT_EQ((std::array{s.clearance, s.start_gap.text, s.wall_length.text}),
            (std::array<std::string, 3>{"10.0", "254", "157.5"}));
}

TEST(SidePanelState, OnlyFreeModulesAloneMayChangeTheirWidth) {
  Tcell cell = room_4000_by_3000();
  cell.free_modules = {make_free(0, 0, 475, 1000, 'H')};
  cell.free_modules[0].selected = true;
  SidePanelState s = panel(cell);
  EXPECT_EQ(shown(s.module_width), "475.0 on");
  EXPECT_TRUE(s.side_n.enabled && s.trolley.enabled);

  cell.walls[0].modules = {make_bay(0, 0, 600, 1000, 'H')};
  cell.walls[0].modules[0].selected = true;
  s = panel(cell);
  EXPECT_EQ(shown(s.module_width), " off");  // 475 and 600 differ
  EXPECT_EQ(s.module_height.text, "2000.0");
  EXPECT_EQ(s.module_group_caption, " " + lang_text(25) + " (2) ");
}

TEST(SidePanelState, ThreeFreeModulesWithTheMiddleOneATrolley) {
  Tcell cell = room_4000_by_3000();
  cell.free_modules = {make_free(0, 0, 475, 1000, 'H'), make_free(0, 900, 475, 1000, 'H', "CARRELLO"),
                       make_free(0, 1800, 475, 1000, 'H')};
  for (Tmodulo_agg& module : cell.free_modules) module.selected = true;
  cell.free_modules[0].dim_n = cell.free_modules[1].dim_n = cell.free_modules[2].dim_n = true;
  SidePanelState s = panel(cell);
  EXPECT_EQ((std::array{s.trolley.tick, s.side_n.tick, s.side_s.tick}),
            (std::array{Tick::Partly, Tick::Checked, Tick::Unchecked}));
  EXPECT_EQ(s.module_shelves.text, "5");
}
