#include "editor/dialogs/forced_lengths_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "editor/dialogs/dialog_support.h"
#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "editor/window_opening.h"
#include "model/state/current_cell.h"
#include "model/text/text_numbers.h"

TFforza::TFforza(QWidget* parent) : QDialog(parent) {
  setObjectName("Fforza");
  setWindowTitle("Lunghezze forzate");
  ScrollBox1 = new QScrollArea;
  ScrollBox1->setWidgetResizable(true);
  ScrollBox1->setMinimumSize(260, 220);
  // The rows inside take the focus, the frame around them does not.
  ScrollBox1->setFocusPolicy(Qt::NoFocus);
  Label1 = new QLabel;
  Label2 = new QLabel;
  Label3 = new QLabel;
  BitBtn1 = ok_button(this);
  BitBtn3 = new QPushButton("Rimuovi");
  BitBtn2 = cancel_button(this, "Abbandona");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn3);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ScrollBox1, 1);
  layout->addWidget(Label1);
  layout->addWidget(Label2);
  layout->addWidget(Label3);
  layout->addLayout(buttons);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TFforza::BitBtn1Click);
  guarded_connect(BitBtn3, &QPushButton::clicked, this, &TFforza::BitBtn3Click);
  guarded_connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

// In the display unit, in the shortest general form whatever the chosen decimals.
QString TFforza::shown(double mm) { return short_number(mm / AppState.unit_factor); }

void TFforza::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opens_the_window(*event)) FormActivate();
}

void TFforza::FormActivate() {
  setWindowTitle(qt_lang_text(text::forced_lengths));
  BitBtn3->setText(qt_lang_text(text::forced_lengths_remove));
  form_ = forced_lengths_form(current_cell(), Tag);
  combos_.clear();
  labels_.clear();
  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  const Tcell& cell = current_cell();
  for (std::size_t i = 0; i < form_.choices.size(); ++i) {
    const double length = cell.walls[static_cast<std::size_t>(form_.wall)].modules[i].length;
    auto* label = new QLabel(QString("%1 (%2)").arg(i + 1).arg(shown(length)));
    auto* combo = new QComboBox;
    for (double catalogue : LengthList) combo->addItem(shown(catalogue));
    combo->setCurrentIndex(form_.choices[i]);
    guarded_connect(combo, &QComboBox::currentIndexChanged, this, [this, i](int index) {
      form_.choices[i] = index;
      ComboBoxChange();
    });
    grid->addWidget(label, static_cast<int>(i), 0);
    grid->addWidget(combo, static_cast<int>(i), 1);
    labels_.push_back(label);
    combos_.push_back(combo);
  }
  grid->setRowStretch(static_cast<int>(form_.choices.size()), 1);
  ScrollBox1->setWidget(rows);  // the rows of the last opening go with the old widget
  std::vector<QWidget*> order(combos_.begin(), combos_.end());
  order.insert(order.end(), {BitBtn1, BitBtn3, BitBtn2});
  tab_order(order);
  order.front()->setFocus();
  Label1->setText(qt_lang_text(text::forced_lengths_start_total) + ": " + shown(form_.start_total));
  ComboBoxChange();
}

void TFforza::ComboBoxChange() {
  const double total = forced_lengths_total(form_, current_cell());
  Label2->setText(qt_lang_text(text::forced_lengths_new_total) + ": " + shown(total));
  const double difference = total - form_.start_total;
  QColor colour = Label1->palette().color(QPalette::WindowText);
  if (difference > 0) colour = Qt::red;
  if (difference < 0) colour = Qt::blue;
  QPalette palette = Label3->palette();
  palette.setColor(QPalette::WindowText, colour);
  Label3->setPalette(palette);
  Label3->setText(qt_lang_text(text::forced_lengths_difference) + ": " + (difference > 0 ? "+" : "") +
                  shown(difference));
}

void TFforza::BitBtn1Click() {
  apply_forced_lengths(form_);
  accept();
}

void TFforza::BitBtn3Click() {
  remove_forced_lengths(form_.wall);
  accept();
}
