// The quote header dialog: the quote's customer (picked from the register or
// typed), its date, number, sender, reference, drawing, notes and four
// discounts, and the company block of every printed page (logo, header lines,
// further lines, currency). The values travel as a QuoteHeaderForm
// (model/quote/quote_header_form.h), which OK applies.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "model/quote/quote_header_form.h"
#include "model/text/translated_window.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QToolButton;
struct CustomerEdits;

class TFpreventivo : public QDialog, public TranslatedWindow {
 public:
  explicit TFpreventivo(QWidget* parent = nullptr);

  void apply_language() override;

  // Opens the customer register (SpeedButton2); set by whoever creates the windows.
  std::function<void()> open_customers;

  // Handlers.
  void FormActivate();
  void BitBtn1Click();  // OK
  void SpeedButton1Click();
  void ComboBox1Change(int index);
  void Btn_UtentiClick();
  void Image1DblClick();
  void SpeedButton2Click();

  // The values of the controls, and back.
  QuoteHeaderForm read_form() const;
  void show_form(const QuoteHeaderForm& form);

  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox3;
  QComboBox* ComboBox1;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QLineEdit* Edit8;
  QLineEdit* Edit9;
  QLineEdit* Edit10;
  QLineEdit* Edit11;
  QLineEdit* Edit12;
  QLineEdit* Edit13;
  QLineEdit* Edit14;
  QLineEdit* Edit15;
  QLineEdit* Edit16;
  QLineEdit* Edit17;
  QLineEdit* Edit18;
  QLineEdit* Edit19;
  QLineEdit* Edit20;
  QPlainTextEdit* Memo1;
  QLabel* Image1;
  QTableWidget* StringGrid1;
  QTableWidget* StringGrid2;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;
  QLabel* Label9;
  QLabel* Label10;
  QLabel* Label11;
  QLabel* Label12;
  QLabel* Label13;
  QLabel* Label14;
  QLabel* Label16;
  QLabel* Label17;
  QLabel* Label20;
  QLabel* Label21;
  QLabel* Label22;
  QLabel* Label23;
  QLabel* Label24;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QToolButton* SpeedButton1;
  QToolButton* SpeedButton2;
  QToolButton* Btn_Utenti;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_controls();
  QGroupBox* build_customer_box();
  QGroupBox* build_quote_box();
  QGroupBox* build_company_box();
  void connect_handlers();
  CustomerEdits customer_edits() const;
  // The pick list anew from the register, keeping what is typed.
  void refill_pick_list();
  void show_logo();
  QLineEdit* discount_edit(int k) const;

  std::string logo_source_path_;
};
