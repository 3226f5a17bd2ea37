#include "editor/output_windows/quote_header_dialog.h"

#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/output_windows/customer_edits.h"
#include "editor/output_windows/window_helpers.h"
#include "editor/scrolling_body.h"
#include "editor/text_bounds.h"
#include "editor/window_opening.h"
#include "model/base/text_io.h"
#include "model/quote/customer_register.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

constexpr QSize kLogoSize(180, 90);

QTableWidget* line_grid(QWidget* parent, int rows) {
  auto* grid = new QTableWidget(rows, 1, parent);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->setFixedHeight(rows * 20 + 2 * grid->frameWidth());
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // One stop on the way through the window: the arrows move between the lines.
  grid->setTabKeyNavigation(false);
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

  const char* captions[] = {"Nome", "Indirizzo", "Cap", "Città", "Prov.", "Nazione", "Tel.", "Fax", "E-mail"};
  QLabel** labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label10, &Label6, &Label7, &Label8};
  QLineEdit** edits[] = {nullptr, &Edit2, &Edit3, &Edit4, &Edit5, &Edit9, &Edit6, &Edit7, &Edit8};
  auto* grid = new QGridLayout(GroupBox1);
  for (int k = 0; k < 9; ++k) {
    *labels[k] = new QLabel(QString::fromUtf8(captions[k]), GroupBox1);
    grid->addWidget(*labels[k], k, 0);
    if (k == 0) continue;
    *edits[k] = new QLineEdit(GroupBox1);
    grid->addWidget(*edits[k], k, 1, 1, 3);
  }
  grid->addWidget(ComboBox1, 0, 1);
  grid->addWidget(Btn_Utenti, 0, 2);
  grid->addWidget(SpeedButton2, 0, 3);
  grid->setColumnStretch(1, 1);
  Label24 = new QLabel("Note", GroupBox1);
  Memo1 = new QPlainTextEdit(GroupBox1);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setTabChangesFocus(true);
  Memo1->setFixedHeight(70);
  grid->addWidget(Label24, 9, 0, Qt::AlignTop);
  grid->addWidget(Memo1, 9, 1, 1, 3);
  customer_edits().bound_texts();
  return GroupBox1;
}

QGroupBox* TFpreventivo::build_quote_box() {
  GroupBox2 = new QGroupBox("Preventivo", this);
  Label9 = new QLabel("Data", GroupBox2);
  Label11 = new QLabel("Num", GroupBox2);
  Label12 = new QLabel("From", GroupBox2);
  Label13 = new QLabel("Rif_cliente", GroupBox2);
  Label17 = new QLabel("Disegno", GroupBox2);
  Label14 = new QLabel("Note", GroupBox2);
  Label16 = new QLabel("sconti", GroupBox2);
  for (QLineEdit** edit :
       {&Edit10, &Edit11, &Edit12, &Edit13, &Edit1, &Edit14, &Edit15, &Edit16, &Edit17, &Edit19, &Edit20})
    *edit = new QLineEdit(GroupBox2);
  // The quote's texts are the project file's short strings.
  for (QLineEdit* edit : {Edit10, Edit11, Edit12, Edit13, Edit1, Edit14, Edit15})
    bound_text_bytes(edit, kShortStringBytes);
  SpeedButton1 = tool_button(GroupBox2, QStyle::SP_BrowserReload);

  auto* grid = new QGridLayout(GroupBox2);
  auto* date_row = new QHBoxLayout;
  date_row->addWidget(Edit10, 1);
  date_row->addWidget(SpeedButton1);
  grid->addWidget(Label9, 0, 0);
  grid->addLayout(date_row, 0, 1);
  QLabel* labels[] = {Label11, Label12, Label13, Label17};
  QLineEdit* edits[] = {Edit11, Edit12, Edit13, Edit1};
  for (int k = 0; k < 4; ++k) {
    grid->addWidget(labels[k], k + 1, 0);
    grid->addWidget(edits[k], k + 1, 1);
  }
  grid->addWidget(Label14, 5, 0);
  grid->addWidget(Edit14, 5, 1);
  grid->addWidget(Edit15, 6, 1);

  // The discounts apply one after the other: "a + b + c + d %".
  auto* discounts = new QHBoxLayout;
  for (int k = 0; k < 4; ++k) {
    discount_edit(k)->setFixedWidth(52);
    discounts->addWidget(discount_edit(k));
    discounts->addWidget(new QLabel(k < 3 ? "+" : "%", GroupBox2));
  }
  discounts->addStretch(1);
  grid->addWidget(Label16, 7, 0);
  grid->addLayout(discounts, 7, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(8, 1);
  return GroupBox2;
}

QGroupBox* TFpreventivo::build_company_box() {
  GroupBox3 = new QGroupBox("Azienda", this);
  Label23 = new QLabel("Logo", GroupBox3);
  Image1 = new QLabel(GroupBox3);
  Image1->setFixedSize(kLogoSize);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setFrameShape(QFrame::StyledPanel);
  Image1->installEventFilter(this);
  Label20 = new QLabel("Intestazione", GroupBox3);
  StringGrid1 = line_grid(GroupBox3, 4);
  Label21 = new QLabel("Altre righe", GroupBox3);
  StringGrid2 = line_grid(GroupBox3, 10);
  Label22 = new QLabel("Valuta", GroupBox3);
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
  BitBtn1->setAutoDefault(false);
  BitBtn2->setAutoDefault(false);

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
  // From the last field Tab goes on to OK and Cancel.
  setTabOrder(Edit18, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  resize(860, 640);
}

void TFpreventivo::connect_handlers() {
  connect(BitBtn1, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
  connect(SpeedButton2, &QToolButton::clicked, this, guarded([this] { SpeedButton2Click(); }));
  connect(Btn_Utenti, &QToolButton::clicked, this, guarded([this] { Btn_UtentiClick(); }));
  connect(ComboBox1, &QComboBox::activated, this, [this](int index) { guarded([&] { ComboBox1Change(index); })(); });
}

void TFpreventivo::apply_language() {
  setWindowTitle(qtext(lang_text(text::quote_header)));
  GroupBox1->setTitle(qtext(lang_text(text::customer)));
  GroupBox2->setTitle(qtext(lang_text(text::quote)));
  GroupBox3->setTitle(qtext(lang_text(text::company)));
  QLabel* labels[] = {Label20, Label21, Label22, Label23, Label1,  Label2,  Label3,  Label4,  Label5,  Label10, Label6,
                      Label7,  Label8,  Label24, Label9,  Label11, Label12, Label13, Label14, Label16, Label17};
  const int texts[] = {text::header_lines,
                       text::further_lines,
                       text::currency,
                       text::logo,
                       text::customer_name,
                       text::customer_address,
                       text::customer_postcode,
                       text::customer_city,
                       text::customer_province,
                       text::customer_country,
                       text::customer_phone,
                       text::customer_fax,
                       text::customer_email,
                       text::quote_notes,
                       text::quote_date,
                       text::quote_number,
                       text::quote_sender,
                       text::customer_reference,
                       text::quote_notes,
                       text::discounts,
                       text::drawing};
  for (std::size_t k = 0; k < std::size(labels); ++k) labels[k]->setText(qtext(lang_text(texts[k])));
  Btn_Utenti->setToolTip(qtext(lang_text(text::add_to_register_hint)));
  SpeedButton2->setToolTip(qtext(lang_text(text::customer_register_hint)));
  SpeedButton1->setToolTip(qtext(lang_text(text::today_hint)));
  BitBtn2->setText(qtext(lang_text(text::cancel)));
}

CustomerEdits TFpreventivo::customer_edits() const {
  return {{ComboBox1->lineEdit(), Edit2, Edit3, Edit4, Edit5, Edit9, Edit6, Edit7, Edit8}, Memo1};
}

QLineEdit* TFpreventivo::discount_edit(int k) const {
  QLineEdit* edits[] = {Edit16, Edit17, Edit19, Edit20};
  return edits[k];
}

void TFpreventivo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) guarded([this] { FormActivate(); })();
}

bool TFpreventivo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && event->type() == QEvent::MouseButtonDblClick) {
    guarded([this] { Image1DblClick(); })();
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
  QLineEdit* texts[] = {Edit10, Edit11, Edit12, Edit13, Edit1, Edit14, Edit15};
  const std::string* values[] = {&form.date,    &form.number, &form.from, &form.customer_ref,
                                 &form.drawing, &form.note1,  &form.note2};
  for (std::size_t k = 0; k < std::size(texts); ++k) texts[k]->setText(qtext(*values[k]));
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
  const QLineEdit* texts[] = {Edit10, Edit11, Edit12, Edit13, Edit1, Edit14, Edit15};
  std::string* values[] = {&form.date,    &form.number, &form.from, &form.customer_ref,
                           &form.drawing, &form.note1,  &form.note2};
  for (std::size_t k = 0; k < std::size(texts); ++k) *values[k] = texts[k]->text().toStdString();
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
