// Whole stories of the project archive through its widgets.
#include "editor/dialogs/archive_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <array>
#include <filesystem>
#include <tuple>

#include "editor/output_windows/quote_header_dialog.h"
#include "editor/staged_program.h"
#include "model/base/text_io.h"
#include "model/files/archive_list.h"
#include "model/files/customers_file.h"
#include "model/files/preferences.h"
#include "model/files/project_file.h"
#include "model/files/project_save.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "support/dialog_program_dir.h"
#include "support/fresh_project_fixture.h"
#include "support/keyboard_walk.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

class ArchiveDialog : public FreshProjectTest {
 protected:
  void SetUp() override {
    AppState.archive_col_widths = {90, 100, 200, 80, 80, 120};
    set_language("IT");
    archive.apply_language();
    ArchiveList.clear();
  }
  void open() {
    archive.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&archive));
  }
  QString cell(int row, int column) const { return archive.StringGrid1->model()->index(row, column).data().toString(); }
  void select_row(int row) { archive.StringGrid1->selectRow(row); }
  void save_project(const std::string& number, const std::string& cell_name) {
    write_scrambled_file(dir.file("user/prv" + number + ".cel"),
                         project_file_text(sample_quote_header(), {sample_cell(cell_name, 1, 2, 0)}, 0, true));
  }

  DialogProgramDir dir;
  ScopedScriptedUi ui;
  TFapri archive;
};

}  // namespace

TEST_F(ArchiveDialog, AnEmptyArchiveShowsOneEmptyRowInADisabledGrid) {
  open();
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 1);
  EXPECT_TRUE(cell(0, 0).isEmpty() && !archive.StringGrid1->isEnabled());
  EXPECT_EQ(archive.StringGrid1->model()->headerData(2, Qt::Horizontal).toString(), "IT 142");
  EXPECT_EQ(archive.StringGrid1->columnWidth(2), 200);
  archive.StringGrid1->setColumnWidth(2, 150);
  EXPECT_EQ(AppState.archive_col_widths[2], 150);
  archive.BitBtn5->click();  // no row: nothing asked
  EXPECT_TRUE(ui->questions.empty());
  ui->input_answers = {"rossi"};
  archive.BitBtn1->click();
  archive.BitBtn4->click();  // show all: the grid is enabled, empty as it is
  EXPECT_TRUE(archive.StringGrid1->isEnabled());
  EXPECT_FALSE(archive.BitBtn4->isEnabled());
}

// Show all is offered from a search until it is used: opening the window
// again, deleting, duplicating and rebuilding the list leave it offered.
TEST_F(ArchiveDialog, ShowAllStaysOfferedFromASearchUntilItIsUsed) {
  ArchiveList = {{"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}};
  save_project("00001", "Uno");
  save_project("00002", "Due");
  open();
  ui->input_answers = {"rossi"};
  archive.BitBtn1->click();
  archive.close();
  open();
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 2);
  EXPECT_TRUE(archive.BitBtn4->isEnabled()) << "opened again";
  ui->yes_no_answers = {true, true};
  select_row(0);
  archive.BitBtn6->click();
  EXPECT_TRUE(archive.BitBtn4->isEnabled()) << "duplicated";
  select_row(0);
  archive.BitBtn5->click();
  EXPECT_TRUE(archive.BitBtn4->isEnabled()) << "deleted";
  archive.BitBtn7->click();
  EXPECT_TRUE(archive.BitBtn4->isEnabled()) << "rebuilt";
  archive.BitBtn4->click();
  archive.close();
  open();
  EXPECT_FALSE(archive.BitBtn4->isEnabled());
}

TEST_F(ArchiveDialog, SearchNarrowsShowAllRestoresDeleteAndDuplicateRefresh) {
  ArchiveList = {{"00001", "01/02/2026", "Rossi", "", "", ""},
                 {"00002", "02/02/2026", "Verdi", "", "", ""},
                 {"00003", "03/02/2026", "Rossini", "", "", ""}};
  save_project("00001", "Uno");
  save_project("00004", "Quattro");  // a file the index does not know
  open();
  EXPECT_EQ(cell(0, 2), "Rossini");  // newest first
  ui->input_answers = {"ross", "ini"};
  archive.BitBtn1->click();
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 2);
  EXPECT_TRUE(archive.BitBtn4->isEnabled());
  archive.BitBtn1->click();  // successive searches narrow
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 1);
  archive.BitBtn4->click();
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 3);
  EXPECT_FALSE(archive.BitBtn4->isEnabled());

  ui->yes_no_answers = {true, true};
  select_row(2);  // the oldest, 00001
  EXPECT_EQ(archive.selected_entry(), 0);
  archive.BitBtn6->click();
  EXPECT_EQ(cell(0, 0), "00005");
  EXPECT_EQ(cell(0, 2), "Rossi");
  EXPECT_TRUE(std::filesystem::exists(dir.file("user/prv00005.cel")));
  EXPECT_EQ(archive.selected_entry(), -1);
  select_row(1);  // 00003
  archive.BitBtn5->click();
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 3);
  EXPECT_EQ(parse_archive_list(read_file_bytes(dir.file("user/list.dat"))), ArchiveList);
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"IT 129", "IT 127"}));
}

// Deleting and duplicating refill the grid before they say so: a repaint
// behind the message (the user resizing the window) shows the archive as it
// now is, none selected, and reads nothing the list no longer has.
TEST_F(ArchiveDialog, BehindTheDoneMessageTheGridAlreadyShowsTheChange) {
  ArchiveList = {{"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}};
  save_project("00001", "Uno");
  save_project("00002", "Due");
  open();
  std::vector<std::pair<std::string, QStringList>> shown;  // each message with the numbers then shown
  ui->while_message_shown = [&](const std::string& message) {
    EXPECT_NO_THROW(archive.grab()) << message;
    EXPECT_EQ(archive.selected_entry(), -1) << message;
    QStringList numbers;
    for (int row = 0; row < archive.StringGrid1->model()->rowCount(); ++row) numbers << cell(row, 0);
    shown.emplace_back(message, numbers);
  };
  ui->yes_no_answers = {true, true};
  select_row(0);  // 00002
  archive.BitBtn5->click();
  select_row(0);  // 00001
  archive.BitBtn6->click();
  EXPECT_EQ(shown,
            (std::vector<std::pair<std::string, QStringList>>{{"IT 127", {"00001"}}, {"IT 129", {"00002", "00001"}}}));
}

// The grid may be painted while the list has changed under the rows it
// shows: a row whose entry is gone shows nothing.
TEST_F(ArchiveDialog, ARowWhoseEntryIsGoneShowsNothing) {
  ArchiveList = {{"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}};
  ArchiveTableModel rows;
  rows.set_view(full_archive_view());
  ArchiveList.pop_back();
  QVariant gone;
  EXPECT_NO_THROW(gone = rows.index(0, 2).data());
  EXPECT_EQ(gone.toString(), "");
  EXPECT_EQ(rows.index(1, 2).data().toString(), "Rossi");
}

TEST_F(ArchiveDialog, OpeningAsksTheSaveQuestionOnlyForAModifiedProject) {
  ArchiveList = {{"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}};
  save_project("00001", "Uno");
  save_project("00002", "Due");
  open();
  select_row(1);
  archive.BitBtn2->click();
  EXPECT_FALSE(archive.isVisible());
  EXPECT_EQ(AppState.file_name, "prv00001.cel");
  EXPECT_TRUE(ui->questions.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.file("user/preferenze.dat")));  // keeps the column widths

  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::No};
  open();
  // A double click is a click followed by the double-click event.
  const QPoint top_row = archive.StringGrid1->visualRect(archive.StringGrid1->model()->index(0, 0)).center();
  QTest::mouseClick(archive.StringGrid1->viewport(), Qt::LeftButton, {}, top_row);
  QTest::mouseDClick(archive.StringGrid1->viewport(), Qt::LeftButton, {}, top_row);
  EXPECT_EQ(ui->questions, std::vector<std::string>{"IT 112"});
  EXPECT_EQ(AppState.file_name, "prv00002.cel");
  EXPECT_EQ(Cells.at(0).name, "Due");
  EXPECT_EQ(AppState.modified, 0);
}

TEST_F(ArchiveDialog, RefillingKeepsTheSelectedRowWhileDeletingClearsIt) {
  ArchiveList = {
      {"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}, {"00003", "", "Rossini", "", "", ""}};
  save_project("00003", "Tre");
  open();
  select_row(2);
  ui->input_answers = {"ross"};
  archive.BitBtn1->click();  // two rows left: the selection moves up to the last
  EXPECT_EQ(archive.selected_entry(), 0);
  archive.BitBtn4->click();
  EXPECT_EQ(archive.selected_entry(), 1) << "the same row, now showing another entry";
  archive.BitBtn7->click();  // the list rebuilt from the one project file
  EXPECT_EQ(archive.StringGrid1->model()->rowCount(), 1);
  EXPECT_EQ(archive.selected_entry(), 0);
  archive.close();
  open();
  EXPECT_EQ(archive.selected_entry(), 0) << "still selected when the window opens again";

  ui->yes_no_answers = {true};
  archive.BitBtn5->click();
  EXPECT_EQ(ui->messages, std::vector<std::string>{"IT 127"});
  EXPECT_TRUE(archive.StringGrid1->selectionModel()->selectedRows().isEmpty());
}

TEST_F(ArchiveDialog, TheHiddenResaveButtonSaysFilesConverted) {
  save_project("00001", "Uno");
  save_project("00002", "Due");
  open();
  archive.Button1->click();
  EXPECT_EQ(ui->messages, std::vector<std::string>{"files convertiti!"});
  EXPECT_EQ(AppState.file_name, "prv00002.cel");

  write_file_safely(dir.file("user/prv00003.cel"), "garbage");
  archive.Button1->click();
  ASSERT_EQ(ui->messages.size(), 2u);
  EXPECT_EQ(ui->messages[1].rfind("files convertiti!\nNot converted:\n", 0), 0u) << ui->messages[1];
  EXPECT_NE(ui->messages[1].find("prv00003.cel"), std::string::npos);
}

// No to the save question never drops the edits: with nothing loaded in their
// place (an entry without its file, a damaged file, a re-save that loads
// nothing) the project stays modified, so leaving the program still asks.
TEST_F(ArchiveDialog, AfterNoAProjectThatDoesNotOpenLeavesTheEditsMarked) {
  ArchiveList = {{"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}};
  write_file_safely(dir.file("user/prv00002.cel"), "damaged");
  AppState.modified = 1;
  ui->yes_no_cancel_answers = {Answer::No, Answer::No, Answer::No};
  for (int row : {1, 0}) {  // 00001 has no file, 00002 is damaged
    open();
    select_row(row);
    archive.BitBtn2->click();
    EXPECT_EQ(AppState.modified, 1) << "row " << row;
  }
  archive.Button1->click();  // the hidden re-save
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_EQ(ui->questions, (std::vector<std::string>{"IT 112", "IT 112", "IT 112"}));
}

// The old program wrote single-byte texts in the code page of its language.
// Its project, index entry and register show their letters in the archive and
// the quote header, OK keeps them, and the project is saved and listed with
// them in UTF-8.
TEST_F(ArchiveDialog, AnOldProjectShowsItsLettersAndIsSavedWithThem) {
  struct Old {
    int language;
    std::string stored, letters;
  };
  for (const Old& old : {Old{0, "Venerd\xEC citt\xE0", "Venerd\xC3\xAC citt\xC3\xA0"},
                         Old{6, "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD",
                             "P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD"}}) {
    AppState.language = old.language;
    // An old head without notes or a version line (every text alike), no cells, and its index entry.
    std::vector<std::string> head(21, old.stored);
    head[15] = head[16] = "    0.00";
    head[18] = head[19] = "";
    head[20] = "0";
    write_scrambled_file(dir.file("user/prv00001.cel"), joined_lines(head));
    std::string record;
    for (const std::string& field : {std::string("00001"), old.stored, old.stored, old.stored, old.stored, old.stored})
      record += static_cast<char>(field.size()) + field + std::string(255 - field.size(), '\0');
    write_file_safely(dir.file("user/list.dat"), record);
    Tcliente customer;
    customer.name = old.stored;
    write_scrambled_file(dir.file("user/clienti.dat"), customers_text({customer}));
    read_archive_list();
    read_customers();
    open();
    EXPECT_EQ(cell(0, 1).toStdString(), old.letters);
    select_row(0);
    archive.BitBtn2->click();

    TFpreventivo header;
    header.show();
    QApplication::processEvents();
    EXPECT_EQ(header.Edit10->text().toStdString(), old.letters);
    EXPECT_EQ(header.ComboBox1->currentText().toStdString(), old.letters);
    EXPECT_EQ(header.ComboBox1->itemText(0).toStdString(), old.letters) << "the register's customer";
    header.BitBtn1->click();
    EXPECT_EQ(std::tuple(QuoteHeader.date, QuoteHeader.customer.name, QuoteHeader.note1),
              std::tuple(old.letters, old.letters, old.letters));
    ::save_project(false);
    EXPECT_EQ(split_lines(read_scrambled_file(dir.file("user/prv00001.cel")))[1], old.letters) << "the date";
    EXPECT_EQ(parse_archive_list(read_file_bytes(dir.file("user/list.dat")))[0].customer, old.letters);
  }
}

// The window opens on the list, and so does every opening after; Tab goes
// in reading order round the window: OK and Cancel below the list, then the
// tools above it.
TEST_F(ArchiveDialog, TabLeavesTheGridForOkAndComesBack) {
  ArchiveList = {{"00001", "", "Rossi", "", "", ""}, {"00002", "", "Verdi", "", "", ""}};
  ASSERT_TRUE(show_active(archive));
  EXPECT_EQ(QApplication::focusWidget(), archive.StringGrid1);
  EXPECT_TRUE(tab_walks_to(archive.BitBtn2));
  const std::vector<QWidget*> reading = {archive.StringGrid1, archive.BitBtn2, archive.BitBtn3, archive.BitBtn1,
                                         archive.BitBtn5,     archive.BitBtn6, archive.BitBtn7, archive.StringGrid1};
  EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading);
  archive.BitBtn3->setFocus();
  archive.hide();
  archive.show();
  EXPECT_EQ(archive.focusWidget(), archive.StringGrid1) << "every opening starts on the list";
  archive.hide();
}

// With the preferences a first start installs, every heading fits its column
// in every language; a width the user dragged stays, and a fitted one is not
// stored, so the next language fits its own headings.
TEST(ArchiveHeadings, DefaultColumnsFitTheHeadingsOfEveryLanguageAndDraggedOnesStay) {
  FreshProject project;
  StagedProgramDir folder;
  ScopedScriptedUi ui;
  ASSERT_TRUE(read_preferences());
  const std::array<int, 6> shipped = AppState.archive_col_widths;
  EXPECT_EQ(shipped, (std::array<int, 6>{})) << "a first start holds no width of the user's";
  TFapri archive;
  QHeaderView& header = *archive.StringGrid1->horizontalHeader();
  for (const char* language : {"IT", "EN", "FR", "DE", "ES", "FM", "CZ", "PL"}) {
    set_language(language);
    archive.apply_language();
    archive.show();
    for (int column = 0; column < 6; ++column)
      EXPECT_GE(header.sectionSize(column), header.sectionSizeHint(column))
          << language << ": "
          << archive.StringGrid1->model()->headerData(column, Qt::Horizontal).toString().toStdString();
    archive.hide();
    EXPECT_EQ(AppState.archive_col_widths, shipped) << language;
  }
  AppState.archive_col_widths[4] = 40;  // dragged narrow in an earlier session
  archive.show();
  EXPECT_EQ(header.sectionSize(4), 40);
  archive.hide();
  set_language("IT");
}
