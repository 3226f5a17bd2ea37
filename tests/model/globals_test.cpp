#include "model/state/globals.h"

#include <gtest/gtest.h>

#include <regex>
#include <tuple>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

TEST(ResetGlobals, RestoresEditingStateAndKeepsPreferences) {
  ScopedScriptedUi ui;
  TempDir dir;
  ProgramDir = dir.path().string();
  dir.write("data/maxLoad.txt", "L\tP\r\n1000\t300\r\n");

  AppState.current_cell = 3;
  AppState.file_name = "prv00007.cel";
  AppState.zoom = 4.0;
  AppState.select_walls_mode = 1;
  AppState.rubber_band = {1, 2, 3, 4};
  AppState.language = 2;
  AppState.inches = true;
  AppState.palette[3] = 0x123456;
  AppState.free_module_template.length = 974;
  QuoteHeader.number = "42";
  QuoteHeader.discount3 = 5;
  QuoteHeader.customer.notes = {"a", "b"};
  Cells = {Tcell{}, Tcell{}};
  Customers = {Tcliente{}};
  UndoPosition = 5;

  reset_globals();

  // The editing state and the quote header restored ...
  EXPECT_EQ((std::array{UndoPosition, AppState.current_cell, int{AppState.select_walls_mode}}), (std::array{-1, 0, 0}));
  EXPECT_EQ(std::tuple(AppState.file_name, AppState.zoom, AppState.rubber_band),
            (std::tuple("", 1.0, std::array<int, 4>{-1, -1, -1, -1})));
  EXPECT_EQ(std::tuple(QuoteHeader.number, QuoteHeader.discount3, QuoteHeader.customer.notes),
            std::tuple("", 0.0, std::vector<std::string>{""}));
  // ... the preferences kept.
  EXPECT_EQ(std::tuple(AppState.language, AppState.inches, AppState.palette[3], AppState.free_module_template.length),
            std::tuple(2, true, 0x123456, 974.0));
  EXPECT_EQ(QuoteHeader.date, today_text());
  EXPECT_TRUE(std::regex_match(QuoteHeader.date, std::regex("[0-3][0-9]/[01][0-9]/20[0-9][0-9]"))) << QuoteHeader.date;
  EXPECT_EQ(Cells.size(), 2u);
  EXPECT_EQ(Customers.size(), 1u);
  ASSERT_EQ(MaxLoadTable.size(), 2u);
  EXPECT_TRUE(ui->messages.empty());
}

TEST(ResetGlobals, MissingLoadTableIsReportedAndKept) {
  ScopedScriptedUi ui;
  TempDir dir;
  ProgramDir = dir.path().string();
  MaxLoadTable = {{"old"}};
  reset_globals();
  EXPECT_EQ(MaxLoadTable, (Tres{{"old"}}));
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(UndoPosition, -1);
}

TEST(Records, CopiesAreDeep) {
  Tcell cell;
  cell.walls.resize(1);
  cell.walls[0].modules.resize(2);
  cell.picture = std::make_shared<Tpicture>();
  Tcell copy = cell;
  copy.walls[0].modules[1].length = 1000;
  EXPECT_EQ(cell.walls[0].modules[1].length, 0.0);
  EXPECT_FALSE(cell == copy);
  copy.walls[0].modules[1].length = 0;
  copy.picture.reset();
  EXPECT_TRUE(cell == copy);  // the picture does not count
}
