#include "editor/dialogs/catalogue_editor_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "editor/qt_lang_text.h"
#include "editor/text_bounds.h"
#include "editor/window_opening.h"
#include "model/base/file_io.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"

namespace {

constexpr int kCodesPage = 1;

QPlainTextEdit* memo(QWidget* parent) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setTabChangesFocus(true);
  return edit;
}

}  // namespace

TFdati::TFdati(QWidget* parent)
    : QDialog(parent),
      PageControl1(new QTabWidget(this)),
      M_altezze(memo(this)),
      M_traversini(memo(this)),
      M_larghezze(memo(this)),
      M_lunghezze(memo(this)),
      M_composizioni(memo(this)),
      Lb_struttura(new QListWidget(this)),
      type_fields{},
      type_texts{},
      Button11(new QPushButton("Aggiungi", this)),
      Button12(new QPushButton("Rimuovi", this)),
      Button13(new QPushButton("Modifica", this)),
      Memo1(memo(this)),
      Memo2(memo(this)),
      Chiudi(new QPushButton("Chiudi", this)) {
  setWindowTitle("Modifica dati");
  for (QLineEdit*& edit : type_fields) edit = new QLineEdit(this);
  for (QLineEdit*& edit : type_texts) {
    edit = new QLineEdit(this);
    edit->setReadOnly(true);
  }
  for (QPlainTextEdit* section : memos()) section->installEventFilter(this);
  bound_line_bytes(Memo2, kTranslationLineBytes);
  for (int i = 0; i < 4; ++i) type_fields[static_cast<std::size_t>(i)]->installEventFilter(this);

  PageControl1->addTab(settings_page(), "Impostazioni");
  PageControl1->addTab(Memo1, "Codici");
  PageControl1->addTab(Memo2, "Lingua");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(Chiudi);
  layout->addLayout(bottom);
  resize(980, 640);

  connect(PageControl1, &QTabWidget::currentChanged, this, &TFdati::PageControl1Change);
  connect(Lb_struttura, &QListWidget::itemClicked, this, &TFdati::Lb_strutturaClick);
  connect(Button11, &QPushButton::clicked, this, &TFdati::Button11Click);
  connect(Button12, &QPushButton::clicked, this, &TFdati::Button12Click);
  connect(Button13, &QPushButton::clicked, this, &TFdati::Button13Click);
  connect(Chiudi, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* TFdati::settings_page() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  const char* titles[] = {"Altezze", "Traversini", "Larghezze", "Lunghezze", "Composizioni"};
  for (int i = 0; i < kCatalogueTextSections; ++i) {
    grid->addWidget(new QLabel(titles[i], page), 0, i);
    grid->addWidget(memos()[static_cast<std::size_t>(i)], 1, i);
  }
  grid->addWidget(new QLabel("* = dimensioni opzionali", page), 2, 0, 1, kCatalogueTextSections);

  auto* types = new QGridLayout;
  types->addWidget(Lb_struttura, 0, 0, 7, 1);
  const char* labels[] = {"Descrizione Breve (finisce nella ComboBox)",
                          "Descrizione estesa",
                          "Descrizione di dettaglio",
                          "Testo nei moduli",
                          "Suffisso Pianetti",
                          "Offset altezza [mm]"};
  for (int i = 0; i < 6; ++i) {
    types->addWidget(new QLabel(labels[i], page), i, 1);
    types->addWidget(type_fields[static_cast<std::size_t>(i)], i, 2);
    if (i < 4) types->addWidget(type_texts[static_cast<std::size_t>(i)], i, 3);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button11);
  buttons->addWidget(Button12);
  buttons->addWidget(Button13);
  buttons->addStretch();
  types->addLayout(buttons, 6, 1, 1, 3);
  types->setColumnStretch(0, 2);
  types->setColumnStretch(3, 2);
  grid->addLayout(types, 3, 0, 1, kCatalogueTextSections);
  grid->setRowStretch(1, 1);
  return page;
}

std::array<QPlainTextEdit*, kCatalogueTextSections> TFdati::memos() const {
  return {M_altezze, M_traversini, M_larghezze, M_lunghezze, M_composizioni};
}

void TFdati::showEvent(QShowEvent* event) {
  if (opens_the_window(*event)) FormActivate();
  QDialog::showEvent(event);
}

void TFdati::FormActivate() {
  PageControl1->blockSignals(true);
  PageControl1->setCurrentIndex(0);
  PageControl1->blockSignals(false);
  form_ = load_catalogue_editor_form();
  if (form_.loaded) {
    for (int i = 0; i < kCatalogueTextSections; ++i)
      memos()[static_cast<std::size_t>(i)]->setPlainText(qtext(form_.texts.memos[static_cast<std::size_t>(i)]));
    Memo1->setPlainText(qtext(form_.texts.codes_table));
    Memo2->setPlainText(qtext(form_.texts.translations));
  } else {
    // Without the files there is nothing to edit.
    QMetaObject::invokeMethod(
        this, [this] { QDialog::done(QDialog::Rejected); }, Qt::QueuedConnection);
  }
  refresh_structure_list();
}

void TFdati::store_texts() {
  for (int i = 0; i < kCatalogueTextSections; ++i)
    form_.texts.memos[static_cast<std::size_t>(i)] = memos()[static_cast<std::size_t>(i)]->toPlainText().toStdString();
  form_.texts.codes_table = Memo1->toPlainText().toStdString();
  form_.texts.translations = Memo2->toPlainText().toStdString();
}

bool TFdati::FormCloseQuery() {
  store_texts();
  return close_catalogue_editor_form(form_, stored_language());
}

void TFdati::done(int result) {
  if (isVisible() && !FormCloseQuery()) return;
  form_.loaded = false;
  QDialog::done(result);
}

bool TFdati::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    for (QPlainTextEdit* section : memos())
      if (watched == section) refresh_structure_list();
  }
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  for (int i = 0; i < kCatalogueTextSections; ++i) {
    if (watched != memos()[static_cast<std::size_t>(i)]) continue;
    // Characters outside the section's form are dropped; Tab moves the
    // focus on and editing keys pass.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
    const char16_t c = typed.at(0).unicode();
    return c > 0x7F || !memo_accepts_character(static_cast<CatalogueSection>(i), static_cast<char>(c));
  }
  for (std::size_t i = 0; i < type_texts.size(); ++i) {
    if (watched != type_fields[i] || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)) continue;
    bool number = false;
    const int text_number = type_fields[i]->text().trimmed().toInt(&number);
    type_texts[i]->setText(number ? qt_lang_text(text_number) : QString());
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFdati::PageControl1Change(int page) {
  if (page == kCodesPage)
    ui().show_message(
        "ATTENZIONE - Export in Excel.\rDopo il primo incolla modificare il formato delle colonne CODICE e CODICE "
        "ALT.\rin testo ed incollare una seconda volta.");
}

void TFdati::refresh_structure_list() {
  const int selected = Lb_struttura->currentRow();
  Lb_struttura->clear();
  for (const std::string& line : structure_type_list()) Lb_struttura->addItem(qtext(line));
  if (selected < Lb_struttura->count()) Lb_struttura->setCurrentRow(selected);
}

void TFdati::Lb_strutturaClick() {
  const int index = Lb_struttura->currentRow();
  if (index < 0 || static_cast<std::size_t>(index) >= StructureTypes.size()) return;
  const Tstructure_type& type = StructureTypes[static_cast<std::size_t>(index)];
  const StructureTypeFields fields = structure_type_fields(type);
  for (std::size_t i = 0; i < fields.size(); ++i) type_fields[i]->setText(qtext(fields[i]));
  const std::array<std::string, 4> shown = structure_type_texts(type);
  for (std::size_t i = 0; i < shown.size(); ++i) type_texts[i]->setText(qtext(shown[i]));
}

StructureTypeFields TFdati::typed_fields() const {
  StructureTypeFields fields;
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = type_fields[i]->text().toStdString();
  return fields;
}

void TFdati::Button11Click() {
  form_.texts.codes_table = Memo1->toPlainText().toStdString();
  if (add_structure_type(form_.texts, typed_fields())) Memo1->setPlainText(qtext(form_.texts.codes_table));
  refresh_structure_list();
}

void TFdati::Button12Click() {
  form_.texts.codes_table = Memo1->toPlainText().toStdString();
  if (remove_structure_type(form_.texts, Lb_struttura->currentRow()))
    Memo1->setPlainText(qtext(form_.texts.codes_table));
  refresh_structure_list();
}

void TFdati::Button13Click() {
  modify_structure_type(Lb_struttura->currentRow(), typed_fields());
  refresh_structure_list();
}
