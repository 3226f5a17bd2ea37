// The new cell dialog's form: what it offers to copy, and OK.
#include "model/files/new_cell_form.h"

#include <gtest/gtest.h>

#include "layout_fixture.h"
#include "support/plan_builders.h"

namespace {

using NewCell = CellTest;

TEST_F(NewCell, TheFormOffersTheLastCellWithDashesForUnnamedCellsAndCopyingOff) {
  const NewCellForm form = new_cell_form("Cella 2", {"A", "", "C"});
  EXPECT_EQ(form.name, "Cella 2");
  EXPECT_EQ(form.cells, (std::vector<std::string>{"A", "-", "C"}));
  EXPECT_EQ(form.copy_from, 2);
  EXPECT_FALSE(form.copy);
  EXPECT_EQ(new_cell_form("X", {}).copy_from, -1);
}

TEST_F(NewCell, OkCopiesTheChosenCellOnlyWhenCopyingIsOn) {
  cell().name = "A";
  cell().free_modules = {make_free(0, 0, 500, 1000, 'H')};
  NewCellForm form = new_cell_form("B", {"A"});
  apply_new_cell_form(form);  // a cell is chosen, but copying is off
  ASSERT_EQ(Cells.size(), 2u);
  EXPECT_EQ(AppState.current_cell, 1);
  EXPECT_EQ(Cells[1].name, "B");
  EXPECT_TRUE(Cells[1].free_modules.empty());
  form.name = "C";
  form.copy = true;
  apply_new_cell_form(form);
  ASSERT_EQ(Cells.size(), 3u);
  EXPECT_EQ(Cells[2].name, "C");
  EXPECT_EQ(Cells[2].free_modules.size(), 1u);
}

}  // namespace
