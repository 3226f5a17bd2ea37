#include "editor/output_windows/print_window.h"

#include <cxxabi.h>

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "editor/enter_presses.h"
#include "editor/guarded_connection.h"
#include "editor/output_windows/printer_sink.h"
#include "editor/qt_lang_text.h"
#include "editor/screen_centring.h"
#include "editor/scrolling_body.h"
#include "editor/window_opening.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"
#include "output/print/cell_pages.h"
#include "output/print/pdf_output.h"
#include "output/print/printer_output.h"
#include "output/print/render_driver.h"

namespace {

std::string class_name(const std::exception& error) {
  const char* mangled = typeid(error).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> plain(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return status == 0 && plain ? std::string(plain.get()) : std::string(mangled);
}

bool every_cell_has_picture() { return std::all_of(Cells.begin(), Cells.end(), has_picture); }

QLabel* bold_label(QWidget* parent, Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

}  // namespace

std::string pdf_error_message(const std::exception& error) {
  return class_name(error) + " error raised, with message : " + error.what();
}

TFstampa::TFstampa(QWidget* parent) : QDialog(parent) {
  build_controls();
  connect_handlers();
  setWindowTitle("Stampa");
  centre_on_screen_when_shown(*this, Centring::every_show);
}

void TFstampa::build_controls() {
  setWindowFlags(windowFlags() | Qt::MSWindowsFixedSizeDialogHint);
  Image1 = new QLabel(this);
  Image1->setFixedSize(page_.preview_size);
  Image1->setFrameShape(QFrame::NoFrame);
  Image1->setStyleSheet("background: white");

  GroupBox1 = new QGroupBox("Preventivo", this);
  CheckBox1 = new QCheckBox("Preventivo", GroupBox1);
  CheckBox1->setChecked(true);
  Btn_doc = new QPushButton("Intestazione...", GroupBox1);
  Btn_Utenti = new QPushButton("Clienti...", GroupBox1);
  auto* quote_layout = new QGridLayout(GroupBox1);
  quote_layout->addWidget(CheckBox1, 0, 0, 1, 2);
  quote_layout->addWidget(Btn_doc, 1, 0);
  quote_layout->addWidget(Btn_Utenti, 1, 1);

  GroupBox2 = new QGroupBox("Disegno celle", this);
  CheckBox3 = new QCheckBox("Disegno celle...", GroupBox2);
  CheckBox3->setChecked(true);
  CheckBox2 = new QCheckBox("Descrizione estesa", GroupBox2);
  CheckBox2->setChecked(true);
  CheckBox4 = new QCheckBox("Immagine 3D...", GroupBox2);
  Label1 = new QLabel("Righe", GroupBox2);
  Label2 = new QLabel("Colonne", GroupBox2);
  Label10 = new QLabel("X", GroupBox2);
  SpinEdit1 = new QSpinBox(GroupBox2);
  SpinEdit2 = new QSpinBox(GroupBox2);
  for (QSpinBox* spin : {SpinEdit1, SpinEdit2}) {
    spin->setRange(1, 10);
    spin->setValue(1);
    // Changed by the arrows only: every change renders the whole document again.
    if (auto* edit = spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
  }
  auto* drawing_layout = new QGridLayout(GroupBox2);
  drawing_layout->addWidget(CheckBox3, 0, 0, 1, 3);
  drawing_layout->addWidget(CheckBox2, 1, 0, 1, 3);
  drawing_layout->addWidget(CheckBox4, 2, 0, 1, 3);
  drawing_layout->addWidget(Label1, 3, 0);
  drawing_layout->addWidget(Label2, 3, 2);
  drawing_layout->addWidget(SpinEdit1, 4, 0);
  drawing_layout->addWidget(Label10, 4, 1, Qt::AlignCenter);
  drawing_layout->addWidget(SpinEdit2, 4, 2);

  Panel1 = new QFrame(this);
  Panel1->setFrameShape(QFrame::StyledPanel);
  auto* summary_layout = new QGridLayout(Panel1);
  QLabel** labels[10] = {&Label4, &Label4_, &Label5, &Label5_, &Label6, &Label6_, &Label7, &Label7_, &Label8, &Label8_};
  for (int i = 0; i < 10; ++i) {
    *labels[i] = bold_label(Panel1, i % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    // Rows 0 and 1 are the gross total and the discount, row 2 the rule, the net total below it.
    summary_layout->addWidget(*labels[i], i / 2 < 2 ? i / 2 : i / 2 + 1, i % 2);
  }
  Bevel1 = new QFrame(Panel1);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  summary_layout->addWidget(Bevel1, 2, 0, 1, 2);
  summary_layout->setColumnStretch(0, 1);

  BitBtn2 = new QPushButton("<", this);
  BitBtn3 = new QPushButton(">", this);
  Label3 = new QLabel("Pagina", this);
  Label3->setAlignment(Qt::AlignCenter);
  BitBtn1 = new QPushButton("Stampa", this);
  BitBtn7 = new QPushButton("Pdf", this);
  BitBtn6 = new QPushButton("Excel", this);
  BitBtn5 = new QPushButton("Mail", this);
  BitBtn4 = new QPushButton("Chiudi", this);

  auto* paging = new QHBoxLayout;
  paging->addWidget(BitBtn2);
  paging->addWidget(Label3, 1);
  paging->addWidget(BitBtn3);
  auto* outputs = new QGridLayout;
  outputs->addWidget(BitBtn1, 0, 0);
  outputs->addWidget(BitBtn7, 0, 1);
  outputs->addWidget(BitBtn6, 1, 0);
  outputs->addWidget(BitBtn5, 1, 1);
  outputs->addWidget(BitBtn4, 2, 0, 1, 2);

  auto* side = new QVBoxLayout;
  side->addWidget(GroupBox1);
  side->addWidget(GroupBox2);
  side->addWidget(Panel1);
  side->addStretch(1);
  side->addLayout(paging);
  side->addLayout(outputs);

  auto* row = new QHBoxLayout;
  // The page scrolls on a screen too low for it; the buttons beside it stay.
  row->addWidget(new ScrollingBody(Image1), 0, Qt::AlignTop);
  row->addLayout(side);
  // In rows, as every window, so that a row as wide as the title can join them.
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // No default action: Enter on a check box or a number does not open the header.
  enter_presses_every_button(this);
}

void TFstampa::connect_handlers() {
  guarded_connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  guarded_connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  guarded_connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  guarded_connect(BitBtn4, &QPushButton::clicked, this, &QDialog::reject);
  guarded_connect(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
  guarded_connect(BitBtn6, &QPushButton::clicked, this, [this] { BitBtn6Click(); });
  guarded_connect(BitBtn7, &QPushButton::clicked, this, [this] { BitBtn7Click(); });
  guarded_connect(Btn_doc, &QPushButton::clicked, this, [this] { Btn_docClick(); });
  guarded_connect(Btn_Utenti, &QPushButton::clicked, this, [this] { Btn_UtentiClick(); });
  guarded_connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
  guarded_connect(CheckBox3, &QCheckBox::clicked, this, [this] { CheckBox3Click(); });
  guarded_connect(CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
  guarded_connect(CheckBox4, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
  guarded_connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] { SpinEdit1Change(); });
  guarded_connect(SpinEdit2, &QSpinBox::valueChanged, this, [this] { SpinEdit2Change(); });
}

void TFstampa::apply_language() {
  setWindowTitle(qt_lang_text(text::print));
  BitBtn4->setText(qt_lang_text(text::close));
  GroupBox1->setTitle(qt_lang_text(text::quote));
  CheckBox1->setText(qt_lang_text(text::quote_part));
  GroupBox2->setTitle(qt_lang_text(text::cell_drawings_group));
  CheckBox3->setText(qt_lang_text(text::cell_drawings));
  CheckBox2->setText(qt_lang_text(text::extended_description));
  CheckBox4->setText(qt_lang_text(text::picture_3d));
  Label1->setText(qt_lang_text(text::rows_per_page));
  Label2->setText(qt_lang_text(text::columns_per_page));
  BitBtn1->setText(qt_lang_text(text::print_button));
  Label3->setText(qt_lang_text(text::page));
  BitBtn5->setText(qt_lang_text(text::mail));
  Btn_doc->setToolTip(qt_lang_text(text::quote_header));
  Btn_Utenti->setToolTip(qt_lang_text(text::customer_register_hint));
}

PrintOptions TFstampa::read_options() const {
  PrintOptions options;
  options.quote_part = CheckBox1->isChecked();
  options.drawings_part = CheckBox3->isChecked();
  options.extended_description = CheckBox2->isChecked();
  options.pictures = CheckBox4->isChecked();
  options.rows = SpinEdit1->value();
  options.columns = SpinEdit2->value();
  return options;
}

PrintForm TFstampa::read_form() const { return {read_options(), !CheckBox4->isHidden()}; }

void TFstampa::show_form(const PrintForm& form) {
  // Showing the form is no click: the handlers stay silent.
  const QSignalBlocker blockers[] = {QSignalBlocker(CheckBox1), QSignalBlocker(CheckBox2), QSignalBlocker(CheckBox3),
                                     QSignalBlocker(CheckBox4), QSignalBlocker(SpinEdit1), QSignalBlocker(SpinEdit2)};
  const PrintOptions& options = form.options;
  CheckBox1->setChecked(options.quote_part);
  CheckBox3->setChecked(options.drawings_part);
  CheckBox2->setChecked(options.extended_description);
  CheckBox4->setChecked(options.pictures);
  SpinEdit1->setValue(options.rows);
  SpinEdit2->setValue(options.columns);
  CheckBox4->setVisible(form.pictures_offered);
}

void TFstampa::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) FormActivate();
}

void TFstampa::FormActivate() {
  page_.shown_page = 0;
  show_form(load_print_form(read_options(), every_cell_has_picture()));
  show_preview_page(0);
}

void TFstampa::rebuild_preview() {
  page_.options = read_options();
  build_preview(page_);
  const QuoteSummary& summary = page_.summary;
  QLabel* labels[10] = {Label4, Label4_, Label5, Label5_, Label6, Label6_, Label7, Label7_, Label8, Label8_};
  // Without the quote part the totals of the last quote drawn stay.
  if (page_.options.quote_part)
    for (int i = 0; i < 10; ++i) labels[i]->setText(qtext(summary[static_cast<std::size_t>(i)]));
}

void TFstampa::show_page(int n) {
  int count = preview_page_count(page_);
  page_.shown_page = std::clamp(n, 0, count - 1);
  Image1->setPixmap(QPixmap::fromImage(page_.preview_pages[static_cast<std::size_t>(page_.shown_page)]));
  setWindowTitle(qtext(lang_text(text::print) + " - " + lang_text(text::page) + " " +
                       std::to_string(page_.shown_page + 1) + "/" + std::to_string(count)));
}

void TFstampa::show_preview_page(int n) {
  rebuild_preview();
  show_page(n);
}

void TFstampa::BitBtn2Click() { show_page(page_.shown_page - 1); }

void TFstampa::BitBtn3Click() { show_page(page_.shown_page + 1); }

void TFstampa::CheckBox1Click() { show_preview_page(0); }

void TFstampa::CheckBox3Click() { show_preview_page(0); }

void TFstampa::CheckBox2Click() {
  PrintForm form = read_form();
  check_description_options(form);
  show_form(form);
  show_preview_page(page_.shown_page);
}

void TFstampa::SpinEdit1Change() {
  // The rebuild records where the drawings now begin.
  rebuild_preview();
  show_page(page_.first_drawing_page);
}

void TFstampa::SpinEdit2Change() {
  rebuild_preview();
  show_page(page_.first_drawing_page);
}

void TFstampa::ComboBox1Change() { show_preview_page(0); }

void TFstampa::BitBtn1Click() {
  QPrinter printer;
  printer.setResolution(kPrinterDpi);
  int pages = preview_page_count(page_);
  QPrintDialog dialog(&printer, this);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange);
  dialog.setMinMax(1, pages);
  dialog.setFromTo(1, pages);
  if (dialog.exec() != QDialog::Accepted) return;
  PageRange range;
  range.all = printer.printRange() != QPrinter::PageRange;
  range.from = printer.fromPage();
  range.to = printer.toPage();
  QPrinterSink sink(printer);
  print_document(page_, sink, range);
}

void TFstampa::BitBtn7Click() {
  std::string path = user_path("preventivo_mail.pdf");
  try {
    make_pdf(page_, path, true);
    ui().open_with_desktop(path);
  } catch (const std::exception& error) {
    ui().show_message(pdf_error_message(error));
  }
}

void TFstampa::run_dialog_hook(const std::function<void()>& hook) {
  if (!hook) return;
  hook();
  // Back from a dialog of its own, the window shows the document afresh.
  FormActivate();
}

void TFstampa::Btn_docClick() { run_dialog_hook(open_quote_header); }

void TFstampa::Btn_UtentiClick() { run_dialog_hook(open_customers); }

void TFstampa::BitBtn5Click() { run_dialog_hook(open_mail); }

void TFstampa::BitBtn6Click() {
  if (export_spreadsheet) export_spreadsheet();
}
