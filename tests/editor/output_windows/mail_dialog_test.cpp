// The mail window: its texts, the stored default recipient, and sending
// through the recording xdg-email of the mail tests.
#include "editor/output_windows/mail_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "output/mail_fixture.h"
#include "support/keyboard_walk.h"

namespace {

TEST_F(Mail, TheWindowSendsTheProjectAndKeepsItsRecipientOnlyWhenAsked) {
  LangTable.assign(300, "");
  LangTable[206] = "indirizzo";
  LangTable[210] = "In allegato il progetto.";
  LangTable[88] = "Cancel";
  TFmail window;
  window.apply_language();
  EXPECT_EQ(window.Edit1->text(), "indirizzo");
  EXPECT_EQ(window.BitBtn2->text(), "Annulla") << "not among the translated controls";
  window.Edit1->setText("ufficio@x.it");
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&window, &escape);
  EXPECT_FALSE(std::filesystem::exists(program_dir_.file("user/mail_address.txt"))) << "Esc stores nothing";

  window.BitBtn3Click();
  EXPECT_EQ(program_dir_.read("user/mail_address.txt"), "ufficio@x.it\r\n");
  TFmail next_start;
  next_start.apply_language();
  EXPECT_EQ(next_start.Edit1->text(), "ufficio@x.it");

  // An attachment that cannot be written: its message, and the window stays.
  std::filesystem::create_directories(program_dir_.file("user/preventivo_mail.cel"));
  window.RadioItem1->setChecked(true);
  window.BitBtn1Click();
  EXPECT_EQ(ui_->messages.size(), 1u);
  EXPECT_FALSE(ui_->wait_box_shown);
  EXPECT_NE(window.result(), QDialog::Accepted);
  EXPECT_FALSE(std::filesystem::exists(tools_.file("record")));

  std::filesystem::remove(program_dir_.file("user/preventivo_mail.cel"));
  window.Edit2->clear();
  window.BitBtn1Click();
  EXPECT_EQ(ui_->wait_box_shows, 2);
  EXPECT_FALSE(ui_->wait_box_shown);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_EQ(recorded(), (Arguments{"--utf8", "--body", window.Memo1->toPlainText().toStdString(), "--attach",
                                   std::filesystem::absolute(program_dir_.file("user/preventivo_mail.cel")).string(),
                                   "mailto:ufficio@x.it"}));
}

}  // namespace

TEST_F(Mail, TabLeavesTheMessageWithoutTypingInIt) {
  TFmail window;
  ASSERT_TRUE(show_active(window));
  window.Edit1->setFocus();
  EXPECT_TRUE(tab_walks_to(window.BitBtn1));
  EXPECT_EQ(window.Memo1->toPlainText(), "In allegato il preventivo.");
  window.hide();
}
