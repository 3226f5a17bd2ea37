// The main window's project and cell commands through the window seam.
#include "model/commands/project_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/commands/open_project.h"
#include "model/commands/side_panel_edits.h"
#include "model/files/project_file.h"
#include "model/files/project_save.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "support/fresh_project_fixture.h"
#include "support/long_texts.h"
#include "support/program_dir.h"
#include "support/room_outline.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

class MainCommands : public FreshProjectTest {
 protected:
  void SetUp() override {
    Cells = {first_cell(), first_cell()};
    Cells[0].name = "Uno";
    Cells[1].name = "Due";
    push_undo_snapshot();
    AppState.modified = 0;
  }
  TempProgramDir folder;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(MainCommands, DeleteAsksAndKeepsTheLastCell) {
  AppState.current_cell = 1;
  ui->yes_no_answers = {false};
  delete_current_cell();
  EXPECT_EQ(Cells.size(), 2u);

  ui->yes_no_answers = {true};
  delete_current_cell();
  ASSERT_EQ(Cells.size(), 1u);
  EXPECT_EQ(std::pair(Cells[0].name, AppState.current_cell), (std::pair<std::string, int>("Uno", 0)));
  EXPECT_EQ(ui->tab_names, std::vector<std::string>{"Uno"});
  EXPECT_EQ(UndoHistory.size(), 2u);

  std::size_t asked = ui->questions.size();
  delete_current_cell();  // the only cell stays, nothing is asked
  EXPECT_EQ(Cells.size(), 1u);
  EXPECT_EQ(ui->questions.size(), asked);
}

TEST_F(MainCommands, RenameIsAnUndoStep) {
  ui->input_answers = {"Magazzino"};
  rename_current_cell();
  EXPECT_EQ(ui->query_defaults, std::vector<std::string>{"Uno"});
  EXPECT_EQ(Cells[0].name, "Magazzino");
  EXPECT_EQ(ui->tab_names, (std::vector<std::string>{"Magazzino", "Due"}));
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_TRUE(AppState.modified);

  rename_current_cell();  // cancelled
  EXPECT_EQ(Cells[0].name, "Magazzino");
  EXPECT_EQ(UndoHistory.size(), 2u);
}

// Whatever a window answers, a cell keeps the longest name its project file
// reads back whole.
TEST_F(MainCommands, ARenameKeepsTheLongestNameTheProjectFileReadsBack) {
  ui->input_answers = {czech_note(4400)};
  rename_current_cell();
  EXPECT_TRUE(Cells[0].name == cut_text(czech_note(4400), kTextBytes));
  const ProjectData read = parse_project(project_file_text(QuoteHeader, Cells, 0, true), "prv00001.cel");
  EXPECT_TRUE(read.damage.empty()) << read.damage.front();
  EXPECT_TRUE(read.cells[0].name == Cells[0].name);
}

TEST_F(MainCommands, TabChangeUndoAndRedo) {
  change_cell(1);
  EXPECT_EQ(AppState.current_cell, 1);
  EXPECT_EQ(ui->fits, 1);
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_TRUE(ui->buttons_enabled[5]);

  Cells[1].name = "Tre";
  push_undo_snapshot();
  step_undo(-1);
  EXPECT_EQ(Cells[1].name, "Due");
  EXPECT_EQ(ui->tab_names, (std::vector<std::string>{"Uno", "Due"}));
  EXPECT_EQ(ui->selected_tab, 1);
  EXPECT_TRUE(ui->buttons_enabled[5] && ui->buttons_enabled[6]);
  step_undo(+1);
  EXPECT_EQ(Cells[1].name, "Tre");
  EXPECT_FALSE(ui->buttons_enabled[6]);
  EXPECT_EQ(ui->caption.rfind(AppTitle + " - ", 0), 0u);
}

TEST_F(MainCommands, NewProjectAsksOnlyWhenModified) {
  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::Cancel};
  new_project();
  EXPECT_EQ(Cells.size(), 2u);

  ui->yes_no_cancel_answers = {Answer::No};
  new_project();
  ASSERT_EQ(Cells.size(), 1u);
  EXPECT_EQ(Cells[0].wall_thickness, 60.0);
  EXPECT_EQ(ui->tab_names.size(), 1u);
  EXPECT_EQ(UndoHistory.size(), 1u);  // a new project starts a new history
}

TEST_F(MainCommands, ClosingAsksOnlyForAModifiedProject) {
  EXPECT_TRUE(settle_modified_project());
  EXPECT_TRUE(ui->questions.empty());
  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::Cancel, Answer::No};
  EXPECT_FALSE(settle_modified_project());
  EXPECT_TRUE(settle_modified_project());

  // Yes with a save that fails keeps the program open and says why.
  std::filesystem::remove_all(folder.path() / "user");
  folder.write("user", "a file where the folder should be");
  ui->yes_no_cancel_answers = {Answer::Yes};
  EXPECT_FALSE(settle_modified_project());
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(AppState.modified);
}

// A save that fails, from the tool bar or before a new project, says why
// and leaves the project and the user folder as they were.
TEST_F(MainCommands, AFailedSaveSaysSoAndChangesNothing) {
  for (const char* blocked : {"user/prv00001.cel/kept", "user/prv00004.cel/kept"})
    folder.write(blocked, "a folder where the project file should be");
  AppState.file_name = "prv00004.cel";
  AppState.modified = 1;
  const Tcells cells = Cells;
  const auto files = folder.names_in("user");
  auto expect_nothing_changed = [&](std::size_t messages) {
    EXPECT_EQ(ui->messages.size(), messages);
    EXPECT_EQ(std::pair(AppState.file_name, int{AppState.modified}), (std::pair<std::string, int>("prv00004.cel", 1)));
    EXPECT_EQ(Cells, cells);
    EXPECT_TRUE(ArchiveList.empty());
    EXPECT_EQ(folder.names_in("user"), files);
  };

  ui->yes_no_answers = {true, true};
  EXPECT_NO_THROW(save_project_asking(false));
  expect_nothing_changed(1);
  EXPECT_NO_THROW(save_project_asking(true));  // under the first free number, blocked the same way
  expect_nothing_changed(2);

  ui->yes_no_cancel_answers = {Answer::Yes};
  EXPECT_NO_THROW(new_project());
  expect_nothing_changed(3);
}

TEST_F(MainCommands, ImportReadsAProjectAsUnsavedAndLeavesABadFileAlone) {
  Cells[1].name = "Archivio";
  AppState.current_cell = 1;
  write_project_file(folder.file("prv00007.cel"), true);
  std::string before = folder.read("prv00007.cel");
  Cells = {first_cell()};
  AppState.current_cell = 0;
  AppState.file_name = "prv00003.cel";

  EXPECT_TRUE(import_project(folder.file("prv00007.cel")));
  EXPECT_EQ(Cells.size(), 2u);
  EXPECT_EQ(ui->selected_tab, 1);
  EXPECT_EQ(std::pair(AppState.file_name, int{AppState.modified}), (std::pair<std::string, int>("", 0)));
  EXPECT_EQ(folder.read("prv00007.cel"), before);

  std::string damaged = folder.write("prv00008.cel", "not a project");
  AppState.file_name = "prv00003.cel";
  EXPECT_FALSE(import_project(damaged));
  EXPECT_EQ(Cells.size(), 2u);
  EXPECT_EQ(AppState.file_name, "prv00003.cel");  // the open project keeps its number
  EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(MainCommands, ImportAsksToSaveAModifiedProjectBeforeReplacingIt) {
  Cells[1].name = "Archivio";
  write_project_file(folder.file("prv00007.cel"), true);
  Cells[1].name = "Due";
  const std::vector<std::string> texts = LangTable;
  LangTable.assign(200, "");
  LangTable[112] = "Salvare il progetto?";
  LangTable[191] = "Importa";
  const std::string save_question = lang_text(112);

  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::Cancel};
  ui->file_answers = {folder.file("prv00007.cel")};
  import_project_asking();
  EXPECT_EQ(ui->questions, std::vector<std::string>{save_question}) << "asked before the file is chosen";
  EXPECT_EQ(Cells[1].name, "Due");
  EXPECT_EQ(UndoHistory.size(), 1u) << "the history stays";
  EXPECT_TRUE(AppState.modified);

  ui->questions.clear();
  ui->yes_no_cancel_answers = {Answer::No};
  import_project_asking();
  EXPECT_EQ(ui->questions, (std::vector<std::string>{save_question, lang_text(191)}));
  EXPECT_EQ(Cells[1].name, "Archivio");
  EXPECT_FALSE(AppState.modified);

  ui->questions.clear();  // an unmodified project goes straight to the file
  import_project_asking();
  EXPECT_EQ(ui->questions, std::vector<std::string>{lang_text(191)});
  LangTable = texts;
}

// The imported project is whole, cells with their header, however its room
// is: kept as stored, said once by file and cell, and never mixed with the
// project before by an undo step of that one's history. The start argument
// says it as the import does.
TEST_F(MainCommands, ImportOfAnInvalidRoomKeepsTheImportedProjectWholeAndSaysSo) {
  QuoteHeader.customer.name = "Before";
  AppState.file_name = "prv00003.cel";
  Tcells cells{first_cell(), room_with_a_turned_normal("Magazzino")};
  write_scrambled_file(folder.file("prv00007.cel"), project_file_text(sample_quote_header(), cells, 1, true));
  const std::string path = folder.file("prv00007.cel");

  ASSERT_TRUE(import_project(path));
  auto expect_imported_project = [&] {
    EXPECT_EQ(ui->tab_names, (std::vector<std::string>{cells[0].name, "Magazzino"}));
    EXPECT_EQ(Cells, cells);
    EXPECT_EQ(std::pair(QuoteHeader.customer.name, AppState.file_name),
              (std::pair<std::string, std::string>("Rossi Srl", "")));
    EXPECT_NE(ui->caption.find("Rossi Srl"), std::string::npos);
  };
  expect_imported_project();
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const std::string& named : {path, std::string("\"Magazzino\"")})
    EXPECT_NE(ui->messages[0].find(named), std::string::npos) << ui->messages[0];
  step_undo(-1);  // nothing of the project before comes back
  expect_imported_project();
  edit_wall_thickness(300);
  step_undo(-1);
  expect_imported_project();
  EXPECT_EQ(ui->messages.size(), 1u) << "the edit is no refusal";

  ASSERT_TRUE(open_start_project(path));
  ASSERT_EQ(ui->messages.size(), 2u);
  EXPECT_EQ(ui->messages[1], ui->messages[0]);
}

TEST(HelpPages, LanguagesWithoutAPageGetTheEnglishOne) {
  TempProgramDir folder;
  folder.write("help/index_EN.html", "en");
  folder.write("help/index_IT.html", "it");
  EXPECT_EQ(help_page_path(0), folder.file("help/index_IT.html"));
  EXPECT_EQ(help_page_path(5), folder.file("help/index_EN.html"));  // Dutch
  EXPECT_EQ(help_page_path(7), folder.file("help/index_EN.html"));  // no Polish page here
}
