// The catalogue editor window: what it opens with, the keys its memos drop,
// what it refuses on closing and the catalogue it saves.
#include "editor/dialogs/catalogue_editor_window.h"

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "support/dialog_program_dir.h"
#include "support/fresh_project_fixture.h"
#include "support/keyboard_walk.h"
#include "support/long_texts.h"
#include "support/scripted_ui.h"

namespace {

// The editor on the catalogue of a fresh program folder, shown.
class CatalogueEditorWindow : public FreshProjectTest {
 protected:
  void SetUp() override {
    set_language("IT");
    load_data_file(0);
    window_ = std::make_unique<TFdati>();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  void TearDown() override { window_.reset(); }
  TFdati& window() { return *window_; }

  DialogProgramDir dir;
  ScopedScriptedUi ui;

 private:
  std::unique_ptr<TFdati> window_;
};

}  // namespace

TEST_F(CatalogueEditorWindow, RefusesTextTheLoaderWouldNotReadAndSavesAValidCatalogue) {
  TFdati& window = this->window();
  EXPECT_EQ(window.M_altezze->toPlainText(), "1700\n2000");
  EXPECT_EQ(window.Lb_struttura->item(0)->text(), "[0] IT 300");
  window.M_altezze->setFocus();
  window.M_altezze->moveCursor(QTextCursor::End);
  QTest::keyClick(window.M_altezze, Qt::Key_Return);
  QTest::keyClicks(window.M_altezze, "x25q00*");  // letters outside the section's form are dropped
  EXPECT_EQ(window.M_altezze->toPlainText(), "1700\n2000\n2500*");

  window.M_composizioni->setPlainText("AAAB\nAB1");  // pasted text passes the key filter
  ui->yes_no_answers = {true, true};
  window.Chiudi->click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(ui->messages.size(), 1u);

  window.M_composizioni->setPlainText("AAAB\nABB*");
  window.Chiudi->click();
  EXPECT_FALSE(window.isVisible());
  load_data_file(1);
  EXPECT_EQ(HeightList, (Tdimensioni{1700, 2000, 2500}));
  EXPECT_EQ(Compositions, (std::vector<std::string>{"AAAB", "ABB"}));
}

TEST_F(CatalogueEditorWindow, TabMovesOnFromTheMemosAndTypesNothingInThem) {
  TFdati& window = this->window();
  ASSERT_TRUE(show_active(window));
  window.M_altezze->setFocus();
  EXPECT_TRUE(tab_walks_to(window.Chiudi));
  for (QPlainTextEdit* memo :
       {window.M_altezze, window.M_traversini, window.M_larghezze, window.M_lunghezze, window.M_composizioni}) {
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    const std::string before = memo->toPlainText().toStdString();
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_NE(window.focusWidget(), memo);
    QTest::keyClick(memo, Qt::Key_Tab, Qt::ControlModifier);
    memo->setFocus();
    EXPECT_EQ(memo->toPlainText().toStdString(), before);
    QTest::keyClick(memo, Qt::Key_Backspace);  // the editing keys still act
    EXPECT_EQ(memo->toPlainText().toStdString(), before.substr(0, before.size() - 1));
  }
  ui->yes_no_answers = {false};
  window.Chiudi->click();
}

// "Aggiungi" gives every row of the codes page the new type's column, empty
// (not available), at once, so the user marks it there; saved, the next
// start reads every row with its price.
TEST_F(CatalogueEditorWindow, AnAddedTypeGetsItsColumnInTheCodesPageAndEveryRowIsReadAgain) {
  TFdati& window = this->window();
  const QString header = window.Memo1->toPlainText();
  window.Memo1->setPlainText(header + "\nR\t400\t1000\t\tSI\tR1\tRipiano\t400\tR1-A\t12,5\t3");
  const std::array<const char*, 6> fields{"300", "301", "302", "303", "X", "0"};
  for (std::size_t i = 0; i < fields.size(); ++i) window.type_fields[i]->setText(fields[i]);
  ui->yes_no_answers = {true, true};
  window.Button11->click();
  EXPECT_EQ(window.Memo1->toPlainText(), header + "\nR\t400\t1000\t\tSI\t\tR1\tRipiano\t400\tR1-A\t12,5\t3");
  window.Chiudi->click();
  ASSERT_FALSE(window.isVisible());
  load_data_file(0);
  ui->messages.clear();
  read_codes_table();
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(CodesTable, (Tdb_codici{{"R", "400", "1000", "", {"SI", ""}, "R1", "R1-A", "Ripiano", 400, 12.5, 3}}));
}

// A translation pasted whole is longer than the start reads: its line takes
// what the translation table keeps, and the next start reads it with nothing
// called damage.
TEST_F(CatalogueEditorWindow, ATranslationTakesTheLongestTextTheStartReads) {
  TFdati& window = this->window();
  const std::string kept = "999IT " + cut_text(czech_note(), kTextBytes);
  window.Memo2->moveCursor(QTextCursor::End);
  window.Memo2->insertPlainText(QString::fromStdString("\n999IT " + czech_note()));
  const QStringList lines = window.Memo2->toPlainText().split('\n');
  EXPECT_TRUE(lines.back().toStdString() == kept);
  ui->yes_no_answers = {true};
  window.Chiudi->click();
  ASSERT_FALSE(window.isVisible());
  ui->messages.clear();
  set_language("IT");
  EXPECT_TRUE(ui->messages.empty()) << ui->messages.front();
  EXPECT_TRUE(lang_text(999) == kept.substr(6));
}
