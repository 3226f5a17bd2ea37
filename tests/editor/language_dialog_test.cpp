// The first-run language choice: OK is the only way out, and only with a language.
#include "editor/dialogs/language_dialog.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

TEST(LanguageDialog, OkWithoutAChoiceKeepsTheDialogOpen) {
  TFlingua dialog(nullptr);
  QTimer::singleShot(0, [&] {
    dialog.BitBtn1->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Tag, -1);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.radio_buttons[5]->click();  // DUTCH
    dialog.BitBtn1->click();
  });
  dialog.exec();
  EXPECT_EQ(dialog.Tag, 5);
  EXPECT_FALSE(dialog.isVisible());
}

// Shown again after the start refused the language chosen first, the dialog
// starts afresh: nothing checked, no Tag, so closing it from the frame (the
// close button or Alt+F4) or Esc cannot send the refused language again.
TEST(LanguageDialog, ShownAgainNothingIsCheckedAndOnlyOkClosesIt) {
  TFlingua dialog(nullptr);
  QTimer::singleShot(0, [&] {
    dialog.radio_buttons[5]->click();
    dialog.BitBtn1->click();
  });
  dialog.exec();
  ASSERT_EQ(dialog.Tag, 5);
  QTimer::singleShot(0, [&] {
    for (QRadioButton* button : dialog.radio_buttons)
      EXPECT_FALSE(button->isChecked()) << button->objectName().toStdString();
    EXPECT_EQ(dialog.Tag, -1);
    dialog.close();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.radio_buttons[1]->click();
    dialog.BitBtn1->click();
  });
  dialog.exec();
  EXPECT_EQ(dialog.Tag, 1);
}
