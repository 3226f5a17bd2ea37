// The mail: the xdg-email argument list, what counts as sent, the real
// xdg-email with a stub mailer, and the attachments. A recording xdg-email
// first on PATH stands for the desktop's.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QWidget>
#include <array>
#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

#include "external_tool.h"
#include "mail_fixture.h"
#include "model/base/file_io.h"
#include "model/files/project_file.h"
#include "output/mail/mail_client.h"
#include "output/mail/mail_dispatch.h"
#include "output/print/pdf_output.h"
#include "pdf_inspection.h"
#include "support/qt_events.h"

namespace {

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

// A window that writes a file each time it is painted.
class MarkedWhenPainted : public QWidget {
 public:
  explicit MarkedWhenPainted(std::string mark) : mark_(std::move(mark)) { resize(200, 100); }
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    ++paints;
    write_file_safely(mark_, "painted");
  }

 private:
  const std::string mark_;
};

// While the program waits for the mail client, its windows keep painting (the
// closed wait box leaves no hole): this client ends only once a window needing
// a repaint as it started has been painted, long before the wait ends.
TEST_F(Mail, TheWindowsKeepPaintingWhileTheClientIsAwaited) {
  MarkedWhenPainted window(tools_.file("painted"));
  window.show();
  ASSERT_TRUE(process_events_until([&window] { return window.paints > 0; }));
  std::filesystem::remove(tools_.file("painted"));
  setenv("FAKE_WAIT_FOR", tools_.file("painted").c_str(), 1);
  window.update();
  EXPECT_TRUE(hand_to_mail_client({"r@x.it", "s", "b", "/tmp/q.pdf"}, 30000));
  EXPECT_TRUE(std::filesystem::exists(tools_.file("record.finished"))) << "the client ended, not the wait";
}

TEST_F(Mail, TheRealXdgEmailHandsTheMailerAUriWithEveryField) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/xdg-email");
  // xdg-email evaluates MAILER as shell words, so it names the stub by a name
  // found on PATH: a path would break on the spaces of a temporary folder.
  std::string mailer =
      tools_.write("mailer/rackwright-test-mailer", "#!/bin/sh\nprintf '%s' \"$1\" > \"$MAIL_RECORD\"\n");
  std::filesystem::permissions(mailer, std::filesystem::perms::owner_all);
  setenv("PATH", (tools_.file("mailer") + ":" + saved_path_).c_str(), 1);
  setenv("MAILER", "rackwright-test-mailer", 1);
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

}  // namespace
