// The forced-lengths dialog shows its rows, lists and totals in the display
// unit, each number in its shortest form.
#include "editor/dialogs/forced_lengths_dialog.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTest>

#include "model/base/units.h"
#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/keyboard_walk.h"
#include "support/plan_builders.h"
#include "support/scripted_ui.h"

namespace {

class ForcedLengthsDialog : public FreshProjectTest {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    AppState.decimals = 2;
    LangTable.assign(220, "");
    for (int text : {171, 172, 173, 174, 216}) LangTable[static_cast<std::size_t>(text)] = "t" + std::to_string(text);
    LengthList = {762, 914.4, 1219.2, 1524};
    Cells.assign(1, Tcell{});
    Cells[0].walls = {make_wall(0, 0, 3000, 0)};
    for (double length : {914.4, 1219.2}) Cells[0].walls[0].modules.emplace_back().length = length;
  }
  void TearDown() override {
    QLocale::setDefault(QLocale::c());
    LangTable.clear();
    LengthList.clear();
  }
  // Opens the dialog on the wall and returns the texts of its rows' labels.
  static std::vector<std::string> open(TFforza& dialog) {
    dialog.Tag = 0;
    dialog.show();
    std::vector<std::string> labels;
    if (dialog.rows().empty()) return labels;
    for (const QLabel* label : dialog.rows().front()->parentWidget()->findChildren<QLabel*>())
      labels.push_back(label->text().toStdString());
    return labels;
  }
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(ForcedLengthsDialog, InchesShowTheirShortestFormWhateverTheDecimals) {
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  TFforza dialog(nullptr);
  EXPECT_EQ(open(dialog), (std::vector<std::string>{"1 (36)", "2 (48)"}));
  ASSERT_EQ(dialog.rows().size(), 2u);
  QComboBox* second = dialog.rows()[1];
  ASSERT_EQ(second->count(), 4);
  EXPECT_EQ((std::vector<std::string>{second->itemText(0).toStdString(), second->itemText(1).toStdString(),
                                      second->itemText(3).toStdString()}),
            (std::vector<std::string>{"30", "36", "60"}));
  EXPECT_EQ(dialog.Label1->text().toStdString(), "t172: 84");
  EXPECT_EQ(dialog.Label2->text().toStdString(), "t173: 84");
  EXPECT_EQ(dialog.Label3->text().toStdString(), "t174: 0");

  second->setCurrentIndex(3);
  EXPECT_EQ(dialog.Label2->text().toStdString(), "t173: 96");
  EXPECT_EQ(dialog.Label3->text().toStdString(), "t174: +12");
  second->setCurrentIndex(0);
  EXPECT_EQ(dialog.Label3->text().toStdString(), "t174: -18");
  dialog.reject();
}

TEST_F(ForcedLengthsDialog, MillimetresKeepTheirDecimalsOnlyWhereTheyHaveThem) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  TFforza dialog(nullptr);
  EXPECT_EQ(open(dialog), (std::vector<std::string>{"1 (914,4)", "2 (1219,2)"}));
  EXPECT_EQ(dialog.rows()[0]->itemText(0).toStdString(), "762");
  EXPECT_EQ(dialog.Label1->text().toStdString(), "t172: 2133,6");
  EXPECT_EQ(dialog.Label3->text().toStdString(), "t174: 0");
  dialog.rows()[0]->setCurrentIndex(0);
  EXPECT_EQ(dialog.Label3->text().toStdString(), "t174: -152,4");
  dialog.reject();
}

TEST_F(ForcedLengthsDialog, TabGoesThroughTheRowsThenTheButtonsInTheirOrder) {
  TFforza dialog(nullptr);
  open(dialog);
  ASSERT_TRUE(show_active(dialog));
  const std::vector<QWidget*> reading{dialog.rows()[0], dialog.rows()[1], dialog.BitBtn1,
                                      dialog.BitBtn3,   dialog.BitBtn2,   dialog.rows()[0]};
  EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading);
}
