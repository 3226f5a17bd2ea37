#include "editor/main/placeholder_windows.h"

#include <QVBoxLayout>

#include "editor/main/qt_lang_text.h"
#include "model/text/lang_text.h"

namespace {}  // namespace

PlaceholderDialog::PlaceholderDialog(QWidget* parent, const char* caption, int caption_text)
    : QDialog(parent), caption_text_(caption_text) {
  setWindowTitle(QString::fromUtf8(caption));
}

void PlaceholderDialog::apply_language() {
  if (caption_text_ >= 0) setWindowTitle(qt_lang_text(caption_text_));
}

TF3d::TF3d(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Vista 3D");
  MainMenu1 = new QMenuBar(this);
  Immagine1 = MainMenu1->addMenu("Immagine");
  Salvasufile1 = Immagine1->addAction("Salva su file");
  Stampa1 = Immagine1->addAction("Stampa...");
  Immagine1->addSeparator();
  imm1 = Immagine1->addAction("Preventivo");
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(MainMenu1);
}

void TF3d::apply_language() {
  setWindowTitle(qt_lang_text(103));
  Immagine1->setTitle(qt_lang_text(175));
  Salvasufile1->setText(qt_lang_text(176));
  Stampa1->setText(qt_lang_text(177) + "...");
  imm1->setText(qt_lang_text(230));
}

void TF3d::genera_3d(Tcell) {}
