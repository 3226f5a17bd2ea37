#include "editor/output_windows/mail_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/screen_centring.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

TFmail::TFmail(QWidget* parent) : QDialog(parent) {
  build_controls();
  setWindowTitle("Mail - Invia");
  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  guarded_connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  centre_on_screen_when_shown(*this, Centring::every_show);
}

void TFmail::build_controls() {
  setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
  Label1 = new QLabel("Destinatario", this);
  Edit1 = new QLineEdit("indirizzo@dominio.it", this);
  Edit1->setMinimumWidth(360);
  BitBtn3 = new QPushButton(this);
  BitBtn3->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  BitBtn3->setAutoDefault(false);
  BitBtn3->setToolTip("Predefinito");
  Label2 = new QLabel("Oggetto", this);
  Edit2 = new QLineEdit("Preventivo", this);
  Label3 = new QLabel("Testo", this);
  Memo1 = new QPlainTextEdit("In allegato il preventivo.", this);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setTabChangesFocus(true);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setMinimumHeight(140);

  RadioGroup1 = new QGroupBox("Allegato", this);
  RadioItem0 = new QRadioButton("Preventivo (PDF)", RadioGroup1);
  RadioItem1 = new QRadioButton("Progetto", RadioGroup1);
  RadioItem0->setChecked(true);
  auto* items = new QButtonGroup(RadioGroup1);
  items->addButton(RadioItem0, kMailPdf);
  items->addButton(RadioItem1, kMailProject);
  auto* radio_layout = new QVBoxLayout(RadioGroup1);
  radio_layout->addWidget(RadioItem0);
  radio_layout->addWidget(RadioItem1);

  BitBtn1 = new QPushButton("OK", this);
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton("Annulla", this);
  BitBtn2->setAutoDefault(false);

  auto* fields = new QGridLayout;
  fields->addWidget(Label1, 0, 0, 1, 2);
  fields->addWidget(Edit1, 1, 0);
  fields->addWidget(BitBtn3, 1, 1);
  fields->addWidget(Label2, 2, 0, 1, 2);
  fields->addWidget(Edit2, 3, 0, 1, 2);
  fields->addWidget(Label3, 4, 0, 1, 2);
  fields->addWidget(Memo1, 5, 0, 1, 2);
  fields->addWidget(RadioGroup1, 6, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFmail::apply_language() {
  setWindowTitle(qtext(lang_text(text::mail) + " - " + lang_text(text::mail_caption_end)));
  Label1->setText(qt_lang_text(text::mail_recipient));
  Edit1->setText(qt_lang_text(text::default_recipient));
  Label2->setText(qt_lang_text(text::mail_subject));
  Edit2->setText(qt_lang_text(text::default_subject));
  Label3->setText(qt_lang_text(text::mail_message));
  QStringList lines = Memo1->toPlainText().split('\n');
  lines[0] = qt_lang_text(text::default_message);
  Memo1->setPlainText(lines.join('\n'));
  RadioGroup1->setTitle(qt_lang_text(text::attachment));
  RadioItem0->setText(qt_lang_text(text::attach_quote_pdf));
  RadioItem1->setText(qt_lang_text(text::attach_project_file));
  try {
    if (std::optional<std::string> stored = read_default_recipient()) Edit1->setText(qtext(*stored));
  } catch (const std::exception& error) {
    ui().show_message(error.what());
  }
}

int TFmail::exec_for(PageContext& document) {
  document_ = &document;
  int result = exec();
  document_ = nullptr;
  return result;
}

MailForm TFmail::read_form() const {
  return MailForm{Edit1->text().toStdString(), Edit2->text().toStdString(), Memo1->toPlainText().toStdString(),
                  RadioItem1->isChecked() ? kMailProject : kMailPdf};
}

void TFmail::BitBtn1Click() {
  MailOutcome outcome = send_mail(read_form(), document_ ? *document_ : own_document_, client_wait_ms);
  // The window closes whatever the mail client said; a failed attachment
  // leaves it open, so the user can try again.
  if (outcome != MailOutcome::attachment_failed) accept();
}

void TFmail::BitBtn3Click() {
  try {
    store_default_recipient(Edit1->text().toStdString());
  } catch (const std::exception& error) {
    ui().show_message(error.what());
  }
}
