#include "editor/output_windows/quote_header_dialog.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/enter_presses.h"
#include "editor/guarded_connection.h"
#include "editor/output_windows/customer_edits.h"
#include "editor/output_windows/one_stop_grid.h"
#include "editor/qt_lang_text.h"
#include "editor/scrolling_body.h"
#include "editor/text_bounds.h"
#include "editor/window_opening.h"
#include "model/base/text_io.h"
#include "model/quote/customer_register.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

constexpr QSize kLogoSize(180, 90);

QTableWidget* line_grid(QWidget* parent, int rows) {
  auto* grid = new OneStopGrid(rows, 1, parent);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->setFixedHeight(rows * 20 + 2 * grid->frameWidth());
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int r = 0; r < rows; ++r) grid->setItem(r, 0, new QTableWidgetItem);
  return grid;
}

template <std::size_t N>
void show_lines(QTableWidget* grid, const std::array<std::string, N>& lines) {
  for (std::size_t r = 0; r < N; ++r) grid->item(static_cast<int>(r), 0)->setText(qtext(lines[r]));
}

template <std::size_t N>
void read_lines(const QTableWidget* grid, std::array<std::string, N>& lines) {
  for (std::size_t r = 0; r < N; ++r) lines[r] = grid->item(static_cast<int>(r), 0)->text().toStdString();
}

// A captioned row of the window: its label, the label's built-in caption and
// its text number in the language table.
struct LabelRow {
  QLabel* TFpreventivo::*label;
  const char* caption;
  int text;
};

// The customer's rows in the stored field order (customer_edits.h); the name
// is typed into the pick list.
struct CustomerRow {
  LabelRow label;
  QLineEdit* TFpreventivo::*edit;
};
const CustomerRow kCustomerRows[] = {
    {{&TFpreventivo::Label1, "Nome", 68}, nullptr},
    {{&TFpreventivo::Label2, "Indirizzo", 69}, &TFpreventivo::Edit2},
    {{&TFpreventivo::Label3, "Cap", 70}, &TFpreventivo::Edit3},
    {{&TFpreventivo::Label4, "Città", 71}, &TFpreventivo::Edit4},
    {{&TFpreventivo::Label5, "Prov.", 72}, &TFpreventivo::Edit5},
    {{&TFpreventivo::Label10, "Nazione", 91}, &TFpreventivo::Edit9},
    {{&TFpreventivo::Label6, "Tel.", 73}, &TFpreventivo::Edit6},
    {{&TFpreventivo::Label7, "Fax", 74}, &TFpreventivo::Edit7},
    {{&TFpreventivo::Label8, "E-mail", 75}, &TFpreventivo::Edit8},
};
static_assert(std::size(kCustomerRows) == std::tuple_size_v<decltype(CustomerEdits::fields)>);

// The quote's text rows, top down, each an edit of a form field; the second
// note line has no label of its own.
struct QuoteTextRow {
  LabelRow label;
  QLineEdit* TFpreventivo::*edit;
  std::string QuoteHeaderForm::*field;
};
const QuoteTextRow kQuoteTextRows[] = {
    {{&TFpreventivo::Label9, "Data", 113}, &TFpreventivo::Edit10, &QuoteHeaderForm::date},
    {{&TFpreventivo::Label11, "Num", 114}, &TFpreventivo::Edit11, &QuoteHeaderForm::number},
    {{&TFpreventivo::Label12, "From", 115}, &TFpreventivo::Edit12, &QuoteHeaderForm::from},
    {{&TFpreventivo::Label13, "Rif_cliente", 116}, &TFpreventivo::Edit13, &QuoteHeaderForm::customer_ref},
    {{&TFpreventivo::Label17, "Disegno", 133}, &TFpreventivo::Edit1, &QuoteHeaderForm::drawing},
    {{&TFpreventivo::Label14, "Note", 117}, &TFpreventivo::Edit14, &QuoteHeaderForm::note1},
    {{nullptr, nullptr, 0}, &TFpreventivo::Edit15, &QuoteHeaderForm::note2},
};

// The labels of the customer's notes, the discounts and the company block.
const LabelRow kNotesLabel{&TFpreventivo::Label24, "Note", 117};
const LabelRow kDiscountsLabel{&TFpreventivo::Label16, "sconti", 118};
const LabelRow kLogoLabel{&TFpreventivo::Label23, "Logo", 148};
const LabelRow kHeaderLinesLabel{&TFpreventivo::Label20, "Intestazione", 145};
const LabelRow kMoreLinesLabel{&TFpreventivo::Label21, "Altre righe", 146};
const LabelRow kCurrencyLabel{&TFpreventivo::Label22, "Valuta", 147};

QLabel* make_label(TFpreventivo& window, const LabelRow& row, QWidget* parent) {
  return window.*row.label = new QLabel(QString::fromUtf8(row.caption), parent);
}

QToolButton* tool_button(QWidget* parent, QStyle::StandardPixmap icon) {
  auto* button = new QToolButton(parent);
  button->setIcon(parent->style()->standardIcon(icon));
  button->setAutoRaise(true);
  return button;
}

}  // namespace

TFpreventivo::TFpreventivo(QWidget* parent) : QDialog(parent) {
  build_controls();
  connect_handlers();
  setWindowTitle("Preventivo");
}

QGroupBox* TFpreventivo::build_customer_box() {
  GroupBox1 = new QGroupBox("Cliente", this);
  ComboBox1 = new QComboBox(GroupBox1);
  ComboBox1->setEditable(true);
  ComboBox1->setMaxVisibleItems(20);
  ComboBox1->setCompleter(nullptr);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  Btn_Utenti = tool_button(GroupBox1, QStyle::SP_DialogSaveButton);
  SpeedButton2 = tool_button(GroupBox1, QStyle::SP_FileDialogListView);

  auto* grid = new QGridLayout(GroupBox1);
  int r = 0;
  for (const CustomerRow& row : kCustomerRows) {
    grid->addWidget(make_label(*this, row.label, GroupBox1), r, 0);
    if (row.edit) grid->addWidget(this->*row.edit = new QLineEdit(GroupBox1), r, 1, 1, 3);
    ++r;
  }
  grid->addWidget(ComboBox1, 0, 1);
  grid->addWidget(Btn_Utenti, 0, 2);
  grid->addWidget(SpeedButton2, 0, 3);
  grid->setColumnStretch(1, 1);
  make_label(*this, kNotesLabel, GroupBox1);
  Memo1 = new QPlainTextEdit(GroupBox1);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setTabChangesFocus(true);
  Memo1->setFixedHeight(70);
  grid->addWidget(Label24, r, 0, Qt::AlignTop);
  grid->addWidget(Memo1, r, 1, 1, 3);
  customer_edits().bound_texts();
  return GroupBox1;
}

QGroupBox* TFpreventivo::build_quote_box() {
  GroupBox2 = new QGroupBox("Preventivo", this);
  auto* grid = new QGridLayout(GroupBox2);
  int r = 0;
  for (const QuoteTextRow& row : kQuoteTextRows) {
    if (row.label.label) grid->addWidget(make_label(*this, row.label, GroupBox2), r, 0);
    QLineEdit* edit = this->*row.edit = new QLineEdit(GroupBox2);
    // The quote's texts are the project file's short strings.
    bound_text_bytes(edit, kShortStringBytes);
    if (r > 0) grid->addWidget(edit, r, 1);
    ++r;
  }
  for (QLineEdit** edit : {&Edit16, &Edit17, &Edit19, &Edit20}) *edit = new QLineEdit(GroupBox2);
  // Made after the edits, so Tab reaches it after them.
  SpeedButton1 = tool_button(GroupBox2, QStyle::SP_BrowserReload);
  auto* date_row = new QHBoxLayout;
  date_row->addWidget(this->*kQuoteTextRows[0].edit, 1);
  date_row->addWidget(SpeedButton1);
  grid->addLayout(date_row, 0, 1);

  // The discounts apply one after the other: "a + b + c + d %".
  auto* discounts = new QHBoxLayout;
  for (int k = 0; k < 4; ++k) {
    discount_edit(k)->setFixedWidth(52);
    discounts->addWidget(discount_edit(k));
    discounts->addWidget(new QLabel(k < 3 ? "+" : "%", GroupBox2));
  }
  discounts->addStretch(1);
  grid->addWidget(make_label(*this, kDiscountsLabel, GroupBox2), r, 0);
  grid->addLayout(discounts, r, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(r + 1, 1);
  return GroupBox2;
}

QGroupBox* TFpreventivo::build_company_box() {
  GroupBox3 = new QGroupBox("Azienda", this);
  make_label(*this, kLogoLabel, GroupBox3);
  Image1 = new QLabel(GroupBox3);
  Image1->setFixedSize(kLogoSize);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setFrameShape(QFrame::StyledPanel);
  // Reached by Tab too, where Enter or Space picks the logo as the double click does.
  Image1->setFocusPolicy(Qt::StrongFocus);
  Image1->setStyleSheet("QLabel:focus { border: 2px solid palette(highlight); }");
  Image1->installEventFilter(this);
  make_label(*this, kHeaderLinesLabel, GroupBox3);
  StringGrid1 = line_grid(GroupBox3, 4);
  make_label(*this, kMoreLinesLabel, GroupBox3);
  StringGrid2 = line_grid(GroupBox3, 10);
  make_label(*this, kCurrencyLabel, GroupBox3);
  Edit18 = new QLineEdit(GroupBox3);
  Edit18->setFixedWidth(80);
  // The company texts as far as the preferences file reads them back.
  bound_cell_bytes(StringGrid1, kTextBytes);
  bound_cell_bytes(StringGrid2, kTextBytes);
  bound_text_bytes(Edit18, kTextBytes);

  auto* layout = new QVBoxLayout(GroupBox3);
  layout->addWidget(Label23);
  layout->addWidget(Image1);
  layout->addWidget(Label20);
  layout->addWidget(StringGrid1);
  layout->addWidget(Label21);
  layout->addWidget(StringGrid2);
  auto* currency = new QHBoxLayout;
  currency->addWidget(Label22);
  currency->addWidget(Edit18);
  currency->addStretch(1);
  layout->addLayout(currency);
  layout->addStretch(1);
  return GroupBox3;
}

void TFpreventivo::build_controls() {
  BitBtn1 = new QPushButton("OK", this);
  BitBtn2 = new QPushButton("Cancel", this);

  auto* left = new QVBoxLayout;
  left->addWidget(build_customer_box());
  left->addWidget(build_quote_box(), 1);
  auto* fields = new QWidget;
  auto* top = new QHBoxLayout(fields);
  top->setContentsMargins(0, 0, 0, 0);
  top->addLayout(left, 3);
  top->addWidget(build_company_box(), 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  // The fields scroll on a screen too low for them; OK and Cancel stay.
  layout->addWidget(new ScrollingBody(fields), 1);
  layout->addLayout(buttons);
  // The fields in reading order, each column down; from the last one Tab goes
  // on to OK and Cancel.
  tab_order({ComboBox1, Btn_Utenti,  SpeedButton2, Edit2,  Edit3,   Edit4,        Edit5,  Edit9,
             Edit6,     Edit7,       Edit8,        Memo1,  Edit10,  SpeedButton1, Edit11, Edit12,
             Edit13,    Edit1,       Edit14,       Edit15, Edit16,  Edit17,       Edit19, Edit20,
             Image1,    StringGrid1, StringGrid2,  Edit18, BitBtn1, BitBtn2});
  enter_presses_every_button(this);
  opens_on(ComboBox1);
  resize(860, 640);
}

void TFpreventivo::connect_handlers() {
  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  guarded_connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  guarded_connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
  guarded_connect(Btn_Utenti, &QToolButton::clicked, this, [this] { Btn_UtentiClick(); });
  guarded_connect(ComboBox1, &QComboBox::activated, this, [this](int index) { ComboBox1Change(index); });
}

void TFpreventivo::apply_language() {
  setWindowTitle(qt_lang_text(text::quote_header));
  GroupBox1->setTitle(qt_lang_text(text::customer));
  GroupBox2->setTitle(qt_lang_text(text::quote));
  GroupBox3->setTitle(qt_lang_text(text::company));
  const auto translate = [this](const LabelRow& row) { (this->*row.label)->setText(qt_lang_text(row.text)); };
  for (const CustomerRow& row : kCustomerRows) translate(row.label);
  for (const QuoteTextRow& row : kQuoteTextRows)
    if (row.label.label) translate(row.label);
  for (const LabelRow& row :
       {kNotesLabel, kDiscountsLabel, kLogoLabel, kHeaderLinesLabel, kMoreLinesLabel, kCurrencyLabel})
    translate(row);
  Btn_Utenti->setToolTip(qt_lang_text(text::add_to_register_hint));
  SpeedButton2->setToolTip(qt_lang_text(text::customer_register_hint));
  SpeedButton1->setToolTip(qt_lang_text(text::today_hint));
  BitBtn2->setText(qt_lang_text(text::cancel));
}

CustomerEdits TFpreventivo::customer_edits() const {
  CustomerEdits edits{{}, Memo1};
  std::size_t k = 0;
  for (const CustomerRow& row : kCustomerRows) edits.fields[k++] = row.edit ? this->*row.edit : ComboBox1->lineEdit();
  return edits;
}

QLineEdit* TFpreventivo::discount_edit(int k) const {
  QLineEdit* edits[] = {Edit16, Edit17, Edit19, Edit20};
  return edits[k];
}

void TFpreventivo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) FormActivate();
}

namespace {

bool picks_the_logo(const QEvent& event) {
  if (event.type() == QEvent::MouseButtonDblClick) return true;
  if (event.type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent&>(event).key();
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

}  // namespace

bool TFpreventivo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && picks_the_logo(*event)) {
    Image1DblClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFpreventivo::FormActivate() {
  refill_pick_list();
  show_form(load_quote_header_form(user_decimal_separator()));
}

void TFpreventivo::refill_pick_list() {
  const QString typed = ComboBox1->currentText();
  ComboBox1->clear();
  for (const Tcliente& customer : Customers) ComboBox1->addItem(qtext(customer.name));
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setEditText(typed);
}

void TFpreventivo::show_form(const QuoteHeaderForm& form) {
  customer_edits().show(form.customer);
  for (const QuoteTextRow& row : kQuoteTextRows) (this->*row.edit)->setText(qtext(form.*row.field));
  for (int k = 0; k < 4; ++k) discount_edit(k)->setText(qtext(form.discounts[static_cast<std::size_t>(k)]));
  logo_source_path_ = form.logo_source_path;
  show_logo();
  show_lines(StringGrid1, form.header_lines);
  show_lines(StringGrid2, form.more_lines);
  Edit18->setText(qtext(form.currency));
}

QuoteHeaderForm TFpreventivo::read_form() const {
  QuoteHeaderForm form;
  form.customer = customer_edits().customer();
  for (const QuoteTextRow& row : kQuoteTextRows) form.*row.field = (this->*row.edit)->text().toStdString();
  for (int k = 0; k < 4; ++k) form.discounts[static_cast<std::size_t>(k)] = discount_edit(k)->text().toStdString();
  form.logo_source_path = logo_source_path_;
  read_lines(StringGrid1, form.header_lines);
  read_lines(StringGrid2, form.more_lines);
  form.currency = Edit18->text().toStdString();
  return form;
}

void TFpreventivo::show_logo() {
  QPixmap picture(qtext(logo_source_path_));
  if (picture.isNull()) {
    Image1->clear();
    return;
  }
  Image1->setPixmap(picture.scaled(kLogoSize - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TFpreventivo::BitBtn1Click() {
  const int result = apply_quote_header_form(read_form(), user_decimal_separator());
  if (result >= 0) {  // the discount refused
    discount_edit(result)->setFocus();
    discount_edit(result)->selectAll();
  }
  if (result == kQuoteHeaderStored) accept();
}

void TFpreventivo::SpeedButton1Click() { Edit10->setText(QDate::currentDate().toString("dd/MM/yyyy")); }

void TFpreventivo::ComboBox1Change(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= Customers.size()) return;
  customer_edits().show(Customers[static_cast<std::size_t>(index)]);
}

void TFpreventivo::Btn_UtentiClick() {
  add_customer(customer_edits().customer(), [this] { refill_pick_list(); });
}

void TFpreventivo::Image1DblClick() {
  std::string path = logo_source_path_;
  if (!ui().ask_open_file_name("Logo", "Pictures (*.bmp *.png *.jpg *.jpeg *.gif)", path)) return;
  // Refused at once, so the user can pick another; OK would refuse it again.
  if (std::string refusal = logo_refusal(path); !refusal.empty()) {
    ui().show_message(refusal);
    return;
  }
  logo_source_path_ = path;
  show_logo();
}

void TFpreventivo::SpeedButton2Click() {
  if (!open_customers) return;
  open_customers();
  // The register may have changed under the pick list; what is typed stays.
  refill_pick_list();
}
