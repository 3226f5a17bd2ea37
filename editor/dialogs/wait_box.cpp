#include "editor/dialogs/wait_box.h"

#include <QApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "editor/qt_lang_text.h"
#include "model/state/globals.h"
#include "model/text/text_numbers.h"

TFattendere::TFattendere(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel("Attendere prego", this)) {
  setWindowTitle(QString::fromStdString(AppTitle));
  setModal(false);
  Label1->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 20, 32, 20);
  layout->addWidget(Label1);
  setMinimumWidth(280);
}

void TFattendere::apply_language() {
  setWindowTitle(QString::fromStdString(AppTitle));
  Label1->setText(qt_lang_text(text::please_wait) + "...");
}

void TFattendere::show_now() {
  adjustSize();
  QRect area = parentWidget() ? parentWidget()->frameGeometry() : screen()->availableGeometry();
  move(area.center() - rect().center());
  show();
  raise();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
