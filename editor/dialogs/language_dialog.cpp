#include "editor/dialogs/language_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QShowEvent>

#include "editor/guarded_connection.h"
#include "editor/screen_centring.h"
#include "editor/window_opening.h"
#include "model/state/globals.h"

namespace {

struct LanguageEntry {
  const char* caption;
  const char* flag;
};

// In language index order.
constexpr std::array<LanguageEntry, 8> kLanguages{{{"ITALIANO", "it"},
                                                   {"ENGLISH", "en"},
                                                   {"FRANÇAIS", "fr"},
                                                   {"DEUTSCH", "de"},
                                                   {"ESPAÑOL", "es"},
                                                   {"DUTCH", "nl"},
                                                   {"CZECH", "cz"},
                                                   {"POLSKY", "pl"}}};

QLabel* bold_label(const char* text) {
  auto* label = new QLabel(text);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

TFlingua::TFlingua(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(AppTitle));
  // Minimise and maximise, no close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
  auto* layout = new QGridLayout(this);
  Label1 = bold_label("PLEASE SELECT");
  Label2 = bold_label("YOUR LANGUAGE");
  // The flags and names in the middle columns, kept together when the window
  // is wider than they are.
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(3, 1);
  layout->addWidget(Label1, 0, 0, 1, 4);
  layout->addWidget(Label2, 1, 0, 1, 4);
  for (std::size_t i = 0; i < kLanguages.size(); ++i) {
    images[i] = new QLabel;
    images[i]->setPixmap(QIcon(QString(":/flags/%1.svg").arg(kLanguages[i].flag)).pixmap(36, 24));
    radio_buttons[i] = new QRadioButton(QString::fromUtf8(kLanguages[i].caption));
    radio_buttons[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    int row = static_cast<int>(i) + 2;
    layout->addWidget(images[i], row, 1);
    layout->addWidget(radio_buttons[i], row, 2);
  }
  BitBtn1 = new QPushButton("OK");
  layout->addWidget(BitBtn1, 10, 0, 1, 4, Qt::AlignCenter);
  guarded_connect(BitBtn1, &QPushButton::clicked, this, &TFlingua::BitBtn1Click);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  centre_on_screen_when_shown(*this, Centring::every_show);
}

void TFlingua::BitBtn1Click() {
  Tag = -1;
  for (std::size_t i = 0; i < radio_buttons.size(); ++i) {
    if (radio_buttons[i]->isChecked()) Tag = static_cast<int>(i);
  }
  if (Tag > -1) accept();
}

void TFlingua::showEvent(QShowEvent* event) {
  if (opens_the_window(*event)) {
    Tag = -1;
    for (QRadioButton* button : radio_buttons) {
      // An exclusive button cannot be unchecked while it is the checked one.
      button->setAutoExclusive(false);
      button->setChecked(false);
      button->setAutoExclusive(true);
    }
  }
  QDialog::showEvent(event);
}

// Esc would close the dialog without a language.
void TFlingua::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void TFlingua::closeEvent(QCloseEvent* event) {
  if (Tag < 0) event->ignore();
}
