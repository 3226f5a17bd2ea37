// The about box opens its links through the desktop; the wait box is shown at
// once and keeps the program's title in every language; the OK and Cancel
// buttons of the windows share the icons looked up once.
#include <gtest/gtest.h>

#include <QTest>

#include "editor/dialogs/about_box.h"
#include "editor/dialogs/added_module_dialog.h"
#include "editor/dialogs/cell_order_dialog.h"
#include "editor/dialogs/compact_dialog.h"
#include "editor/dialogs/dialog_support.h"
#include "editor/dialogs/kit_choice_dialog.h"
#include "editor/dialogs/new_cell_dialog.h"
#include "editor/dialogs/wait_box.h"
#include "model/base/text_io.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/keyboard_walk.h"
#include "support/long_texts.h"
#include "support/scripted_ui.h"

TEST(SmallWindows, AboutLinksOpenThroughTheDesktopAndTheWaitBoxKeepsTheTitle) {
  ScopedScriptedUi ui;
  TFAbout about;
  about.show();
  QTest::mouseClick(about.Label6, Qt::LeftButton);
  QTest::mouseClick(about.Label9, Qt::LeftButton);
  EXPECT_EQ(ui->opened_with_desktop, (std::vector<std::string>{TFAbout::kWebAddress, TFAbout::kMailAddress}));
  about.OKButton->click();
  EXPECT_FALSE(about.isVisible());

  LangTable.assign(215, "");
  LangTable[214] = "Bitte warten";
  TFattendere wait;
  wait.apply_language();
  wait.show_now();
  EXPECT_TRUE(wait.isVisible());
  EXPECT_FALSE(wait.isModal());
  EXPECT_EQ(wait.windowTitle().toStdString(), AppTitle);
  EXPECT_EQ(wait.Label1->text(), "Bitte warten...");
  LangTable.clear();
}

TEST(SmallWindows, OkAndCancelButtonsOfEveryWindowShareOneLookedUpIcon) {
  const QIcon& ok = standard_icon(QStyle::SP_DialogOkButton);
  const QIcon& cancel = standard_icon(QStyle::SP_DialogCancelButton);
  ASSERT_FALSE(ok.isNull() || cancel.isNull());
  EXPECT_EQ(&standard_icon(QStyle::SP_DialogOkButton), &ok);
  EXPECT_NE(ok.cacheKey(), cancel.cacheKey());
  TFSelezioneKitCV kit(nullptr);
  TFcopia_cella new_cell(nullptr);
  for (const QPushButton* button : {kit.BitBtn1, new_cell.BitBtn1}) EXPECT_EQ(button->icon().cacheKey(), ok.cacheKey());
  for (const QPushButton* button : {kit.BitBtn2, new_cell.BitBtn2})
    EXPECT_EQ(button->icon().cacheKey(), cancel.cacheKey());
}

// A pasted name takes what the project file reads back: the new cell saved
// reads back with its name whole and nothing called damage.
TEST(SmallWindows, ANewCellTakesTheLongestNameTheProjectFileReadsBack) {
  ScopedScriptedUi ui;
  FreshProject project;
  Cells = {first_cell()};
  TFcopia_cella dialog(nullptr);
  dialog.prepare("Cella", {"Cella"});
  dialog.show();
  dialog.Edit1->selectAll();
  dialog.Edit1->insert(QString::fromStdString(czech_note(4400)));
  dialog.BitBtn1->click();
  ASSERT_EQ(Cells.size(), 2u);
  EXPECT_TRUE(Cells[1].name == cut_text(czech_note(4400), kTextBytes));
  const ProjectData read = parse_project(project_file_text(QuoteHeader, Cells, 1, true), "prv00001.cel");
  EXPECT_TRUE(read.damage.empty()) << read.damage.front();
  EXPECT_TRUE(read.cells[1].name == Cells[1].name);
}

// The small dialogs open on their first field, not on OK, also after Cancel
// had the focus; Tab goes through the fields, then OK and Cancel.
TEST(SmallWindows, DialogsOpenOnTheirFirstFieldAndTabEndsOnOkAndCancel) {
  ScopedScriptedUi ui;
  FreshProject project;
  Cells = {first_cell(), first_cell()};
  TFordinamento order(nullptr);
  TFmodulo_aggiunto module(nullptr);
  TFSelezioneKitCV kit(nullptr);
  TFcorvane compact(nullptr);
  const std::vector<std::pair<QDialog*, std::vector<QWidget*>>> dialogs = {
      {&order, {order.ListBox1, order.BitBtn1, order.BitBtn2, order.BitBtn3, order.BitBtn4}},
      {&module, {module.ComboBox1, module.ComboBox2, module.ComboBox3, module.Ed_Nr_p, module.BitBtn1, module.BitBtn2}},
      {&kit, {kit.ComboBox1, kit.ComboBox2, kit.BitBtn1, kit.BitBtn2}},
      {&compact, {compact.Ed_Nr_m, compact.cb_Nmobili}}};
  for (const auto& [dialog, fields] : dialogs) {
    ASSERT_TRUE(show_active(*dialog));
    std::vector<QWidget*> reading = fields;
    if (dialog == &compact) {
      reading.insert(reading.end(), compact.depth_lists().begin(), compact.depth_lists().end());
      reading.insert(reading.end(),
                     {compact.Ed_ingombro, compact.Ed_corridoio, compact.GroupBox1, compact.BitBtn1, compact.BitBtn2});
    }
    EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading) << dialog->metaObject()->className();
    reading.back()->setFocus();
    dialog->hide();
    dialog->show();
    EXPECT_EQ(dialog->focusWidget(), reading.front()) << dialog->metaObject()->className();
    dialog->hide();
  }
}
