#include "model/files/project_save.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/base/file_io.h"
#include "model/files/archive_list.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

Tarchive_entry entry(const std::string& number) { return {number, "", "", "", "", ""}; }

class ProjectSave : public ::testing::Test {
 protected:
  void SetUp() override {
    LangTable.assign(91, "");
    LangTable[90] = "Progetto salvato";
    ArchiveList.clear();
    QuoteHeader = sample_quote_header();
    Cells = {sample_cell("Uno", 1, 2, 1)};
    AppState.current_cell = 0;
    AppState.file_name.clear();
    AppState.modified = 1;
  }
  std::vector<Tarchive_entry> stored_index() const {
    return parse_archive_list(read_file_bytes(dir.file("user/list.dat")));
  }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(ProjectSave, FirstSaveTakesNumberOneAndRecordsIt) {
  save_project(false);
  EXPECT_EQ(AppState.file_name, "prv00001.cel");
  EXPECT_EQ(AppState.modified, 0);
  ProjectData saved = read_project_file(dir.file("user/prv00001.cel"));
  EXPECT_EQ(saved.header, QuoteHeader);
  EXPECT_EQ(saved.cells, Cells);
  EXPECT_EQ(ArchiveList, (std::vector<Tarchive_entry>{{"00001", "06/12/2026", "Rossi Srl", "Ref 9", "Q-17", "D-3"}}));
  EXPECT_EQ(stored_index(), ArchiveList);
  EXPECT_EQ(ui->caption, AppTitle + " - prv00001.cel - Rossi Srl (Ref 9)");
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"Progetto salvato (prv00001.cel)"}));
}

TEST_F(ProjectSave, SavingAgainRefreshesTheEntryAndNewNumberAddsOne) {
  save_project(false);
  QuoteHeader.number = "Q-18";
  save_project(false);
  ASSERT_EQ(ArchiveList.size(), 1u);
  EXPECT_EQ(ArchiveList[0].quote_number, "Q-18");
  save_project(true);
  EXPECT_EQ(AppState.file_name, "prv00002.cel");
  ASSERT_EQ(ArchiveList.size(), 2u);
  EXPECT_EQ(stored_index(), ArchiveList);
}

TEST_F(ProjectSave, NumberingFollowsTheLastEntryAndSkipsNumbersInUse) {
  ArchiveList = {entry("00099")};
  EXPECT_EQ(next_project_number(), "00100");
  ArchiveList = {entry("00009"), entry("00005")};
  dir.write("user/prv00006.cel", "x");
  dir.write("user/PRV00007.CEL", "x");
  EXPECT_EQ(next_project_number(), "00008");
  ArchiveList.push_back(entry("not a number"));
  EXPECT_EQ(next_project_number(), "00001");
}

TEST_F(ProjectSave, NoNumberPast99999AndNothingChanges) {
  ArchiveList = {entry("99999")};
  EXPECT_THROW(save_project(false), FileError);
  EXPECT_EQ(ArchiveList.size(), 1u);
  EXPECT_TRUE(AppState.file_name.empty());
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/list.dat")));
}

TEST_F(ProjectSave, NameWithoutAnEntryAppendsOne) {
  ArchiveList = {entry("00003")};
  AppState.file_name = "prv00042.cel";
  save_project(false);
  EXPECT_TRUE(std::filesystem::exists(dir.file("user/prv00042.cel")));
  ASSERT_EQ(ArchiveList.size(), 2u);
  EXPECT_EQ(ArchiveList[1].number, "00042");
}

TEST_F(ProjectSave, FailedWriteLeavesIndexAndNameAsTheyWere) {
  AppState.file_name = "prv00001.cel";
  ArchiveList = {entry("00001")};
  std::string path = dir.write("user/prv00001.cel", "old");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  QuoteHeader.number = "changed";
  EXPECT_THROW(save_project(false), FileError);
  EXPECT_EQ(ArchiveList, (std::vector<Tarchive_entry>{entry("00001")}));
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_EQ(dir.read("user/prv00001.cel"), "old");
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/list.dat")));
}

// A full disk or a read-only index after the project file is written: the
// project is saved, and the one box says so and that only the index is not;
// the next start brings the entry back from the file.
TEST_F(ProjectSave, IndexThatCannotBeWrittenStillReportsTheProjectSaved) {
  ArchiveList = {entry("00001")};
  write_archive_list();
  std::filesystem::permissions(dir.file("user/list.dat"), std::filesystem::perms::owner_read);
  AppState.file_name = "prv00001.cel";

  for (bool new_number : {true, false}) {
    ui->messages.clear();
    AppState.modified = 1;
    ASSERT_NO_THROW(save_project(new_number));
    EXPECT_EQ(AppState.file_name, "prv00002.cel");
    EXPECT_EQ(AppState.modified, 0);
    EXPECT_EQ(read_project_file(dir.file("user/prv00002.cel")).header, QuoteHeader);
    ASSERT_EQ(ui->messages.size(), 1u) << new_number;
    const std::string& box = ui->messages[0];
    EXPECT_TRUE(box.starts_with("Progetto salvato (prv00002.cel)")) << box;
    for (const char* part : {"saved as prv00002.cel", "only the project index", "list.dat: the file is read-only"})
      EXPECT_NE(box.find(part), std::string::npos) << part << " in " << box;
  }
  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::Yes};
  EXPECT_TRUE(settle_modified_project());

  std::filesystem::permissions(dir.file("user/list.dat"), std::filesystem::perms::owner_all);
  read_archive_list();
  reconcile_archive_list();
  ASSERT_EQ(ArchiveList.size(), 2u);
  EXPECT_EQ(ArchiveList[1], archive_entry_of("00002", QuoteHeader));
}
