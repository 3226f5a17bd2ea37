// The program's failure policy at the window boundary, in the program's own
// application: an error is shown once and the program goes on.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor/guarded_connection.h"
#include "support/scripted_ui.h"

namespace {

class FailingKeys : public QWidget {
 protected:
  void keyPressEvent(QKeyEvent*) override { throw std::runtime_error("the key failed"); }
};

}  // namespace

TEST(FailurePolicy, AnErrorFromAGuardedSlotOrAnEventHandlerIsShownOnceAndTheProgramGoesOn) {
  ScopedScriptedUi ui;
  QPushButton button;
  int runs = 0;
  guarded_connect(&button, &QPushButton::clicked, &button, [&runs] {
    ++runs;
    throw std::runtime_error("the slot failed");
  });
  QTest::mouseClick(&button, Qt::LeftButton);
  button.click();
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"the slot failed", "the slot failed"}));

  ui->messages.clear();
  FailingKeys keys;
  QTest::keyClick(&keys, Qt::Key_A);
  QTest::keyClick(&keys, Qt::Key_B);
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"the key failed", "the key failed"}));
}
