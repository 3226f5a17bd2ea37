// Stand-ins for the windows whose contents are still to be built: each is the
// window's one instance with its built-in caption (and, where the language
// routine re-captions it, its translated caption), so that the registry can
// create every window in order and the main window's commands can open them.
// A real window replaces its class here when it is built.
#pragma once

#include <QDialog>
#include <QMenuBar>

#include "model/state/records.h"
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

// The 3-D view window; until the view exists its rebuild builds nothing.
class TF3d : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TF3d(QWidget* parent);
  void apply_language() override;
  // Rebuilds the scene of the given cell (a copy) and repaints.
  void genera_3d(Tcell cell);

 private:
  QMenuBar* MainMenu1;
  QMenu* Immagine1;
  QAction* Salvasufile1;
  QAction* Stampa1;
  QAction* imm1;
};
