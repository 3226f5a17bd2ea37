// Confirming the preferences in the running program: another language reaches
// every translated window and the main window's lists follow the unit.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/language_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/main/main_window.h"
#include "editor/main/side_panel.h"
#include "editor/main/startup.h"
#include "editor/main/windows.h"
#include "editor/staged_program.h"
#include "model/state/globals.h"
#include "model/state/undo_history.h"
#include "model/text/lang_text.h"

TEST(PreferencesInTheProgram, AnotherLanguageAndUnitReachEveryWindow) {
  StagedProgramDir folder;
  AppState = Tvar_amb{};
  UndoHistory.clear();
  UndoPosition = -1;
  create_windows();
  QTimer::singleShot(0, [] {
    Flingua->radio_buttons[0]->setChecked(true);
    Flingua->BitBtn1->click();
  });
  ASSERT_TRUE(initialise_program(""));
  const std::string italian_wall_label = lang_text(57);

  Fpreferenze->show();
  Fpreferenze->ComboBox2->setCurrentIndex(3);
  Fpreferenze->RadioGroup2->set_item_index(1);
  emit Fpreferenze->RadioGroup2->clicked_item(1);
  Fpreferenze->BitBtn2->click();

  EXPECT_EQ(AppState.language, 3);
  EXPECT_NE(lang_text(57), italian_wall_label);
  // Each window's own texts are checked at the first start; here, that the
  // new language and unit reach the windows the first start did not show.
  EXPECT_EQ(Main->File1->title().toStdString(), lang_text(169));
  EXPECT_EQ(Main->Panel1->Lb_S->text().toStdString(), lang_text(57) + " (in)");
  EXPECT_NE(Main->Panel1->Cb_Hm_p->itemText(0).toStdString().find('\''), std::string::npos);  // feet and inches
  EXPECT_EQ(Fpreferenze->windowTitle().toStdString(), lang_text(84));
  EXPECT_EQ(Fapri->windowTitle().toStdString(), lang_text(109));
  destroy_windows();
  AppState = Tvar_amb{};
}
