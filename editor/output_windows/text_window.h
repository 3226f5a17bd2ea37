// The small text window of the customer register's export and import: an
// instruction above a plain text the user copies from or pastes into. TAB is
// typed into the text (it separates the fields) and lines never wrap. The
// caller gives the instruction and the text; Cancel speaks the language in use.
#pragma once

#include <QDialog>
#include <string>

#include "model/text/translated_window.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFormTxt : public QDialog, public TranslatedWindow {
 public:
  explicit TFormTxt(QWidget* parent = nullptr);

  void apply_language() override;

  // Shows the window modally with that instruction and text; true after OK.
  bool run(const std::string& instruction, const std::string& text);
  std::string text() const;

  void BitBtn1Click();
  void BitBtn2Click();

  bool text_window_ok = false;

  QLabel* Label1;
  QPlainTextEdit* Memo1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
};
