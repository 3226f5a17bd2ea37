// The cell list, the forced lengths of a wall and the added-module template.
#include "model/files/cell_list.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"
#include "model/layout/forced_lengths.h"
#include "model/modules/added_module.h"
#include "support/plan_builders.h"

namespace {

using CellList = CellTest;

TEST_F(CellList, ACopiedCellSharesNothingWithItsSource) {
  cell().name = "A";
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H')};
  add_cell("B", 0);
  ASSERT_EQ(Cells.size(), 2u);
  EXPECT_EQ(AppState.current_cell, 1);
  EXPECT_EQ(Cells[1].name, "B");
  Cells[1].free_modules[0].x = 99;
  EXPECT_EQ(Cells[0].free_modules[0].x, 0);
  add_cell("C", -1);
  EXPECT_TRUE(Cells[2].free_modules.empty());
}

TEST_F(CellList, ReorderingKeepsTheSelectedCellCurrent) {
  Cells = {Tcell{}, Tcell{}, Tcell{}};
  for (int i = 0; i < 3; ++i) Cells[static_cast<std::size_t>(i)].name = std::string(1, static_cast<char>('A' + i));
  AppState.current_cell = 0;
  CellOrderForm form = cell_order_form();
  move_cell_line(form, -1);  // the first line cannot go up
  EXPECT_EQ(form.order, (std::vector<int>{0, 1, 2}));
  move_cell_line(form, +1);
  move_cell_line(form, +1);
  move_cell_line(form, +1);  // nor the last down
  EXPECT_EQ(form.order, (std::vector<int>{1, 2, 0}));
  apply_cell_order(form);
  EXPECT_EQ(Cells[0].name + Cells[1].name + Cells[2].name, "BCA");
  EXPECT_EQ(AppState.current_cell, 2);
  EXPECT_EQ(UndoHistory.size(), 1u);

  form = cell_order_form();
  form.selected = 3;  // past the last line: none
  apply_cell_order(form);
  EXPECT_EQ(AppState.current_cell, 0);
}

TEST_F(CellList, ForcedLengthsAreCatalogueValuesAndARowWithoutChoiceKeepsItsBay) {
  make_rectangle(5000, 4000);
  set_run(wall(0), 3, 0);
  recompute_layout();
  wall(0).modules[2].length = 1234;  // no longer in the catalogue
  ForcedLengthsForm form = forced_lengths_form(cell(), 0);
  ASSERT_EQ(form.choices.size(), 3u);
  EXPECT_EQ(form.choices[2], -1);
  form.choices[0] = 6;  // 1300
  const double before = form.start_total;
  EXPECT_EQ(forced_lengths_total(form, cell()), before - wall(0).modules[0].length + 1300);
  apply_forced_lengths(form);
  EXPECT_EQ(wall(0).forced_lengths[0], 1300);
  EXPECT_EQ(wall(0).forced_lengths[2], 1234);
  EXPECT_EQ(wall(0).modules[0].length, 1300);
  remove_forced_lengths(0);
  EXPECT_TRUE(wall(0).forced_lengths.empty());
  EXPECT_EQ(UndoHistory.size(), 2u);
}

TEST_F(CellList, TheAddedModuleIsCheckedBeforeItStartsPlacement) {
  LengthList = {800, 974};
  WidthList = {475};
  HeightList = {1700, 2000};
  AppState.decimals = 1;
  EXPECT_EQ(size_items(LengthList, SizeKind::Length, AppState, ',')[1], "974,0");
  AddedModuleForm form = added_module_form(AppState, ',');
  EXPECT_EQ(form.length, 1);
  EXPECT_EQ(form.height, 0);
  form.shelves = "x";
  EXPECT_FALSE(apply_added_module_form(form));
  EXPECT_FALSE(AppState.place_free_module_mode);
  form.shelves = "3";
  form.height = 1;
  ASSERT_TRUE(apply_added_module_form(form));
  EXPECT_TRUE(AppState.place_free_module_mode);
  const Tmodulo_agg& t = AppState.free_module_template;
  EXPECT_EQ(t.length, 974);
  EXPECT_EQ(t.height, 2000);
  EXPECT_EQ(t.shelf_count, 3);
  EXPECT_EQ(t.extent_x, 974);
  WidthList.clear();
  HeightList.clear();
}

}  // namespace
