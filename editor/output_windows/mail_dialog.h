// The mail window: recipient, subject, text and the kind of attachment (the
// printed document as PDF, or the project file). Send makes the attachment and
// opens the desktop's mail composer with the message; the small button beside
// the recipient stores it as the default for the next start.
#pragma once

#include <QDialog>

#include "model/text/translated_window.h"
#include "output/mail/mail_dispatch.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TFmail : public QDialog, public TranslatedWindow {
 public:
  explicit TFmail(QWidget* parent = nullptr);

  void apply_language() override;

  // Shown modally by the print window; the PDF attachment is made from its document.
  int exec_for(PageContext& document);

  MailForm read_form() const;

  // Handlers.
  void BitBtn1Click();  // send
  void BitBtn3Click();  // store the default recipient

  // How long a mail client may keep xdg-email running before it counts as opened.
  int client_wait_ms = 15000;

  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* BitBtn3;
  QLabel* Label2;
  QLineEdit* Edit2;
  QLabel* Label3;
  QPlainTextEdit* Memo1;
  QGroupBox* RadioGroup1;
  QRadioButton* RadioItem0;
  QRadioButton* RadioItem1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 private:
  void build_controls();

  PageContext* document_ = nullptr;
  PageContext own_document_;  // when shown without the print window
};
