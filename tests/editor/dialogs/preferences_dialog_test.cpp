// Whole stories of the preferences dialog through its widgets.
#include "editor/dialogs/preferences_dialog.h"

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/password_dialog.h"
#include "editor/dialogs/wait_box.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "support/dialog_program_dir.h"
#include "support/fresh_project_fixture.h"
#include "support/keyboard_walk.h"
#include "support/scripted_ui.h"
#include "support/user_decimal.h"

namespace {

class PreferencesDialog : public FreshProjectTest {
 protected:
  void SetUp() override {
    AppState.language = 0;
    AppState.wall_height = 2000;
    AppState.decimals = 2;
    load_data_file(0);
    set_language("IT");
    dialog.password_dialog = &password;
    dialog.refresh_windows = [this] {
      ++refreshes;
      for (TranslatedWindow* window : std::initializer_list<TranslatedWindow*>{&dialog, &archive, &wait})
        window->apply_language();
    };
    dialog.apply_language();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }

  // Checks a service switch and answers the password prompt.
  bool check_with_password(QCheckBox* box, const QString& typed, bool ok) {
    when_modal_opens([&](QWidget*) {
      password.Password->setText(typed);
      (ok ? password.OKBtn : password.CancelBtn)->click();
    });
    box->click();
    return box->isChecked();
  }

  DialogProgramDir dir;
  ScopedScriptedUi ui;
  TPasswordDlg password;
  TFpreferenze dialog;
  TFapri archive;
  TFattendere wait;
  int refreshes = 0;
};

}  // namespace

TEST_F(PreferencesDialog, CtrlF12RevealsTheServiceSwitchesWhichNeedThePassword) {
  EXPECT_FALSE(dialog.GroupBox2->isVisible());
  QTest::keyClick(&dialog, Qt::Key_F12, Qt::ControlModifier);
  ASSERT_TRUE(dialog.GroupBox2->isVisible());

  EXPECT_FALSE(check_with_password(dialog.CheckBox1, "dormak58", false));  // cancelled
  EXPECT_FALSE(check_with_password(dialog.CheckBox1, "DORMAK58", true));   // wrong
  EXPECT_TRUE(check_with_password(dialog.CheckBox1, "dormak58", true));
  // The prompt opens cleared each time.
  when_modal_opens([&](QWidget*) {
    EXPECT_TRUE(password.Password->text().isEmpty());
    password.CancelBtn->click();
  });
  dialog.CheckBox2->click();
  EXPECT_FALSE(dialog.CheckBox2->isChecked());
  dialog.CheckBox1->click();  // unchecking asks nothing
  EXPECT_FALSE(dialog.CheckBox1->isChecked());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Tab goes down the left column, then the 3-D group, then the buttons, from
// the first field the dialog opens on; so it does after a change of language
// has made the resolution's buttons anew, with the service switches shown.
TEST_F(PreferencesDialog, TabGoesThroughTheFieldsInReadingOrderFromTheFirst) {
  std::vector<QWidget*> reading = {dialog.ComboBox2,   dialog.ComboBox1, dialog.SpinEdit1, dialog.CheckBox4,
                                   dialog.RadioGroup2, dialog.TrackBar1, dialog.Edit1,     dialog.RadioGroup1,
                                   dialog.BitBtn2,     dialog.BitBtn1,   dialog.BitBtn3,   dialog.ComboBox2};
  EXPECT_EQ(QApplication::focusWidget(), dialog.ComboBox2);
  EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading);
  dialog.ComboBox2->setCurrentIndex(3);
  QTest::keyClick(&dialog, Qt::Key_F12, Qt::ControlModifier);
  dialog.BitBtn2->click();
  ASSERT_EQ(refreshes, 1);
  ASSERT_TRUE(show_active(dialog));
  reading.insert(reading.begin() + 5, {dialog.CheckBox1, dialog.CheckBox2, dialog.CheckBox3, dialog.CheckBox5});
  EXPECT_EQ(QApplication::focusWidget(), dialog.ComboBox2);
  EXPECT_EQ(tab_stops(static_cast<int>(reading.size())), reading);
}

TEST(PasswordPrompt, ShowsAStarForEveryCharacterTyped) {
  TPasswordDlg prompt;
  prompt.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&prompt));
  QTest::keyClicks(prompt.Password, "dormak58");
  EXPECT_EQ(prompt.Password->text(), "dormak58");
  EXPECT_EQ(prompt.Password->displayText(), "********");
}

TEST_F(PreferencesDialog, InchModeHeightIsStoredInMillimetresAndTheLanguageReachesEveryWindow) {
  dialog.RadioGroup2->findChildren<QRadioButton*>()[1]->click();
  EXPECT_EQ(dialog.Edit1->text(), with_user_decimal_separator("78.74"));
  EXPECT_TRUE(dialog.Label4->text().endsWith(" [in]"));
  EXPECT_FALSE(AppState.inches);  // nothing applied before OK
  dialog.Edit1->clear();
  QTest::keyClicks(dialog.Edit1, "78x.74");
  EXPECT_EQ(dialog.Edit1->text(), "78.74");
  dialog.ComboBox2->setCurrentIndex(3);
  dialog.BitBtn2->click();

  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(AppState.wall_height, 2000);
  EXPECT_TRUE(AppState.inches);
  EXPECT_EQ(AppState.language, 3);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(dialog.Label4->text(), "DE 95 [in]");
  EXPECT_EQ(archive.windowTitle(), "DE 109") << "the refresh reached the other windows";
  EXPECT_EQ(LengthList, (Tdimensioni{1000}));  // the inch catalogue was loaded
}

TEST_F(PreferencesDialog, SaveWritesAndStaysOpenCancelChangesNothing) {
  Tvar_amb before = AppState;
  dialog.RadioGroup2->findChildren<QRadioButton*>()[1]->click();
  dialog.CheckBox4->setChecked(true);
  dialog.BitBtn1->click();
  EXPECT_EQ(AppState, before);
  EXPECT_EQ(refreshes, 0);

  dialog.show();
  EXPECT_EQ(dialog.Edit1->text(), with_user_decimal_separator("2000.00"));
  dialog.TrackBar1->setValue(30);
  EXPECT_EQ(dialog.Label5->text(), "30%");
  ui->colour_answers = {0x00FF00};
  QTest::mouseDClick(dialog.Panel1, Qt::LeftButton);
  dialog.BitBtn3->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui->messages, std::vector<std::string>{"IT 90"});
  Tvar_amb stored;
  Tazienda company;
  parse_preferences_text(read_scrambled_file(dir.file("user/preferenze.dat")), "test", stored, company);
  EXPECT_EQ(stored.wall_transparency, 30);
  EXPECT_EQ(stored.background_3d, 0x00FF00);
  EXPECT_EQ(AppState.wall_transparency, 30);
}

TEST_F(PreferencesDialog, ARefusedWallHeightAppliesAndWritesNothing) {
  const Tvar_amb before = AppState;
  dialog.CheckBox4->setChecked(true);
  dialog.TrackBar1->setValue(70);
  dialog.Edit1->selectAll();
  QTest::keyClick(dialog.Edit1, Qt::Key_Backspace);  // an empty height
  dialog.BitBtn2->click();
  EXPECT_TRUE(dialog.isVisible()) << "OK keeps the dialog open";
  dialog.BitBtn3->click();
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"IT 8", "IT 8"}));
  EXPECT_EQ(AppState, before);
  EXPECT_EQ(refreshes, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/preferenze.dat")));
}
