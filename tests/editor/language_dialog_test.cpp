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
