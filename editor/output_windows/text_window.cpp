#include "editor/output_windows/text_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/enter_presses.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "model/text/text_numbers.h"

TFormTxt::TFormTxt(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Text");
  Label1 = new QLabel(this);
  Label1->setWordWrap(true);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setTabChangesFocus(false);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  BitBtn1 = new QPushButton("OK", this);
  BitBtn2 = new QPushButton("Cancel", this);
  // Enter types a line break in the memo, never presses OK.
  enter_presses(BitBtn1);
  enter_presses(BitBtn2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Memo1, 1);
  layout->addLayout(buttons);
  resize(640, 420);

  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormTxt::apply_language() { BitBtn2->setText(qt_lang_text(text::cancel)); }

bool TFormTxt::run(const std::string& instruction, const std::string& text) {
  Label1->setText(qtext(instruction));
  Memo1->setPlainText(qtext(text));
  text_window_ok = false;
  exec();
  return text_window_ok;
}

std::string TFormTxt::text() const { return Memo1->toPlainText().toStdString(); }

void TFormTxt::BitBtn1Click() {
  text_window_ok = true;
  accept();
}

void TFormTxt::BitBtn2Click() {
  text_window_ok = false;
  reject();
}
