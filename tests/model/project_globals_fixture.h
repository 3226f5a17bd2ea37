// The fixture that gives each test of the engine clean project globals, and
// the builders of walls, bays and free modules those tests use.
#pragma once

#include <gtest/gtest.h>

#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/plan_builders.h"

// Every test starts with no cells, no tables and default state, and leaves none behind.
class ProjectGlobalsTest : public ::testing::Test {
 protected:
  void SetUp() override { clear(); }
  void TearDown() override { clear(); }

  // Appends a cell holding these free modules. The reference lasts until the next cell is added.
  static Tcell& add_cell(Tmoduli_agg free_modules = {}) {
    Tcell& cell = Cells.emplace_back();
    cell.free_modules = std::move(free_modules);
    return cell;
  }

 private:
  static void clear() {
    CodesTable.clear();
    MaxLoadTable.clear();
    reset_open_project();
  }
};
