// The mail: the xdg-email argument list, what counts as sent, the real
// xdg-email with a stub mailer, the attachments, and the mail window's stored
// recipient. A recording xdg-email first on PATH stands for the desktop's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <chrono>
#include <filesystem>
#include <thread>

#include "external_tool.h"
#include "model/base/file_io.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "output/mail/mail_client.h"
#include "output/mail/mail_dialog.h"
#include "output/print/pdf_output.h"
#include "pdf_inspection.h"
#include "support/program_dir.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

using Arguments = std::vector<std::string>;

// Records its arguments NUL-separated, may sleep, then exits with FAKE_EXIT.
constexpr const char* kFakeXdgEmail = R"(#!/bin/sh
printf '%s\0' "$@" > "$MAIL_RECORD"
if [ -n "$FAKE_SLEEP" ]; then sleep "$FAKE_SLEEP"; touch "$MAIL_RECORD.finished"; fi
exit "${FAKE_EXIT:-0}"
)";

class Mail : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_path_ = std::getenv("PATH");
    std::string fake = tools_.write("bin/xdg-email", kFakeXdgEmail);
    std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    setenv("PATH", (tools_.file("bin") + ":" + saved_path_).c_str(), 1);
    setenv("MAIL_RECORD", tools_.file("record").c_str(), 1);
    saved_cells_ = Cells;
    Cells = {sample_cell("Magazzino", 2, 2, 0)};
    QuoteDetails = {{}};
    QuoteHeader = sample_quote_header();
  }
  void TearDown() override {
    setenv("PATH", saved_path_.c_str(), 1);
    for (const char* name : {"MAIL_RECORD", "FAKE_EXIT", "FAKE_SLEEP", "MAILER"}) unsetenv(name);
    Cells = saved_cells_;
    QuoteDetails.clear();
    QuoteHeader = Tprv{};
  }
  Arguments recorded() {
    Arguments arguments;
    std::string bytes = tools_.read("record");
    for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
      arguments.push_back(bytes.substr(start, end - start));
    return arguments;
  }

  TempProgramDir program_dir_;
  TempDir tools_;
  std::string saved_path_;
  Tcells saved_cells_;
  ScopedScriptedUi ui_;
};

TEST_F(Mail, TheArgumentListLeavesOutEmptyFieldsAndEncodesTheRecipient) {
  MailMessage full{"a?b&c@x.it", "Preventivo 7", "Buongiorno,\nin allegato.", "/tmp/q.pdf"};
  EXPECT_EQ(xdg_email_arguments(full),
            (Arguments{"--utf8", "--subject", "Preventivo 7", "--body", "Buongiorno,\nin allegato.", "--attach",
                       "/tmp/q.pdf", "mailto:a%3Fb%26c@x.it"}));
  EXPECT_EQ(xdg_email_arguments({"", "", "", "/tmp/q.pdf"}), (Arguments{"--utf8", "--attach", "/tmp/q.pdf"}));
  EXPECT_EQ(xdg_email_arguments({"-x", "", "", "/tmp/q.pdf"}).back(), "mailto:-x") << "never an option";

  ASSERT_TRUE(hand_to_mail_client(full, 5000));
  EXPECT_EQ(recorded(), xdg_email_arguments(full)) << "passed as they stand, no shell between";
}

TEST_F(Mail, AnyExitButZeroOrAMissingProgramFails) {
  MailMessage message{"r@x.it", "s", "b", "/tmp/q.pdf"};
  setenv("FAKE_EXIT", "3", 1);
  EXPECT_FALSE(hand_to_mail_client(message, 5000));
  setenv("PATH", tools_.file("nowhere").c_str(), 1);
  EXPECT_FALSE(hand_to_mail_client(message, 5000));
}

TEST_F(Mail, AClientStillRunningAfterTheWaitCountsAsOpenedAndIsNotKilled) {
  setenv("FAKE_SLEEP", "1", 1);
  EXPECT_TRUE(hand_to_mail_client({"r@x.it", "s", "b", "/tmp/q.pdf"}, 100));
  std::string finished = tools_.file("record.finished");
  for (int i = 0; i < 100 && !std::filesystem::exists(finished); ++i) {
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(std::filesystem::exists(finished));
  // Let the process object see the end of its client and delete itself.
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

TEST_F(Mail, TheRealXdgEmailHandsTheMailerAUriWithEveryField) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/xdg-email");
  setenv("PATH", saved_path_.c_str(), 1);
  std::string mailer = tools_.write("mailer", "#!/bin/sh\nprintf '%s' \"$1\" > \"$MAIL_RECORD\"\n");
  std::filesystem::permissions(mailer, std::filesystem::perms::owner_all);
  setenv("MAILER", mailer.c_str(), 1);
  std::string attachment = program_dir_.write("user/q.pdf", "%PDF-1.4\n");
  ASSERT_TRUE(hand_to_mail_client({"r@x.it", "Offerta", "riga uno\nriga due", attachment}, 5000));
  std::string uri = tools_.read("record");
  EXPECT_TRUE(uri.starts_with("mailto:r@x.it?")) << uri;
  EXPECT_NE(uri.find("subject=Offerta"), std::string::npos) << uri;
  EXPECT_NE(uri.find("body=riga%20uno%0D%0Ariga%20due"), std::string::npos) << uri;
  EXPECT_NE(uri.find("attach="), std::string::npos) << uri;
}

TEST_F(Mail, TheProjectCopyHasNoCustomerAndNoFirstTwoDiscounts) {
  PageContext document;
  std::string path = make_mail_attachment(kMailProject, document);
  EXPECT_EQ(path, std::filesystem::absolute(program_dir_.file("user/preventivo_mail.cel")).string());
  ProjectData copy = read_project_file(path);
  EXPECT_NE(copy.header.customer.name, QuoteHeader.customer.name);
  EXPECT_EQ((std::array{copy.header.discount1, copy.header.discount2, copy.header.discount3}),
            (std::array{0.0, 0.0, QuoteHeader.discount3}));
  EXPECT_EQ(copy.cells.size(), 1u);
}

TEST_F(Mail, ThePdfAttachmentIsTheDocumentWithoutTheCustomerBlock) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/qpdf");
  PageContext document;
  document.options.drawings_part = false;
  std::string path = make_mail_attachment(kMailPdf, document);
  EXPECT_EQ(run_tool("/usr/bin/qpdf", {"--check", path}).exit_code, 0);
  auto page_image = [](const std::string& file) {
    ParsedPdf pdf(read_file_bytes(file));
    return inflate_bytes(pdf.stream_data(pdf.objects_with("/Subtype /Image").at(0)));
  };
  make_pdf(document, program_dir_.file("user/with.pdf"), true);
  make_pdf(document, program_dir_.file("user/without.pdf"), false);
  EXPECT_EQ(page_image(path), page_image(program_dir_.file("user/without.pdf")));
  EXPECT_NE(page_image(path), page_image(program_dir_.file("user/with.pdf")));
}

TEST_F(Mail, TheWindowSendsTheProjectAndKeepsItsRecipientOnlyWhenAsked) {
  LangTable.assign(300, "");
  LangTable[206] = "indirizzo";
  LangTable[210] = "In allegato il progetto.";
  LangTable[88] = "Cancel";
  TFmail window;
  window.apply_language();
  EXPECT_EQ(window.Edit1->text(), "indirizzo");
  EXPECT_EQ(window.BitBtn2->text(), "Cancel") << "no Italian button in a translated window";
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
