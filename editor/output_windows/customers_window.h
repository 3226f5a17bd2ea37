// The customer register window: the list of customer names with a narrowing
// text filter, the fields of the selected customer, confirmed add, modify and
// delete, and the tab-separated export and import through the text window.
// The logic lives in model/quote/customers_form.h; this window copies
// between its controls and the form.
#pragma once

#include <QDialog>

#include "model/quote/customers_form.h"
#include "model/text/translated_window.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class TFormTxt;

class TFclienti : public QDialog, public TranslatedWindow {
 public:
  explicit TFclienti(QWidget* parent = nullptr);

  void apply_language() override;
  // The text window of export and import, created after this window.
  void set_text_window(TFormTxt* window) { text_window_ = window; }

  // Handlers.
  void FormActivate();
  void ListBox1Click();
  void Button1Click();  // new customer
  void BitBtn4Click();  // add
  void BitBtn8Click();  // modify
  void BitBtn9Click();  // delete
  void BitBtn3Click();  // filter
  void BitBtn5Click();  // remove the filter
  void BitBtn6Click();  // export
  void BitBtn1Click();  // import

  const CustomerFilter& customer_filter() const { return form_.filter; }

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
  QLabel* Label11;  // "Note"
  QListWidget* ListBox1;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QLineEdit* Edit8;
  QLineEdit* Edit9;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QPushButton* BitBtn4;
  QPushButton* BitBtn5;
  QPushButton* BitBtn6;
  QPushButton* BitBtn8;
  QPushButton* BitBtn9;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void build_controls();
  void connect_handlers();
  // Copies the selection and the fields into the form, runs the command and shows the form.
  void run(void (*command)(CustomersForm&));
  // The same for a command that changes the register: the form is shown as
  // soon as the register changed, before the command's message.
  void run_change(void (*command)(CustomersForm&, const std::function<void()>&));
  void read_form();
  void show_form();

  CustomersForm form_;
  int shown_listing_ = 0;  // the form's list rebuild the list control shows
  TFormTxt* text_window_ = nullptr;
};
