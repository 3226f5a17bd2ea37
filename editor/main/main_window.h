// The main window: tool bar, menus, the plan, the side panel, the cell tabs
// and the status bar. Its handlers are the program's commands; each reads its
// control and calls a command of model/commands/ (handing it the dialog to
// show, when the command shows one) or opens a window; an edit is ended by
// the command alone.
#pragma once

#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/text/translated_window.h"

class PlanView;
class QScrollArea;
class QWheelEvent;
class SidePanel;

class TMain : public QMainWindow, public TranslatedWindow {
  Q_OBJECT

 public:
  explicit TMain(QWidget* parent = nullptr);

  void apply_language() override;
  // Shows or hides the controls of the compact-shelving line and the fill
  // button of the company's market.
  void show_product_controls();
  void refresh_side_panel();
  // Fits the plan to its view; a fit made while the window is hidden is made
  // again once the window has the size it opens at.
  void fit_plan_to_view(int margin);
  void reset_cell_tabs(const std::vector<std::string>& names, int selected);
  // ToolButtonN by its number; nullptr for a number the tool bar lacks.
  QAction* tool_button(int number) const;

  QToolBar* ToolBar1;
  PlanView* PaintBox1;
  SidePanel* Panel1;
  QTabBar* TabControl1;
  QMenu* PopupMenu1;
  QAction* Nuovacella1;
  QAction* Rinomina1;
  QAction* Elimina1;
  QAction* Ordinamentocelle1;
  QLabel* StatusPanel0;  // the status bar's one panel
  QProgressBar* ProgressBar1;

  QMenu* File1;
  QAction* Export2D1;
  QAction* Export3D1;
  QAction* Import1;
  QAction* Exit1;
  QMenu* Preferenze1;
  QAction* Opzioni1;
  QMenu* PrezzieCodici1;
  QAction* abellaPrezzieCodici1;
  QMenu* Help1;
  QAction* Help2;
  QAction* About1;
  QMenu* Tarvo1;
  QAction* salvasoloitaliano1;
  QAction* Salvalinguefinte1;
  QMenu* Dati1;
  QAction* Modificadati1;

  // The developer's controls, never shown: the project file list (its mask in
  // the property "Mask"), a memo, the translation file writers (Button1,
  // Button2), the wall priority list (Button3), a picture dialog and the
  // alignment menu, which has no handlers.
  QListWidget* FileListBox1;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QMenu* PopupMenu2;
  // Made when first asked for: a file dialog takes a tenth of a second to
  // build, and nothing opens this one.
  QFileDialog* OpenPictureDialog1();

  // Tool bar commands.
  void ToolButton21Click();
  void ToolButton18Click();
  void ToolButton3Click();
  void ToolButton20Click();
  void ToolButton24Click();
  void ToolButton28Click();
  void ToolButton1Click();
  void ToolButton19Click();
  void ToolButton8Click();
  void ToolButton13Click();
  void ToolButton22Click();
  // Menu commands.
  void Import1Click();
  void Opzioni1Click();
  void abellaPrezzieCodici1Click();
  void About1Click();
  void Modificadati1Click();
  void Nuovacella1Click();
  void Ordinamentocelle1Click();
  void Button3Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The window-wide wheel and keys: while the main window is active the wheel
  // zooms the plan wherever the pointer is but over a side panel that
  // scrolls, which it scrolls, and the plan's keys (arrows, Enter, Delete,
  // Esc) act before the focused control sees them, unless the menus have the
  // keyboard (after Alt or F10). F10 opens the first menu.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_tool_bar();
  void build_menus();
  void build_cell_tabs();
  void build_hidden_controls(QWidget* central);
  QAction* add_tool_button(int number, const char* icon, void (TMain::*handler)());
  void refit_plan_on_showing();
  void open_first_menu();
  bool scroll_side_panel(const QWheelEvent& wheel);

  std::map<int, QAction*> tool_buttons_;
  QScrollArea* panel_area_ = nullptr;
  QFileDialog* picture_dialog_ = nullptr;
  QAction* ToolButton12 = nullptr;     // the divider shown with the compact-line buttons
  std::optional<int> fit_on_showing_;  // the margin of a fit made while hidden
};
