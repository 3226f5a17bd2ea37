// Stand-ins for the windows whose contents are still to be built: each is the
// window's one instance with its built-in caption (and, where the language
// routine re-captions it, its translated caption), so that the registry can
// create every window in order and the main window's commands can open them.
// A real window replaces its class here when it is built.
#pragma once

#include <QDialog>

#include "model/text/translated_window.h"

// A dialog with a built-in Italian caption; caption_text >= 0 names the
// translated caption.
class PlaceholderDialog : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  PlaceholderDialog(QWidget* parent, const char* caption, int caption_text);
  void apply_language() override;

 private:
  int caption_text_;
};

class TForm2 : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent);
  int Tag = -1;  // the wall the door goes into
};

class TFclienti : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFclienti(QWidget* parent);
};

class TFcopia_cella : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFcopia_cella(QWidget* parent);
};

class TFripiani : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFripiani(QWidget* parent);
};

class TFpreventivo : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFpreventivo(QWidget* parent);
};

class TFforza : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFforza(QWidget* parent);
  int Tag = -1;  // the wall whose lengths are forced
};

class TFprezzi : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFprezzi(QWidget* parent);
};

class TFmodulo_aggiunto : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFmodulo_aggiunto(QWidget* parent);
  // Fills the size lists from the catalogue; the lists come with the dialog.
  void fill_module_dialog() {}
};

class TFmail : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFmail(QWidget* parent);
  void apply_language() override;
};

class TFordinamento : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFordinamento(QWidget* parent);
};

class TFormTxt : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFormTxt(QWidget* parent);
};

class TFcorvane : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFcorvane(QWidget* parent);
  // Loads the kit lists of the compact line; the lists come with the dialog.
  void load_kit_lists() {}
};

class TFSelezioneKitCV : public PlaceholderDialog {
  Q_OBJECT
 public:
  explicit TFSelezioneKitCV(QWidget* parent);
};
