#include "editor/main/placeholder_windows.h"

#include "editor/main/qt_lang_text.h"
#include "model/text/lang_text.h"

PlaceholderDialog::PlaceholderDialog(QWidget* parent, const char* caption, int caption_text)
    : QDialog(parent), caption_text_(caption_text) {
  setWindowTitle(QString::fromUtf8(caption));
}

void PlaceholderDialog::apply_language() {
  if (caption_text_ >= 0) setWindowTitle(qt_lang_text(caption_text_));
}

TForm2::TForm2(QWidget* parent) : PlaceholderDialog(parent, "Porta", 15) {}
TFclienti::TFclienti(QWidget* parent) : PlaceholderDialog(parent, "Clienti", 60) {}
TFcopia_cella::TFcopia_cella(QWidget* parent) : PlaceholderDialog(parent, "Nuova cella", 0) {}
TFripiani::TFripiani(QWidget* parent) : PlaceholderDialog(parent, "Ripiani", 161) {}
TFpreventivo::TFpreventivo(QWidget* parent) : PlaceholderDialog(parent, "Preventivo", 111) {}
TFforza::TFforza(QWidget* parent) : PlaceholderDialog(parent, "Lunghezze forzate", -1) {}
TFprezzi::TFprezzi(QWidget* parent) : PlaceholderDialog(parent, "Prezzi e codici", 182) {}
TFmodulo_aggiunto::TFmodulo_aggiunto(QWidget* parent) : PlaceholderDialog(parent, "Modulo aggiunto", 183) {}
TFmail::TFmail(QWidget* parent) : PlaceholderDialog(parent, "Invia per e-mail", -1) {}
TFordinamento::TFordinamento(QWidget* parent) : PlaceholderDialog(parent, "Ordinamento celle", 215) {}
TFormTxt::TFormTxt(QWidget* parent) : PlaceholderDialog(parent, "Testo", -1) {}
TFcorvane::TFcorvane(QWidget* parent) : PlaceholderDialog(parent, "Scaffalature mobili", 183) {}
TFSelezioneKitCV::TFSelezioneKitCV(QWidget* parent) : PlaceholderDialog(parent, "Selezione kit", -1) {}

void TFmail::apply_language() { setWindowTitle(qt_lang_text(204) + " - " + qt_lang_text(212)); }
