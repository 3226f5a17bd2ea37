// Confirming the preferences in the running program: another language reaches
// every translated window, the main window's lists follow the unit, and an
// open 3-D view takes the new 3-D settings.
#include <gtest/gtest.h>

#include <QTest>

#include "editor/dialog_answers.h"
#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/main/main_window.h"
#include "editor/main/side_panel.h"
#include "editor/main/windows.h"
#include "editor/message_boxes.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "editor/view_window/view_3d_window.h"
#include "gfx3d/materials/materials.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/render/stage_buffer.h"
#include "scene3d/viewer/stage_viewer.h"
#include "support/fresh_project.h"
#include "support/room_outline.h"

TEST(PreferencesInTheProgram, AnotherLanguageAndUnitReachEveryWindow) {
  StagedProgramDir folder;
  ASSERT_TRUE(start_program_in_italian());
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
  reset_open_project();
}

TEST(PreferencesInTheProgram, AnOpenThreeDViewTakesTheNewSettingsAtOnce) {
  StagedProgramDir folder;
  ASSERT_TRUE(start_program_in_italian());
  current_cell().walls = four_by_three_walls();
  compute_wall_normals();
  F3d->show();
  F3d->genera_3d(current_cell());
  F3d->viewer().Buffer().SetBackgroundColor(0x123456);  // not the preference

  answer_when_shown(Fpreferenze, [] {
    Fpreferenze->TrackBar1->setValue(100);
    Fpreferenze->BitBtn2->click();
  });
  Main->Opzioni1Click();

  EXPECT_EQ(F3d->viewer().Buffer().BackgroundColor(), static_cast<TColor>(AppState.background_3d));
  TGLDummyCube& root = F3d->shelving_root();
  ASSERT_GT(root.Count(), 0);
  auto* walls = dynamic_cast<TGLCustomStageObject*>(root.Children(root.Count() - 1)->Children(0));
  ASSERT_NE(walls, nullptr);
  EXPECT_EQ(walls->Material().FrontProperties().Diffuse().Alpha(), 0.0f) << "fully transparent walls";
  F3d->hide();
  destroy_windows();
  reset_open_project();
}

namespace {

double chosen_max_length() { return LengthList.at(static_cast<std::size_t>(AppState.max_length_index)); }

void confirm_preferences_in_unit(int unit) {
  Fpreferenze->show();
  Fpreferenze->RadioGroup2->set_item_index(unit);
  emit Fpreferenze->RadioGroup2->clicked_item(unit);
  Fpreferenze->BitBtn2->click();
}

}  // namespace

TEST(PreferencesInTheProgram, AUnitRoundTripGivesBackTheShippedLargestLength) {
  StagedProgramDir folder;
  ASSERT_TRUE(start_program_in_italian());
  ASSERT_EQ(chosen_max_length(), 1700.0);
  // Inches and back in one dialog: no inch length is 1700 mm long.
  Fpreferenze->show();
  for (int unit : {1, 0}) {
    Fpreferenze->RadioGroup2->set_item_index(unit);
    emit Fpreferenze->RadioGroup2->clicked_item(unit);
  }
  Fpreferenze->BitBtn2->click();
  EXPECT_EQ(chosen_max_length(), 1700.0);
  // And in two dialogs, each confirmed.
  confirm_preferences_in_unit(1);
  confirm_preferences_in_unit(0);
  EXPECT_EQ(chosen_max_length(), 1700.0);
  destroy_windows();
  reset_open_project();
}

TEST(PreferencesInTheProgram, TheLargestLengthSurvivesUnitSwitchesAndARestart) {
  StagedProgramDir folder;
  ASSERT_TRUE(start_program_in_italian());
  ASSERT_EQ(chosen_max_length(), 1700.0) << "the shipped preference: the largest millimetre length";

  confirm_preferences_in_unit(1);
  EXPECT_EQ(chosen_max_length(), 1676.4) << "the largest inch length not longer than 1700 mm";
  // Opened again and confirmed untouched, the box shows the choice and keeps it.
  Fpreferenze->show();
  EXPECT_EQ(Fpreferenze->ComboBox1->currentIndex(), AppState.max_length_index);
  EXPECT_FALSE(Fpreferenze->ComboBox1->currentText().isEmpty());
  Fpreferenze->BitBtn2->click();
  EXPECT_EQ(chosen_max_length(), 1676.4);

  Fpreferenze->show();
  {
    MessageBoxCloser boxes;
    Fpreferenze->BitBtn3->click();  // "Salva"
    EXPECT_EQ(boxes.texts, std::vector<std::string>{lang_text(90)});
  }
  Fpreferenze->hide();
  destroy_windows();
  ASSERT_TRUE(start_program_in_italian());
  EXPECT_TRUE(AppState.inches);
  EXPECT_EQ(chosen_max_length(), 1676.4);

  confirm_preferences_in_unit(0);
  EXPECT_EQ(chosen_max_length(), 1600.0);
  destroy_windows();
  reset_open_project();
}
