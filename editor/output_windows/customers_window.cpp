#include "editor/output_windows/customers_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/enter_presses.h"
#include "editor/guarded_connection.h"
#include "editor/output_windows/customer_edits.h"
#include "editor/output_windows/text_window.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

namespace {

CustomerEdits edits_of(const TFclienti& w) {
  return {{w.Edit1, w.Edit2, w.Edit3, w.Edit4, w.Edit5, w.Edit9, w.Edit6, w.Edit7, w.Edit8}, w.Memo1};
}

}  // namespace

TFclienti::TFclienti(QWidget* parent) : QDialog(parent) {
  build_controls();
  connect_handlers();
  setWindowTitle("Clienti");
}

void TFclienti::build_controls() {
  Label9 = new QLabel("Elenco clienti", this);
  ListBox1 = new QListWidget(this);
  ListBox1->setMinimumWidth(220);

  const char* captions[] = {"Nome", "Indirizzo", "Cap", "Città", "Prov.", "Nazione", "Tel.", "Fax", "E-mail"};
  QLabel** labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label10, &Label6, &Label7, &Label8};
  QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit9, &Edit6, &Edit7, &Edit8};
  auto* fields = new QGridLayout;
  for (int k = 0; k < 9; ++k) {
    *labels[k] = new QLabel(QString::fromUtf8(captions[k]), this);
    *edits[k] = new QLineEdit(this);
    fields->addWidget(*labels[k], k, 0);
    fields->addWidget(*edits[k], k, 1);
  }
  Label11 = new QLabel("Note", this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setTabChangesFocus(true);
  Memo1->setMinimumSize(360, 110);
  fields->addWidget(Label11, 9, 0, Qt::AlignTop);
  fields->addWidget(Memo1, 9, 1);
  edits_of(*this).bound_texts();

  Button1 = new QPushButton("NUOVO CLIENTE", this);
  BitBtn4 = new QPushButton("Aggiungi", this);
  BitBtn8 = new QPushButton("Modifica", this);
  BitBtn8->setToolTip("Sostituisci voce");
  BitBtn8->setEnabled(false);
  BitBtn9 = new QPushButton("Elimina", this);
  BitBtn9->setToolTip("Elimina voce");
  BitBtn9->setEnabled(false);
  BitBtn3 = new QPushButton("Filtra", this);
  BitBtn5 = new QPushButton("Rimuovi filtro", this);
  BitBtn5->setEnabled(false);
  BitBtn6 = new QPushButton("Export", this);
  BitBtn1 = new QPushButton("Import", this);
  BitBtn2 = new QPushButton("Chudi", this);
  enter_presses_every_button(this);

  auto* commands = new QGridLayout;
  commands->addWidget(Button1, 0, 0, 1, 3);
  commands->addWidget(BitBtn4, 1, 0);
  commands->addWidget(BitBtn8, 1, 1);
  commands->addWidget(BitBtn9, 1, 2);

  auto* list_side = new QVBoxLayout;
  list_side->addWidget(Label9);
  list_side->addWidget(ListBox1, 1);
  auto* filter_row = new QHBoxLayout;
  filter_row->addWidget(BitBtn3);
  filter_row->addWidget(BitBtn5);
  list_side->addLayout(filter_row);

  auto* field_side = new QVBoxLayout;
  field_side->addLayout(fields);
  field_side->addLayout(commands);
  field_side->addStretch(1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(BitBtn6);
  bottom->addWidget(BitBtn1);
  bottom->addStretch(1);
  bottom->addWidget(BitBtn2);

  auto* top = new QHBoxLayout;
  top->addLayout(list_side);
  top->addLayout(field_side, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);
  // As the window reads: the list with its filter, the fields with their commands, the bottom row.
  tab_order({ListBox1, BitBtn3, BitBtn5, Edit1,   Edit2,   Edit3,   Edit4,   Edit5,   Edit9,   Edit6,
             Edit7,    Edit8,   Memo1,   Button1, BitBtn4, BitBtn8, BitBtn9, BitBtn6, BitBtn1, BitBtn2});
  opens_on(ListBox1);
}

void TFclienti::connect_handlers() {
  // By mouse or by keys: the fields always show the entry Modifica and Elimina act on.
  guarded_connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] { ListBox1Click(); });
  guarded_connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  guarded_connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
  guarded_connect(BitBtn8, &QPushButton::clicked, this, [this] { BitBtn8Click(); });
  guarded_connect(BitBtn9, &QPushButton::clicked, this, [this] { BitBtn9Click(); });
  guarded_connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  guarded_connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
  guarded_connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
}

void TFclienti::apply_language() {
  setWindowTitle(qt_lang_text(text::customer_register));
  Button1->setText(qt_lang_text(text::new_customer));
  BitBtn4->setText(qt_lang_text(text::add_customer));
  BitBtn9->setText(qt_lang_text(text::delete_customer));
  BitBtn8->setText(qt_lang_text(text::modify_customer));
  BitBtn2->setText(qt_lang_text(text::close));
  BitBtn3->setText(qt_lang_text(text::search));
  BitBtn5->setText(qt_lang_text(text::show_all));
  QLabel* labels[] = {Label1, Label2, Label3, Label4, Label5, Label10, Label6, Label7, Label8};
  const int texts[] = {text::customer_name,  text::customer_address,  text::customer_postcode,
                       text::customer_city,  text::customer_province, text::customer_country,
                       text::customer_phone, text::customer_fax,      text::customer_email};
  for (int k = 0; k < 9; ++k) labels[k]->setText(qt_lang_text(texts[k]));
  Label9->setText(qt_lang_text(text::customer_list));
}

void TFclienti::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) FormActivate();
}

void TFclienti::read_form() {
  const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
  form_.selected_row = selected.isEmpty() ? -1 : ListBox1->row(selected.first());
  form_.customer = edits_of(*this).customer();
}

void TFclienti::show_form() {
  // The list shows the form's selection; that is no new choice of the user's.
  const QSignalBlocker quiet(ListBox1);
  if (form_.listing != shown_listing_) {
    ListBox1->clear();
    for (const std::string& name : form_.names) ListBox1->addItem(qtext(name));
    shown_listing_ = form_.listing;
  }
  if (form_.selected_row >= 0) {
    ListBox1->setCurrentRow(form_.selected_row);
  } else {
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
  }
  // Fields a command left alone keep their text as typed.
  const CustomerEdits edits = edits_of(*this);
  if (!(edits.customer() == form_.customer)) edits.show(form_.customer);
  BitBtn4->setEnabled(form_.can_add);
  BitBtn8->setEnabled(form_.can_modify);
  BitBtn9->setEnabled(form_.can_delete);
  BitBtn5->setEnabled(form_.can_remove_filter);
}

void TFclienti::run(void (*command)(CustomersForm&)) {
  read_form();
  command(form_);
  show_form();
}

void TFclienti::run_change(void (*command)(CustomersForm&, const std::function<void()>&)) {
  read_form();
  command(form_, [this] { show_form(); });
  show_form();
}

void TFclienti::FormActivate() { run(list_all_customers); }

void TFclienti::ListBox1Click() { run(show_selected_customer); }

void TFclienti::Button1Click() { run(start_new_customer); }

void TFclienti::BitBtn4Click() { run_change(add_form_customer); }

void TFclienti::BitBtn8Click() { run(modify_form_customer); }

void TFclienti::BitBtn9Click() { run_change(delete_form_customer); }

void TFclienti::BitBtn3Click() { run(filter_form_customers); }

void TFclienti::BitBtn5Click() { run(remove_customer_filter); }

void TFclienti::BitBtn6Click() {
  if (text_window_) text_window_->run("Copy and paste values in EXCEL.", customers_exchange_text());
}

void TFclienti::BitBtn1Click() {
  if (!text_window_ || !text_window_->run(import_instruction(), "")) return;
  read_form();
  import_form_customers(form_, text_window_->text());
  show_form();
}
