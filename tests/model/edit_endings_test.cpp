// How edits end: which views follow an edit, and whether they come before or
// after its undo step, which may roll an invalid outline back.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "layout_fixture.h"
#include "model/commands/archive_commands.h"
#include "model/commands/edit_mode_commands.h"
#include "model/commands/open_project.h"
#include "model/commands/project_commands.h"
#include "model/commands/side_panel_edits.h"
#include "model/files/cell_list.h"
#include "model/files/project_file.h"
#include "model/layout/auto_fill.h"
#include "model/layout/door_split.h"
#include "model/layout/finish_edit.h"
#include "model/layout/undo_history.h"
#include "model/modules/free_module_placement.h"
#include "model/state/tool_buttons.h"
#include "support/plan_builders.h"
#include "support/program_dir.h"

namespace {

using Events = std::vector<std::string>;

// Records each view refresh, fit and message with the number of undo steps
// taken by then, and the edit modes ending (the outline button set up).
class ViewLog : public ScriptedUi {
 public:
  Events events;
  void refresh_side_panel() override { note("panel"); }
  void draw_plan() override { note("plan"); }
  void rebuild_3d_if_visible() override {
    note("3d");
    cell_in_3d = std::as_const(Cells).at(static_cast<std::size_t>(AppState.current_cell));
  }
  Tcell cell_in_3d;  // as the 3-D view last read it
  void fit_plan_to_view(int) override { note("fit"); }
  void show_message(const std::string& text) override {
    ScriptedUi::show_message(text);
    note("message");
  }
  void set_tool_button_down(int button, bool down) override {
    ScriptedUi::set_tool_button_down(button, down);
    if (button == tool_button::outline && !down) note("modes");
  }

 protected:
  void note(const char* what) { events.push_back(std::string(what) + "@" + std::to_string(UndoHistory.size())); }
};

class EditEndings : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    set_ui(&log);
  }
  void TearDown() override {
    set_ui(nullptr);
    CellTest::TearDown();
  }
  // A closed room with one wall turned off the grid, which the undo step rolls back.
  void break_the_outline() {
    make_rectangle(4000, 3000);
    push_undo_snapshot();
    log.events.clear();
    wall(1).x2 += 500;
  }
  ViewLog log;
};

TEST_F(EditEndings, ALaidOutEditIsRecordedBeforeEveryViewShowsIt) {
  break_the_outline();
  finish_edit(EditKind::laid_out);
  EXPECT_EQ(log.events, (Events{"modes@1", "message@1", "3d@1", "panel@1", "plan@1"}));
  EXPECT_EQ(wall(1).x2, 4000) << "the views show the outline as it was";
}

TEST_F(EditEndings, CellCommandsShowTheNewStateBeforeRecordingIt) {
  break_the_outline();
  finish_edit(EditKind::shown_then_recorded, Views::side_panel | Views::plan);
  EXPECT_EQ(log.events, (Events{"panel@1", "plan@1", "modes@1", "message@1"}));
  EXPECT_EQ(UndoHistory.size(), 1u);

  log.events.clear();
  wall(1).x2 += 500;
  finish_edit(EditKind::shown_then_recorded);
  EXPECT_EQ(log.events, (Events{"3d@1", "panel@1", "plan@1", "modes@1", "message@1"}));
}

TEST_F(EditEndings, EditsWithoutAStepLeaveTheHistoryAlone) {
  make_rectangle(4000, 3000);
  for (Views views :
       {Views::all, Views::scene_3d | Views::plan, Views::side_panel | Views::plan, Views::scene_3d | Views::side_panel,
        Views::side_panel | Views::scene_3d, Views::scene_3d, Views::plan}) {
    finish_edit(EditKind::not_recorded, views);
  }
  EXPECT_TRUE(UndoHistory.empty());
  EXPECT_EQ(log.events, (Events{"3d@0", "panel@0", "plan@0", "3d@0", "plan@0", "panel@0", "plan@0", "3d@0", "panel@0",
                                "3d@0", "panel@0", "3d@0", "plan@0"}));
}

TEST_F(EditEndings, WallCommandsKeepTheirOrder) {
  AppState.outline_mode = AppState.segment_pending = 1;
  AppState.segment_offset = {10, 0};
  log.input_answers = {"3000"};
  add_wall_by_length('.');
  EXPECT_EQ(log.events, (Events{"3d@1", "fit@1", "plan@1"}));

  log.events.clear();
  make_room_with_opening();
  AppState.outline_mode = 0;
  wall(1).selected = true;
  log.yes_no_answers = {true};
  remove_door();
  EXPECT_EQ(log.events, (Events{"modes@2", "plan@2"})) << "the modes end after the step";
  EXPECT_FALSE(UndoHistory.back().cells[0]->walls.empty());

  log.events.clear();
  auto_fill_walls(1000);
  EXPECT_EQ(log.events, (Events{"panel@2", "3d@3", "plan@3"}));

  log.events.clear();
  set_run(wall(0), 2, 0);
  ASSERT_TRUE(apply_door_form(door_form_for_wall(cell(), 0)));
  EXPECT_EQ(log.events, (Events{"panel@4", "plan@5"})) << "the split, then the cell laid out";
}

TEST_F(EditEndings, ModuleAndCellCommandsKeepTheirOrder) {
  make_rectangle(4000, 3000);
  align_selected_free_modules('H');
  EXPECT_EQ(log.events, (Events{"3d@0", "panel@0", "plan@0"}));
  EXPECT_EQ(UndoHistory.size(), 1u);

  log.events.clear();
  Cells.push_back(Tcell{});
  CellOrderForm form = cell_order_form();
  move_cell_line(form, 1);
  apply_cell_order(form);
  EXPECT_EQ(log.events, (Events{"plan@2"})) << "the current cell moved, still current";
  EXPECT_EQ(UndoHistory.size(), 2u);

  log.events.clear();
  form = cell_order_form();
  form.selected = 0;
  move_cell_line(form, 1);
  apply_cell_order(form);
  EXPECT_EQ(log.events, (Events{"3d@3", "panel@3", "fit@3", "plan@3"})) << "another cell made current";

  log.events.clear();
  change_cell(0);
  EXPECT_EQ(log.events, (Events{"modes@3", "3d@4", "panel@4", "fit@4", "plan@4"}));

  log.events.clear();
  step_undo(-1);
  EXPECT_EQ(log.events, (Events{"modes@4", "3d@4", "panel@4", "plan@4"}));
  EXPECT_EQ(UndoPosition, 2);
}

TEST_F(EditEndings, TheFillShowsThePanelBeforeItsStepAndTheRestAfter) {
  break_the_outline();
  finish_edit(EditKind::laid_out_after_panel);
  EXPECT_EQ(log.events, (Events{"panel@1", "modes@1", "message@1", "3d@1", "plan@1"}));
  EXPECT_EQ(wall(1).x2, 4000) << "the plan and the 3-D view show the outline as it was";

  log.events.clear();
  finish_edit(EditKind::laid_out_after_panel, Views::plan);
  EXPECT_EQ(log.events, (Events{"plan@2"})) << "a panel left out is not shown first either";
}

TEST_F(EditEndings, AStepShownNowhereOnlyRecords) {
  make_rectangle(4000, 3000);
  finish_edit(EditKind::changed, Views::none);
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_TRUE(AppState.modified);
}

TEST_F(EditEndings, ADeletedCellIsFittedBeforeItsPlanIsDrawnThenRecorded) {
  make_rectangle(4000, 3000);
  Cells.push_back(Tcell{});
  log.yes_no_answers = {true};
  delete_current_cell();
  EXPECT_EQ(log.events, (Events{"3d@0", "panel@0", "fit@0", "plan@0"}));
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_EQ(Cells.size(), 1u);
}

TEST_F(EditEndings, EveryEndingShowsAndRecordsANewModuleWithItsEndFrames) {
  make_rectangle(4000, 3000);
  double x = 0;
  for (EditKind kind : {EditKind::laid_out, EditKind::changed, EditKind::not_recorded, EditKind::shown_then_recorded}) {
    AppState.free_module_template = make_free(x += 600, 0, 500, 1000, 'H');
    AppState.free_module_template.height = 2000;
    add_free_module();
    finish_edit(kind);
    EXPECT_EQ(log.cell_in_3d.free_modules.back().frame_height_a, 2000) << "shown by kind " << static_cast<int>(kind);
    if (kind == EditKind::not_recorded) continue;
    const Tcell& recorded = *UndoHistory.back().cells.at(0);
    EXPECT_EQ(recorded.free_modules.back().frame_height_b, 2000) << "recorded by kind " << static_cast<int>(kind);
  }
}

// The mode buttons show each view once (a selection button drew the plan
// and refreshed the panel twice); the dialogs' commands end whatever the
// dialog did.
TEST_F(EditEndings, ModeButtonsAndDialogCommandsShowEachViewOnce) {
  make_rectangle(4000, 3000);
  set_selection_mode(tool_button::select_walls, true);
  EXPECT_EQ(log.events, (Events{"modes@0", "panel@0", "plan@0"}));
  EXPECT_TRUE(AppState.select_walls_mode && log.buttons_down[tool_button::select_walls]);
  log.events.clear();
  set_selection_mode(tool_button::select_walls, false);
  EXPECT_EQ(log.events, (Events{"modes@0", "modes@0", "panel@0", "plan@0"}));
  EXPECT_FALSE(AppState.select_walls_mode || log.buttons_down[tool_button::select_walls]);

  log.events.clear();
  log.yes_no_answers = {true};
  start_outline();
  EXPECT_EQ(log.events, (Events{"modes@0", "modes@0", "3d@0"})) << "the discarded room leaves the 3-D view";
  EXPECT_TRUE(cell().walls.empty());
  EXPECT_TRUE(AppState.outline_mode && log.buttons_down[tool_button::outline]);

  log.events.clear();
  std::vector<std::string> offered;
  new_cell([&](const std::vector<std::string>& names) { offered = names; });
  EXPECT_EQ(offered, std::vector<std::string>{cell().name});
  EXPECT_EQ(log.events, (Events{"3d@0", "panel@0", "plan@0"}));
  EXPECT_EQ(UndoHistory.size(), 1u) << "recorded after it is shown";

  log.events.clear();
  bool shown = false;
  edit_shelves("4,5", 2000, [&](const ShelvesForm&) { shown = true; });
  EXPECT_FALSE(shown);
  EXPECT_EQ(log.events, Events{"message@1"});
}

// Besides the views: the save question, the tabs, the caption and every undo
// step (the Undo button is set after each).
class OpeningLog : public ViewLog {
 public:
  Answer ask_yes_no_cancel(const std::string& text) override {
    note("question");
    return ViewLog::ask_yes_no_cancel(text);
  }
  void reset_cell_tabs(const std::vector<std::string>& names, int selected) override {
    ViewLog::reset_cell_tabs(names, selected);
    note("tabs");
  }
  void set_caption(const std::string& text) override {
    ViewLog::set_caption(text);
    note("caption");
  }
  void set_tool_button_enabled(int button, bool enabled) override {
    ViewLog::set_tool_button_enabled(button, enabled);
    if (button == tool_button::undo) note("step");
  }
};

class ProjectOpenings : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    folder.write("data/maxLoad.txt", "");
    make_rectangle(4000, 3000);
    write_project_file(folder.file("user/prv00007.cel"), true);
    ArchiveList = {{"00007", "01/02/2026", "Rossi Srl", "r-1", "Q1", "Magazzino"}};
    set_ui(&log);
  }
  void TearDown() override {
    set_ui(nullptr);
    ArchiveList.clear();
    CellTest::TearDown();
  }
  // A project of two undo steps, modified, which the user lets go (No).
  void edit_twice() {
    Cells = {Tcell{}};
    UndoHistory.clear();
    UndoPosition = -1;
    push_undo_snapshot();
    cell().wall_thickness = 80;
    push_undo_snapshot();
    log.yes_no_cancel_answers = {Answer::No};
    log.events.clear();
  }
  std::string project_file() { return folder.file("user/prv00007.cel"); }
  TempProgramDir folder;
  OpeningLog log;
};

// Import, the archive, New and the start argument: each asks about the
// project it replaces once, starts a history of its own and shows the new
// project in one order (the tabs, the caption, then the views as an edit
// ends them, the plan fitted to a project read from a file) before its first
// step.
TEST_F(ProjectOpenings, EveryWayAsksOnceRestartsTheHistoryAndShowsTheProjectInOneOrder) {
  const Events read_from_file = {"question@2", "tabs@0", "caption@0", "3d@0", "panel@0", "fit@0", "plan@0", "step@1"};
  edit_twice();
  log.file_answers = {project_file()};
  import_project_asking();
  EXPECT_EQ(log.events, read_from_file) << "import";
  EXPECT_FALSE(AppState.modified);

  edit_twice();
  ASSERT_TRUE(open_archive_project(0));
  EXPECT_EQ(log.events, read_from_file) << "archive";
  EXPECT_FALSE(AppState.modified);

  edit_twice();
  new_project();
  EXPECT_EQ(log.events, (Events{"question@2", "tabs@0", "caption@0", "3d@0", "panel@0", "plan@0", "step@1"}));
  EXPECT_TRUE(AppState.modified) << "marked as its first step marks it";

  // At start nothing is open to ask about, and the program's title stands.
  reset_project();
  log.events.clear();
  open_start_project(project_file());
  EXPECT_EQ(log.events, (Events{"tabs@0", "3d@0", "panel@0", "fit@0", "plan@0", "step@1"}));
  EXPECT_FALSE(AppState.modified);
  EXPECT_EQ(cell().walls.size(), 4u);
}

}  // namespace
