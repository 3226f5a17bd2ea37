#include "model/files/project_archive.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/base/file_io.h"
#include "model/commands/archive_commands.h"
#include "model/commands/project_commands.h"
#include "model/commands/side_panel_edits.h"
#include "model/files/archive_form.h"
#include "model/files/archive_list.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/program_dir.h"
#include "support/room_outline.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace fs = std::filesystem;

namespace {

class ProjectArchive : public FreshProjectTest {
 protected:
  void SetUp() override {
    LangTable.assign(135, "");
    for (int number : {112, 125, 126, 127, 128, 129, 134}) LangTable[number] = "text " + std::to_string(number);
    ArchiveList = {{"00001", "01/02/2026", "Rossi Srl", "r-1", "Q1", "Magazzino"},
                   {"00002", "02/02/2026", "Müller GmbH", "ab", "Q2", "Lager"},
                   {"00003", "03/02/2026", "Bianchi", "R-2", "Q3", "Archivio"}};
  }
  // Saves a project of the given cell names as user/prvNNNNN.cel.
  void save_project_file(const std::string& number, const std::vector<std::string>& cell_names) {
    Tcells cells;
    for (const std::string& name : cell_names) cells.push_back(sample_cell(name, 1, 2, 0));
    Tprv header = sample_quote_header();
    write_scrambled_file(dir.file("user/prv" + number + ".cel"), project_file_text(header, cells, 0, true));
  }
  std::vector<Tarchive_entry> stored_index() const {
    return parse_archive_list(read_file_bytes(dir.file("user/list.dat")));
  }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(ProjectArchive, GridShowsNewestFirstAndSearchesNarrowInCapitals) {
  ArchiveView view = full_archive_view();
  EXPECT_EQ(view, (ArchiveView{0, 1, 2}));
  EXPECT_EQ(archive_entry_at_row(view, 0), 2);
  EXPECT_EQ(archive_entry_at_row(view, 2), 0);
  EXPECT_EQ(archive_entry_at_row(view, 3), -1);
  EXPECT_EQ(archive_entry_at_row({}, 0), -1);

  EXPECT_EQ(narrow_archive_view(view, "r-"), (ArchiveView{0, 2}));  // "r-1" and "R-2"
  EXPECT_EQ(narrow_archive_view(view, "MÜLLER"), (ArchiveView{1}));
  EXPECT_EQ(narrow_archive_view(view, "02/2026"), view);

  ui->input_answers = {"  magazz ", "   "};
  EXPECT_TRUE(search_archive(view));
  EXPECT_EQ(view, (ArchiveView{0}));
  EXPECT_FALSE(search_archive(view));  // blanks only
  EXPECT_FALSE(search_archive(view));  // cancelled
  EXPECT_EQ(view, (ArchiveView{0}));
}

TEST_F(ProjectArchive, SearchInSmallLettersFindsTheCapitalsOfEveryLanguage) {
  ArchiveList = {{"00001", "01/02/2026", "ŽĎÁR NAD SÁZAVOU", "ŘÍZENÍ", "Q1", "Sklad"},
                 {"00002", "02/02/2026", "Łódź Śląsk", "", "Q2", "Magazyn"},
                 {"00003", "03/02/2026", "Équipement Ardennes", "", "Q3", "ΑΠΟΘΗΚΗ"}};
  const ArchiveView view = full_archive_view();
  for (const char* text : {"žďár", "ŽĎÁR", "řízení", "Řízení"})
    EXPECT_EQ(narrow_archive_view(view, text), ArchiveView{0}) << text;
  for (const char* text : {"łódź", "ŁÓDŹ", "śląsk", "ŚLĄSK"})
    EXPECT_EQ(narrow_archive_view(view, text), ArchiveView{1}) << text;
  for (const char* text : {"équipement", "ÉQUIPEMENT", "αποθηκη"})
    EXPECT_EQ(narrow_archive_view(view, text), ArchiveView{2}) << text;
}

TEST_F(ProjectArchive, OpeningAsksToSaveOnlyAModifiedProjectAndShowsTheLoadedOne) {
  save_project_file("00002", {"Uno", "Due"});
  ASSERT_TRUE(open_archive_project(1));
  EXPECT_TRUE(ui->questions.empty());
  EXPECT_EQ(AppState.file_name, "prv00002.cel");
  EXPECT_EQ(ui->tab_names, (std::vector<std::string>{"Uno", "Due"}));
  EXPECT_EQ(AppState.modified, 0);
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_NE(ui->caption.find("prv00002.cel"), std::string::npos);

  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::Cancel, Answer::No};
  EXPECT_FALSE(open_archive_project(1));
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_TRUE(open_archive_project(1));
  EXPECT_EQ(ui->questions, (std::vector<std::string>{"text 112", "text 112"}));

  EXPECT_FALSE(open_archive_project(0));  // its file is missing: nothing happens
  EXPECT_EQ(AppState.file_name, "prv00002.cel");
  write_file_safely(dir.file("user/prv00001.cel"), "garbage");
  EXPECT_FALSE(open_archive_project(0));  // unreadable: reported, the open project stays
  EXPECT_EQ(AppState.file_name, "prv00002.cel");
  EXPECT_EQ(Cells.size(), 2u);
  EXPECT_EQ(ui->messages.size(), 1u);
}

// No to the save question keeps the edits: the project stays marked modified
// until another project has loaded in its place.
TEST_F(ProjectArchive, AfterNoTheEditsStayMarkedUntilAnotherProjectHasLoaded) {
  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::No, Answer::No, Answer::No, Answer::No};
  EXPECT_FALSE(open_archive_project(0));  // no file: nothing opens
  EXPECT_EQ(AppState.modified, 1);
  write_file_safely(dir.file("user/prv00001.cel"), "garbage");
  EXPECT_FALSE(open_archive_project(0));  // damaged: reported, nothing opens
  EXPECT_EQ(AppState.modified, 1);
  resave_all_projects();  // no file can be loaded
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_EQ(ui->questions.size(), 3u);

  save_project_file("00002", {"Due"});
  EXPECT_TRUE(open_archive_project(1));
  EXPECT_EQ(AppState.modified, 0);
}

// A project file copied from a disk that ignores case keeps its upper-case
// name; the archive acts on that file, and an exact name comes first.
TEST_F(ProjectArchive, OpenDeleteAndDuplicateFindTheFileWhateverTheCaseOfItsName) {
  save_project_file("00002", {"Due"});
  fs::rename(dir.file("user/prv00002.cel"), dir.file("user/PRV00002.CEL"));
  save_project_file("00003", {"Tre"});
  fs::rename(dir.file("user/prv00003.cel"), dir.file("user/Prv00003.Cel"));
  ASSERT_TRUE(open_archive_project(1));
  EXPECT_EQ(AppState.file_name, "PRV00002.CEL");
  EXPECT_EQ(ui->tab_names, std::vector<std::string>{"Due"});

  ui->yes_no_answers = {true, true};
  ASSERT_TRUE(duplicate_archive_entry(2, [] {}));
  EXPECT_EQ(ArchiveList.back().number, "00004");
  EXPECT_EQ(read_file_bytes(dir.file("user/prv00004.cel")), read_file_bytes(dir.file("user/Prv00003.Cel")));
  ASSERT_TRUE(delete_archive_entry(1, [] {}));
  EXPECT_FALSE(fs::exists(dir.file("user/PRV00002.CEL")));

  save_project_file("00003", {"Exact"});  // beside Prv00003.Cel
  ASSERT_TRUE(open_archive_project(1));
  EXPECT_EQ(AppState.file_name, "prv00003.cel");
  EXPECT_EQ(ui->tab_names, std::vector<std::string>{"Exact"});
}

TEST_F(ProjectArchive, DeleteRemovesTheEntryAndItsFile) {
  save_project_file("00002", {"Uno"});
  ui->yes_no_answers = {false, true, true};
  EXPECT_FALSE(delete_archive_entry(1, [] {}));
  EXPECT_EQ(ArchiveList.size(), 3u);
  EXPECT_TRUE(delete_archive_entry(1, [] {}));
  EXPECT_FALSE(fs::exists(dir.file("user/prv00002.cel")));
  EXPECT_EQ(ArchiveList, stored_index());
  ASSERT_EQ(ArchiveList.size(), 2u);
  EXPECT_EQ(ArchiveList[1].number, "00003");
  EXPECT_TRUE(delete_archive_entry(1, [] {}));  // no file on disk: the entry still goes
  EXPECT_EQ(stored_index().size(), 1u);
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"text 127", "text 127"}));
  EXPECT_FALSE(delete_archive_entry(5, [] {}));
}

// A file that cannot be removed (here a folder with a file in it, which no
// one, root included, can remove as a file) keeps its entry, in the index on
// disk too, and the one box says the project was not deleted and why.
TEST_F(ProjectArchive, DeleteOfAFileThatCannotBeRemovedKeepsTheEntryAndSaysWhy) {
  write_archive_list();
  const std::vector<Tarchive_entry> before = ArchiveList;
  dir.write("user/prv00002.cel/inside", "x");
  ui->yes_no_answers = {true};
  EXPECT_FALSE(delete_archive_entry(1, [] { ADD_FAILURE() << "nothing changed to show"; }));
  EXPECT_EQ(std::pair(ArchiveList, stored_index()), std::pair(before, before));
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const std::string& said : {std::string("not deleted"), dir.file("user/prv00002.cel")})
    EXPECT_NE(ui->messages[0].find(said), std::string::npos) << ui->messages[0];
}

// Opened from the archive, a project whose room fails the geometry check is
// shown as stored and said once, by file and cell; the edits after it are
// neither refused nor lost to undo.
TEST_F(ProjectArchive, OpeningAnInvalidRoomSaysSoOnceAndItsEditsUndo) {
  Tcells cells{room_with_a_turned_normal("Magazzino")};
  write_scrambled_file(dir.file("user/prv00002.cel"), project_file_text(sample_quote_header(), cells, 0, true));
  ASSERT_TRUE(open_archive_project(1));
  EXPECT_EQ(Cells, cells);
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const std::string& named : {dir.file("user/prv00002.cel"), std::string("\"Magazzino\"")})
    EXPECT_NE(ui->messages[0].find(named), std::string::npos) << ui->messages[0];

  edit_wall_thickness(300);
  EXPECT_EQ(ui->messages.size(), 1u);
  step_undo(-1);
  EXPECT_EQ(Cells, cells);
}

TEST_F(ProjectArchive, DuplicateTakesANumberFreeInTheIndexAndOnDisk) {
  save_project_file("00001", {"Uno"});
  save_project_file("00004", {"Other"});  // on disk but not in the index
  ui->yes_no_answers = {true};
  ASSERT_TRUE(duplicate_archive_entry(0, [] {}));
  ASSERT_EQ(ArchiveList.size(), 4u);
  EXPECT_EQ(ArchiveList[3].number, "00005");
  EXPECT_EQ(ArchiveList[3].customer, "Rossi Srl");
  EXPECT_EQ(read_file_bytes(dir.file("user/prv00005.cel")), read_file_bytes(dir.file("user/prv00001.cel")));
  EXPECT_EQ(read_project_head(dir.file("user/prv00004.cel")).drawing, sample_quote_header().drawing);
  EXPECT_EQ(stored_index(), ArchiveList);
  EXPECT_EQ(ui->messages, std::vector<std::string>{"text 129"});

  ui->yes_no_answers = {true};
  EXPECT_FALSE(duplicate_archive_entry(1, [] {}));  // its file is missing: reported, nothing added
  EXPECT_EQ(ArchiveList.size(), 4u);
  EXPECT_EQ(ui->messages.size(), 2u);
}

TEST_F(ProjectArchive, ResaveConvertsEveryReadableFileAndReportsTheOthers) {
  save_project_file("00001", {"Uno"});
  save_project_file("00003", {"Tre", "Quattro"});
  write_file_safely(dir.file("user/prv00002.cel"), "garbage");
  resave_all_projects();
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].rfind("files convertiti!\nNot converted:", 0), 0u) << "no count";
  EXPECT_NE(ui->messages[0].find("prv00002.cel"), std::string::npos);
  EXPECT_EQ(AppState.file_name, "prv00003.cel");
  EXPECT_EQ(ui->tab_names, (std::vector<std::string>{"Tre", "Quattro"}));
  EXPECT_EQ(read_file_bytes(dir.file("user/prv00002.cel")), "garbage");
}

// A search offers show all; a done command shows every entry again, and only
// show all withdraws the offer.
TEST_F(ProjectArchive, FormSearchNarrowsUntilADoneCommandShowsEveryEntryAgain) {
  ArchiveForm form{{1}, false};
  reset_archive_view(form);
  EXPECT_EQ(form.view, (ArchiveView{0, 1, 2}));
  EXPECT_FALSE(form.show_all_offered);
  EXPECT_FALSE(search_archive_form(form));  // cancelled
  EXPECT_FALSE(form.show_all_offered);
  ui->input_answers = {"r-"};
  ASSERT_TRUE(search_archive_form(form));
  EXPECT_EQ(form.view, (ArchiveView{0, 2}));
  EXPECT_TRUE(form.show_all_offered);

  EXPECT_FALSE(delete_archive_form_entry(form, 2, [] {}));  // answered No
  EXPECT_FALSE(duplicate_archive_form_entry(form, 2, [] {}));
  EXPECT_EQ(form.view, (ArchiveView{0, 2}));
  ui->yes_no_answers = {true};
  ASSERT_TRUE(delete_archive_form_entry(form, 2, [] {}));  // without its file the entry still goes
  EXPECT_EQ(form.view, (ArchiveView{0, 1}));
  EXPECT_TRUE(form.show_all_offered);
  reset_archive_view(form);  // the window opened again
  EXPECT_TRUE(form.show_all_offered);
  show_all_archive_form(form);
  EXPECT_EQ(form.view, (ArchiveView{0, 1}));
  EXPECT_FALSE(form.show_all_offered);
}

TEST_F(ProjectArchive, FormColumnsTooNarrowToSeeGetTheDefaultWidenedToTheHeadingAndOnlyGridColumnsAreStored) {
  AppState.archive_col_widths = {90, 0, 23, 24, 80, 80};
  EXPECT_EQ(archive_column_width(0, 300), 90) << "the user's width, even where the heading is wider";
  EXPECT_EQ(archive_column_width(1, 50), 80) << "the date's default";
  EXPECT_EQ(archive_column_width(2, 300), 300) << "a default widened to its heading";
  EXPECT_EQ(archive_column_width(3, 300), 24);
  EXPECT_EQ(archive_column_width(6, 50), 50);
  store_archive_column_width(1, 150);
  store_archive_column_width(6, 5);
  store_archive_column_width(-1, 5);
  EXPECT_EQ(AppState.archive_col_widths, (std::array<int, 6>{90, 150, 23, 24, 80, 80}));
}

TEST_F(ProjectArchive, FormOkWritesThePreferencesAndAFailedWriteIsReportedNotFatal) {
  apply_archive_form(-1);
  EXPECT_TRUE(fs::is_regular_file(dir.file("user/preferenze.dat")));
  EXPECT_TRUE(ui->messages.empty());

  fs::remove(dir.file("user/preferenze.dat"));
  fs::create_directories(dir.file("user/preferenze.dat"));  // a folder in its place: writing fails
  AppState.modified = 1;
  apply_archive_form(0);  // the opening goes on: it asks about the modified project
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->questions.size(), 1u);
}

TEST_F(ProjectArchive, FormRebuildReportsAFailureAndShowsWhatTheIndexHolds) {
  ArchiveForm form{{1}, true};
  fs::create_directories(dir.file("user/list.dat"));
  rebuild_archive_form(form);
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ArchiveList.empty());  // no project files
  EXPECT_TRUE(form.view.empty());
  EXPECT_TRUE(form.show_all_offered) << "only show all withdraws it";
}
