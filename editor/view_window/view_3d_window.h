// The shelving 3-D view window: the scene viewer showing the current cell,
// the mouse navigation round the camera's target, and the picture menu
// (save the frame as a bitmap file, print it, store every cell's picture for
// the printed quote). The camera, its target and the light are made once;
// each rebuild replaces only the shelving root. The window stays on top of
// the others, so every dialog and message it opens is its own, in front of it,
// and so is every modal window the program opens while it is shown; while
// one is open, the program's windows minimise and come back together, and
// otherwise the window minimises alone.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>
#include <string>

#include "model/base/records.h"
#include "model/text/translated_window.h"
#include "view3d/cell_scene.h"
#include "view3d/navigation.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPrinter;
class TGLCamera;
class TGLDummyCube;
class TGLExtrusionSolid;
class TGLLightSource;
class TGLStage;
class TGLStageViewer;
class TGLTeapot;

class TF3d : public QDialog, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TF3d(QWidget* parent = nullptr);
  ~TF3d() override;
  void apply_language() override;

  // Rebuilds the scene of the given cell (a copy) and repaints. A missing
  // part file stops the rebuild with the library's "File not found" error,
  // for the caller to show; what was placed before it stays in the view.
  void genera_3d(Tcell cell);
  // The rebuild every edit asks for while the window is open: the edit stands
  // whole, and a missing part file is said in front of the window once the
  // edit is done.
  void rebuild_after_edit(const Tcell& cell);

  // Takes the background from the preferences; the light follows the camera.
  void FormActivate();
  void Salvasufile1Click();
  void Stampa1Click();
  // Stores every cell's picture, on a white background, for the printed
  // quote; a cell whose scene cannot be built ends the command there.
  void imm1Click();

  // Saves the current frame as a 32-bit bitmap; ".bmp" is added when the name lacks it.
  void save_bitmap(const std::string& file_name);
  // The current frame on a white background, fitted to a landscape page of the printer.
  void print_frame(QPrinter& printer);

  TGLStageViewer& viewer() const { return *GLStageViewer1; }
  TGLDummyCube& shelving_root() const { return *DummyCube2; }
  TGLStage& stage() const { return *GLStage1; }
  NavigationRig rig();
  Navigation& navigation() { return navigation_; }
  // The text under the view naming why the last frame could not be drawn; empty when it was.
  QString failure_report() const;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // A frame rendered now, on a white background; the user's background is put back.
  QImage white_frame();
  void store_quote_pictures();
  void show_render_error();
  // Runs a command of the menu; a failure is said in front of the window.
  void run_command(const std::function<void()>& command);
  void show_message(const QString& text);

  std::unique_ptr<TGLStage> GLStage1;
  TGLLightSource* GLLightSource1 = nullptr;
  TGLTeapot* Teapot1 = nullptr;
  TGLExtrusionSolid* ExtrusionSolid1 = nullptr;
  TGLDummyCube* DummyCube1 = nullptr;
  TGLCamera* GLCamera1 = nullptr;
  TGLDummyCube* DummyCube2 = nullptr;
  TGLStageViewer* GLStageViewer1 = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QMenu* Immagine1 = nullptr;
  QAction* Salvasufile1 = nullptr;
  QAction* Stampa1 = nullptr;
  QAction* imm1 = nullptr;
  QLabel* failure_label_ = nullptr;

  CellSceneBuilder builder_;
  Navigation navigation_;
  std::string render_error_;
};
