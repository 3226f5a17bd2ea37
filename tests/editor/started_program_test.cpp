// The program the editor's tests start leaves nothing behind for the next
// test: the answer prepared for the language question is dropped when
// start-up does not ask it.
#include "editor/started_program.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRadioButton>

#include "editor/staged_program.h"
#include "model/files/preferences.h"
#include "support/fresh_project.h"

TEST(StartedProgram, AnAnswerToAQuestionNotAskedIsDropped) {
  StagedProgramDir folder;
  ASSERT_TRUE(start_program_in_italian());
  write_preferences();  // the language is chosen: the next start does not ask
  destroy_windows();
  ASSERT_TRUE(start_program_in_italian());
  QCoreApplication::processEvents();
  for (QRadioButton* button : Flingua->radio_buttons) EXPECT_FALSE(button->isChecked());
  destroy_windows();
  QCoreApplication::processEvents();  // nothing is left to reach the windows once they are gone
  reset_open_project();
}
