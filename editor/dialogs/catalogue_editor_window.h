// The catalogue editor: the five size sections of the catalogue file and its
// structure types, and the price and code table and the translation file as
// plain text. Closing asks whether to save; text the catalogue loader would
// refuse keeps the window open, so nothing typed is lost.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "model/catalogue/catalogue_editor_form.h"

class TFdati : public QDialog {
  Q_OBJECT

 public:
  explicit TFdati(QWidget* parent = nullptr);

  QTabWidget* PageControl1;
  QPlainTextEdit* M_altezze;
  QPlainTextEdit* M_traversini;
  QPlainTextEdit* M_larghezze;
  QPlainTextEdit* M_lunghezze;
  QPlainTextEdit* M_composizioni;
  QListWidget* Lb_struttura;
  std::array<QLineEdit*, 6> type_fields;  // Edit1 .. Edit6
  std::array<QLineEdit*, 4> type_texts;   // Edit7 .. Edit10, read-only
  QPushButton* Button11;                  // "Aggiungi"
  QPushButton* Button12;                  // "Rimuovi"
  QPushButton* Button13;                  // "Modifica"
  QPlainTextEdit* Memo1;                  // user/codici.dat
  QPlainTextEdit* Memo2;                  // data/lang.dat
  QPushButton* Chiudi;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Esc, Chiudi and the window's close box all end here, in the close question.
  void done(int result) override;

 private:
  void FormActivate();
  bool FormCloseQuery();
  void PageControl1Change(int page);
  void Lb_strutturaClick();
  void Button11Click();
  void Button12Click();
  void Button13Click();

  QWidget* settings_page();
  // Copies the texts of the widgets into the form.
  void store_texts();
  StructureTypeFields typed_fields() const;
  void refresh_structure_list();
  std::array<QPlainTextEdit*, kCatalogueTextSections> memos() const;

  CatalogueEditorForm form_;
};
