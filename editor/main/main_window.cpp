#include "editor/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <initializer_list>

#include "editor/dialogs/about_box.h"
#include "editor/dialogs/added_module_dialog.h"
#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/catalogue_editor_window.h"
#include "editor/dialogs/cell_order_dialog.h"
#include "editor/dialogs/compact_dialog.h"
#include "editor/dialogs/kit_choice_dialog.h"
#include "editor/dialogs/new_cell_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/guarded_connection.h"
#include "editor/main/outer_size.h"
#include "editor/main/side_panel.h"
#include "editor/main/windows.h"
#include "editor/output_windows/customers_window.h"
#include "editor/output_windows/price_table_dialog.h"
#include "editor/output_windows/print_window.h"
#include "editor/plan/plan_editing.h"
#include "editor/plan/plan_view.h"
#include "editor/qt_lang_text.h"
#include "editor/screen_centring.h"
#include "editor/view_window/view_3d_window.h"
#include "model/commands/edit_mode_commands.h"
#include "model/commands/open_project.h"
#include "model/commands/project_commands.h"
#include "model/files/project_save.h"
#include "model/layout/compact_groups.h"
#include "model/layout/edit_modes.h"
#include "model/modules/compact_pair_check.h"
#include "model/modules/free_module_placement.h"
#include "model/quote/bill_of_materials.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/tool_buttons.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"
#include "output/dxf/dxf_export_command.h"

namespace {

// The tool buttons' hints by button number. The customer register's button
// is not among them: it keeps its built-in hint in every language.
constexpr std::pair<int, int> kToolHints[] = {{tool_button::new_project, text::new_project_tool_hint},
                                              {tool_button::archive, text::archive},
                                              {tool_button::save, text::save_tool_hint},
                                              {tool_button::save_as_new, text::save_as_new_tool_hint},
                                              {tool_button::outline, text::outline_tool_hint},
                                              {tool_button::select_walls, text::select_walls_tool_hint},
                                              {tool_button::undo, text::undo_tool_hint},
                                              {tool_button::redo, text::redo_tool_hint},
                                              {tool_button::zoom_in, text::zoom_in_tool_hint},
                                              {tool_button::zoom_out, text::zoom_out_tool_hint},
                                              {tool_button::fit_plan, text::fit_plan_tool_hint},
                                              {tool_button::select_modules, text::select_modules_tool_hint},
                                              {tool_button::view_3d, text::view_3d},
                                              {tool_button::print, text::print},
                                              {tool_button::free_module, text::free_module_tool_hint},
                                              {tool_button::align_horizontally, text::align_horizontally_tool_hint},
                                              {tool_button::align_vertically, text::align_vertically_tool_hint},
                                              {tool_button::compact_pair, text::compact_pair_tool_hint},
                                              {tool_button::compact_kit, text::compact_kit_tool_hint}};

// The side panel scrolls on a screen too low for it, rather than pushing the
// window's bottom off the screen.
QScrollArea* scrolling(SidePanel* panel) {
  auto* area = new QScrollArea;
  area->setFrameShape(QFrame::NoFrame);
  // The keys go to the controls in it: the area itself shows no focus.
  area->setFocusPolicy(Qt::NoFocus);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidgetResizable(true);
  area->setWidget(panel);
  // The panel keeps its width; the area grows by the scroll bar while it shows.
  QScrollBar* bar = area->verticalScrollBar();
  area->setFixedWidth(panel->minimumWidth());
  guarded_connect(bar, &QScrollBar::rangeChanged, area, [area, bar, panel](int, int most) {
    area->setFixedWidth(panel->minimumWidth() + (most > 0 ? bar->sizeHint().width() : 0));
  });
  return area;
}

}  // namespace

TMain::TMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Main");
  setWindowTitle(QString::fromStdString(AppTitle));
  setWindowIcon(QIcon(":/icons/program.svg"));
  centre_on_screen_when_shown(*this, Centring::every_show);
  AppState.debug = 0;
  build_tool_bar();
  build_menus();

  PaintBox1 = new PlanView;
  Panel1 = new SidePanel(nullptr);
  build_cell_tabs();
  auto* central = new QWidget;
  auto* rows = new QVBoxLayout(central);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  auto* plan_and_panel = new QHBoxLayout;
  plan_and_panel->setSpacing(0);
  plan_and_panel->addWidget(PaintBox1, 1);
  panel_area_ = scrolling(Panel1);
  plan_and_panel->addWidget(panel_area_);
  rows->addLayout(plan_and_panel, 1);
  rows->addWidget(TabControl1);
  build_hidden_controls(central);
  setCentralWidget(central);

  StatusPanel0 = new QLabel;
  StatusPanel0->setMinimumWidth(50);
  ProgressBar1 = new QProgressBar;
  ProgressBar1->setMaximumWidth(200);
  ProgressBar1->hide();
  statusBar()->addWidget(StatusPanel0);
  statusBar()->addPermanentWidget(ProgressBar1);
  guarded_connect(PaintBox1, &PlanView::status_text_changed, StatusPanel0, &QLabel::setText);
  open_at_outer_size(*this, QSize(1116, 755), [this] { refit_plan_on_showing(); });
  qApp->installEventFilter(this);
}

QAction* TMain::add_tool_button(int number, const char* icon, void (TMain::*handler)()) {
  QAction* action = ToolBar1->addAction(QIcon(QString(":/icons/%1.svg").arg(icon)), QString());
  action->setObjectName(QString("ToolButton%1").arg(number));
  if (handler) guarded_connect(action, &QAction::triggered, this, handler);
  tool_buttons_[number] = action;
  return action;
}

void TMain::build_tool_bar() {
  ToolBar1 = addToolBar("ToolBar1");
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(20, 20));
  add_tool_button(tool_button::new_project, "new_project", &TMain::ToolButton21Click);
  add_tool_button(tool_button::archive, "archive", &TMain::ToolButton18Click);
  guarded_connect(add_tool_button(tool_button::save, "save", nullptr), &QAction::triggered, this,
                  [] { save_project_asking(false); });
  guarded_connect(add_tool_button(tool_button::save_as_new, "save_new", nullptr), &QAction::triggered, this,
                  [] { save_project_asking(true); });
  ToolBar1->addSeparator();
  QAction* outline = add_tool_button(tool_button::outline, "outline", &TMain::ToolButton3Click);
  outline->setCheckable(true);
  // The plan shows the cross exactly while the outline button is down.
  guarded_connect(outline, &QAction::toggled, this,
                  [this](bool down) { PaintBox1->setCursor(down ? Qt::CrossCursor : Qt::ArrowCursor); });
  add_tool_button(tool_button::free_module, "free_module", &TMain::ToolButton20Click);
  ToolButton12 = ToolBar1->addSeparator();
  guarded_connect(add_tool_button(tool_button::align_horizontally, "align_h", nullptr), &QAction::triggered, this,
                  [] { align_selected_free_modules('H'); });
  guarded_connect(add_tool_button(tool_button::align_vertically, "align_v", nullptr), &QAction::triggered, this,
                  [] { align_selected_free_modules('V'); });
  add_tool_button(tool_button::compact_pair, "compact_pair", &TMain::ToolButton24Click);
  add_tool_button(tool_button::compact_kit, "compact_kit", &TMain::ToolButton28Click);
  ToolBar1->addSeparator();
  add_tool_button(tool_button::select_walls, "select_walls", &TMain::ToolButton1Click)->setCheckable(true);
  add_tool_button(tool_button::select_modules, "select_modules", &TMain::ToolButton19Click)->setCheckable(true);
  ToolBar1->addSeparator();
  guarded_connect(add_tool_button(tool_button::undo, "undo", nullptr), &QAction::triggered, this,
                  [] { step_undo(-1); });
  guarded_connect(add_tool_button(tool_button::redo, "redo", nullptr), &QAction::triggered, this,
                  [] { step_undo(+1); });
  tool_button(tool_button::undo)->setEnabled(false);
  tool_button(tool_button::redo)->setEnabled(false);
  ToolBar1->addSeparator();
  guarded_connect(add_tool_button(tool_button::zoom_in, "zoom_in", nullptr), &QAction::triggered, this,
                  [this] { PaintBox1->zoom_plan(0.1); });
  guarded_connect(add_tool_button(tool_button::zoom_out, "zoom_out", nullptr), &QAction::triggered, this,
                  [this] { PaintBox1->zoom_plan(-0.1); });
  guarded_connect(add_tool_button(tool_button::fit_plan, "fit", nullptr), &QAction::triggered, this, [this] {
    PaintBox1->fit_plan_to_view(10);
    PaintBox1->draw_plan();
  });
  ToolBar1->addSeparator();  // ToolButton17
  add_tool_button(tool_button::view_3d, "view_3d", &TMain::ToolButton8Click);
  add_tool_button(tool_button::print, "print", &TMain::ToolButton13Click);
  add_tool_button(tool_button::customers, "customers", &TMain::ToolButton22Click)->setToolTip("Clienti");
}

void TMain::build_menus() {
  // The top items in their fixed places: File, the developer's translation
  // writers, Dati, Preferenze, Prezzi e Codici, then Help. The two between
  // File and Preferenze stay hidden unless the optional sizes show Dati.
  QMenuBar* bar = menuBar();
  File1 = bar->addMenu("File");
  Export2D1 = File1->addAction("Export 2D", this, guarded_slot([] { run_dxf_export(false); }));
  Export3D1 = File1->addAction("Export 3D", this, guarded_slot([] { run_dxf_export(true); }));
  File1->addSeparator();
  Import1 = File1->addAction("Import", this, guarded_slot(this, &TMain::Import1Click));
  File1->addSeparator();
  Exit1 = File1->addAction("Exit", this, guarded_slot(this, &QWidget::close));
  Tarvo1 = bar->addMenu("Lingua (Tarvo)");
  salvasoloitaliano1 =
      Tarvo1->addAction("Salva solo italiano", this, guarded_slot([] { save_language_italian_only(); }));
  Salvalinguefinte1 =
      Tarvo1->addAction("Salva lingue \"finte\"", this, guarded_slot([] { save_language_placeholders(); }));
  Tarvo1->menuAction()->setVisible(false);
  Dati1 = bar->addMenu("Dati");
  Modificadati1 = Dati1->addAction("Modifica dati", this, guarded_slot(this, &TMain::Modificadati1Click));
  Dati1->menuAction()->setVisible(false);
  Preferenze1 = bar->addMenu("Preferenze");
  Opzioni1 = Preferenze1->addAction("Opzioni", this, guarded_slot(this, &TMain::Opzioni1Click));
  PrezzieCodici1 = bar->addMenu("Prezzi e Codici");
  abellaPrezzieCodici1 =
      PrezzieCodici1->addAction("Tabella Prezzi e Codici", this, guarded_slot(this, &TMain::abellaPrezzieCodici1Click));
  Help1 = bar->addMenu("Help");
  Help2 = Help1->addAction("Help", this, guarded_slot([] { open_help(); }));
  Help1->addSeparator();
  About1 = Help1->addAction("About...", this, guarded_slot(this, &TMain::About1Click));
}

void TMain::build_cell_tabs() {
  TabControl1 = new QTabBar;
  TabControl1->setShape(QTabBar::RoundedSouth);
  TabControl1->setExpanding(false);
  // A cell's name may run to a page of text: cut short on its tab, it leaves the others in view.
  TabControl1->setElideMode(Qt::ElideRight);
  TabControl1->addTab("Cella1");
  TabControl1->setContextMenuPolicy(Qt::CustomContextMenu);
  PopupMenu1 = new QMenu(this);
  Nuovacella1 = PopupMenu1->addAction("Nuova cella", this, guarded_slot(this, &TMain::Nuovacella1Click));
  Rinomina1 = PopupMenu1->addAction("Rinomina", this, guarded_slot([] { rename_current_cell(); }));
  Elimina1 = PopupMenu1->addAction("Elimina", this, guarded_slot([] { delete_current_cell(); }));
  Ordinamentocelle1 =
      PopupMenu1->addAction("Ordinamento celle", this, guarded_slot(this, &TMain::Ordinamentocelle1Click));
  guarded_connect(TabControl1, &QWidget::customContextMenuRequested, this,
                  [this](const QPoint& at) { PopupMenu1->popup(TabControl1->mapToGlobal(at)); });
  guarded_connect(TabControl1, &QTabBar::currentChanged, this, [](int index) { change_cell(index); });
}

void TMain::build_hidden_controls(QWidget* central) {
  FileListBox1 = new QListWidget(central);
  FileListBox1->setObjectName("FileListBox1");
  FileListBox1->setProperty("Mask", "prv*.cel");
  Memo1 = new QPlainTextEdit(central);
  Memo1->setObjectName("Memo1");
  Button1 = new QPushButton("Italiano", central);
  Button1->setObjectName("Button1");
  guarded_connect(Button1, &QPushButton::clicked, this, [] { save_language_italian_only(); });
  Button2 = new QPushButton("Tutte", central);
  Button2->setObjectName("Button2");
  guarded_connect(Button2, &QPushButton::clicked, this, [] { save_language_placeholders(); });
  Button3 = new QPushButton("Button3", central);
  Button3->setObjectName("Button3");
  guarded_connect(Button3, &QPushButton::clicked, this, &TMain::Button3Click);
  for (QWidget* control : std::initializer_list<QWidget*>{FileListBox1, Memo1, Button1, Button2, Button3})
    control->hide();
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  PopupMenu2->addAction("Allinea Moduli Orizzontalmente");
  PopupMenu2->addAction("Allinea Moduli Verticalmente");
}

QFileDialog* TMain::OpenPictureDialog1() {
  if (!picture_dialog_) {
    picture_dialog_ = new QFileDialog(this, QString(), QString(), "*.bmp *.jpg *.jpeg *.png");
    picture_dialog_->setObjectName("OpenPictureDialog1");
    picture_dialog_->setFileMode(QFileDialog::ExistingFile);
  }
  return picture_dialog_;
}

QAction* TMain::tool_button(int number) const {
  auto found = tool_buttons_.find(number);
  return found == tool_buttons_.end() ? nullptr : found->second;
}

void TMain::reset_cell_tabs(const std::vector<std::string>& names, int selected) {
  QSignalBlocker blocker(TabControl1);
  while (TabControl1->count() > 0) TabControl1->removeTab(0);
  for (const std::string& name : names) TabControl1->addTab(QString::fromStdString(name));
  TabControl1->setCurrentIndex(selected);
}

void TMain::refresh_side_panel() { Panel1->refresh_side_panel(); }

void TMain::fit_plan_to_view(int margin) {
  PaintBox1->fit_plan_to_view(margin);
  // Hidden, the window may not yet have the size it shows at: the frame that
  // settles it is known only once it is shown.
  if (!isVisible()) fit_on_showing_ = margin;
}

void TMain::refit_plan_on_showing() {
  if (!fit_on_showing_) return;
  PaintBox1->fit_plan_to_view(*fit_on_showing_);
  fit_on_showing_.reset();
  PaintBox1->draw_plan();
}

void TMain::apply_language() {
  Nuovacella1->setText(qt_lang_text(text::new_cell));
  Rinomina1->setText(qt_lang_text(text::rename_cell));
  Elimina1->setText(qt_lang_text(text::delete_cell));
  Ordinamentocelle1->setText(qt_lang_text(text::cell_order));
  Panel1->apply_language();
  for (auto [button, hint] : kToolHints) tool_button(button)->setToolTip(qt_lang_text(hint));
  File1->setTitle(qt_lang_text(text::file));
  Export2D1->setText(qt_lang_text(text::export_2d));
  Export3D1->setText(qt_lang_text(text::export_3d));
  Import1->setText(qt_lang_text(text::import_project));
  Exit1->setText(qt_lang_text(text::exit_program));
  Preferenze1->setTitle(qt_lang_text(text::preferences));
  Opzioni1->setText(qt_lang_text(text::options));
  PrezzieCodici1->setTitle(qt_lang_text(text::prices_and_codes));
  abellaPrezzieCodici1->setText(qt_lang_text(text::price_table_item));
  Dati1->menuAction()->setVisible(AppState.optional_sizes == 1);
}

void TMain::show_product_controls() {
  bool compact_line = AppState.product_switch == 1;
  for (int button : {tool_button::compact_pair, tool_button::compact_kit, tool_button::align_horizontally,
                     tool_button::align_vertically})
    tool_button(button)->setVisible(compact_line);
  ToolButton12->setVisible(compact_line);
  Panel1->show_product_controls();
}

void TMain::ToolButton21Click() { new_project(); }

void TMain::ToolButton18Click() { Fapri->exec(); }

void TMain::ToolButton3Click() { start_outline(); }

void TMain::ToolButton20Click() {
  end_edit_mode(true);
  if (!current_cell().walls.empty()) Fmodulo_aggiunto->exec();
}

void TMain::ToolButton24Click() {
  if (current_cell().walls.empty()) return;
  std::string message = check_compact_pair(AppState.current_cell);
  if (!message.empty()) {
    ui().show_message(message);
    return;
  }
  const SelectedPair pair = get_two_selected_modules(AppState.current_cell);
  Fcorvane->set_ends(pair.first, pair.second);
  Fcorvane->load_kit_lists();
  Fcorvane->exec();
}

void TMain::ToolButton28Click() {
  end_edit_mode(true);
  FSelezioneKitCV->exec();  // a kit chosen turns block placement on
}

// The two selection modes exclude each other; a second click leaves the mode.
void TMain::ToolButton1Click() {
  set_selection_mode(tool_button::select_walls, tool_button(tool_button::select_walls)->isChecked());
}

void TMain::ToolButton19Click() {
  set_selection_mode(tool_button::select_modules, tool_button(tool_button::select_modules)->isChecked());
}

void TMain::ToolButton8Click() {
  if (current_cell().walls.empty()) return;
  rebuild_derived_values();
  F3d->genera_3d(current_cell());
  F3d->show();
}

void TMain::ToolButton13Click() {
  rebuild_derived_values();
  build_bill_of_materials();
  Fstampa->exec();
}

void TMain::ToolButton22Click() { Fclienti->exec(); }

void TMain::Import1Click() { import_project_asking(); }

void TMain::Opzioni1Click() {
  edit_preferences([] { Fpreferenze->exec(); });
}

void TMain::abellaPrezzieCodici1Click() { Fprezzi->exec(); }

void TMain::About1Click() { FAbout->exec(); }

void TMain::Modificadati1Click() { Fdati->exec(); }

void TMain::Nuovacella1Click() {
  new_cell([this](const std::vector<std::string>& cell_names) {
    Fcopia_cella->prepare(TabControl1->tabText(TabControl1->currentIndex()).toStdString(), cell_names);
    Fcopia_cella->exec();
  });
}

void TMain::Button3Click() { show_wall_priorities(); }

void TMain::Ordinamentocelle1Click() {
  order_cells([] { Fordinamento->exec(); });
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::Wheel && type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  if (!isActiveWindow()) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  if (type == QEvent::Wheel) {
    const auto& wheel = *static_cast<QWheelEvent*>(event);
    // Never to the panel's lists and boxes: a value the wheel changed would change the room.
    if ((widget == panel_area_ || panel_area_->isAncestorOf(widget)) && scroll_side_panel(wheel)) return true;
    // Turning the wheel down zooms in.
    PaintBox1->zoom_plan(wheel.angleDelta().y() < 0 ? 0.1 : -0.1);
    return true;
  }
  // The plan's keys act whatever control has the focus. A key reaches the
  // filter once for every widget it is offered to, so only the event's first
  // stop, the focused widget, counts.
  if (widget != QApplication::focusWidget() && QApplication::focusWidget()) return false;
  // The menu bar has the keys after Alt, and gets those its open menu passes
  // on (Left, Right): they go along the menus, never to the plan.
  if (widget == menuBar()) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyPress && key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
    open_first_menu();
    return true;
  }
  if (type == QEvent::KeyPress) return plan_key_down(key->key(), key->modifiers());
  if (!key->isAutoRepeat()) plan_key_up(key->key());
  return false;
}

void TMain::open_first_menu() {
  for (QAction* item : menuBar()->actions()) {
    if (item->isVisible() && item->menu()) {
      menuBar()->setActiveAction(item);
      return;
    }
  }
}

// By as many lines a step of the wheel as Qt's own scroll areas.
bool TMain::scroll_side_panel(const QWheelEvent& wheel) {
  QScrollBar* bar = panel_area_->verticalScrollBar();
  if (bar->maximum() <= 0) return false;
  bar->setValue(bar->value() - wheel.angleDelta().y() * QApplication::wheelScrollLines() * bar->singleStep() / 120);
  return true;
}

void TMain::closeEvent(QCloseEvent* event) {
  if (!settle_modified_project()) {
    event->ignore();
    return;
  }
  F3d->close();
  event->accept();
}
