// The print window: the preview of the printed document page by page, its
// options (quote part, cell drawings, grid, extended description, 3-D
// pictures), printing with a page range, the PDF, and the buttons that open
// the quote header, the customer register, the mail and the spreadsheet export.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "model/text/translated_window.h"
#include "output/print/page_context.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QFrame;

class TFstampa : public QDialog, public TranslatedWindow {
 public:
  explicit TFstampa(QWidget* parent = nullptr);

  void apply_language() override;

  // The windows and exports other parts of the program own. Whoever builds
  // them sets these; a button whose hook is unset does nothing.
  std::function<void()> open_quote_header;   // Btn_doc
  std::function<void()> open_customers;      // Btn_Utenti
  std::function<void()> open_mail;           // BitBtn5
  std::function<void()> export_spreadsheet;  // BitBtn6

  // Handlers.
  void FormActivate();
  void show_preview_page(int n);
  void BitBtn1Click();  // print
  void BitBtn2Click();  // previous page
  void BitBtn3Click();  // next page
  void BitBtn7Click();  // PDF
  void CheckBox1Click();
  void CheckBox3Click();
  void CheckBox2Click();  // also CheckBox4
  void SpinEdit1Change();
  void SpinEdit2Change();
  // Shows the first page afresh; no control of the window is bound to it.
  void ComboBox1Change();
  void Btn_docClick();
  void Btn_UtentiClick();
  void BitBtn5Click();
  void BitBtn6Click();

  // The options as the controls set them.
  PrintOptions read_options() const;
  PrintForm read_form() const;
  const PageContext& page_context() const { return page_; }
  PageContext& page_context() { return page_; }

  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label10;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QPushButton* BitBtn4;
  QPushButton* BitBtn5;
  QPushButton* BitBtn6;
  QPushButton* BitBtn7;
  QPushButton* Btn_doc;
  QPushButton* Btn_Utenti;
  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  QCheckBox* CheckBox4;
  QSpinBox* SpinEdit1;
  QSpinBox* SpinEdit2;
  QFrame* Panel1;
  QLabel* Label4;
  QLabel* Label4_;
  QLabel* Label5;
  QLabel* Label5_;
  QLabel* Label6;
  QLabel* Label6_;
  QLabel* Label7;
  QLabel* Label7_;
  QLabel* Label8;
  QLabel* Label8_;
  QFrame* Bevel1;  // the rule above the net total

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void build_controls();
  void connect_handlers();
  void show_form(const PrintForm& form);
  void rebuild_preview();
  void show_page(int n);
  void run_dialog_hook(const std::function<void()>& hook);

  PageContext page_;
};

// The message the PDF button shows when the PDF cannot be made.
std::string pdf_error_message(const std::exception& error);
