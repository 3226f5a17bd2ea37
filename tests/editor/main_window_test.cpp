// Whole stories through the real windows: the first start, a project named on
// the command line, an edit typed into the side panel, the 3-D view that
// follows the edits while it is open, the help page, the keys the window leaves
// alone, its hidden controls and the cell tabs.
#include "editor/main/main_window.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "editor/dialog_answers.h"
#include "editor/dialogs/added_module_dialog.h"
#include "editor/dialogs/catalogue_editor_window.h"
#include "editor/dialogs/cell_order_dialog.h"
#include "editor/dialogs/kit_choice_dialog.h"
#include "editor/dialogs/language_dialog.h"
#include "editor/dialogs/new_cell_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/dialogs/wait_box.h"
#include "editor/main/side_panel.h"
#include "editor/main/startup.h"
#include "editor/main/windows.h"
#include "editor/message_boxes.h"
#include "editor/output_windows/customers_window.h"
#include "editor/output_windows/mail_dialog.h"
#include "editor/output_windows/print_window.h"
#include "editor/plan/plan_editing.h"
#include "editor/plan/plan_view.h"
#include "editor/plan/plan_zoom.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "editor/view_window/view_3d_window.h"
#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/commands/open_project.h"
#include "model/commands/project_commands.h"
#include "model/commands/side_panel_edits.h"
#include "model/files/project_file.h"
#include "model/layout/layout_engine.h"
#include "model/layout/shelf_patterns.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "scene3d/graph/dummy_cube.h"
#include "support/fresh_project_fixture.h"
#include "support/keyboard_walk.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"
#include "support/sample_project.h"
#include "support/user_decimal.h"

namespace {

std::vector<std::string> concatenated_paths(std::vector<std::string> paths, const std::vector<std::string>& more) {
  paths.insert(paths.end(), more.begin(), more.end());
  return paths;
}

class ProgramStart : public FreshProjectTest {
 protected:
  void SetUp() override { create_windows(); }
  void TearDown() override { destroy_windows(); }

  // Starts the program, answering each language question it asks with the
  // next of languages; an answer not needed is dropped with the start.
  bool start(const std::vector<int>& languages, const std::string& project = "") {
    std::size_t next = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, Flingua, [&] {
      if (!Flingua->isVisible() || next == languages.size()) return;
      Flingua->radio_buttons[static_cast<std::size_t>(languages[next++])]->setChecked(true);
      Flingua->BitBtn1->click();
    });
    answer.start(10);
    return initialise_program(project);
  }
  bool start(int language, const std::string& project = "") { return start(std::vector{language}, project); }

  StagedProgramDir folder;
};

// The program started with two rooms, "A" current, and the 3-D view shown on
// it; the rooms differ in their bays, so the scene's part count names its cell.
class ShownView : public ProgramStart {
 protected:
  void SetUp() override {
    ProgramStart::SetUp();
    ASSERT_TRUE(start(0));
    Cells = {first_cell(), first_cell()};
    lay_out_room(1, "B", 3, 6000);
    Cells[1].wall_thickness = 120;
    lay_out_room(0, "A", 2);
    reset_tabs_from_cells();
    push_undo_snapshot();
    Main->show();
    Main->tool_button(8)->trigger();
    ASSERT_EQ(shown_parts(), parts_of_room(2));
  }
  void TearDown() override {
    F3d->hide();
    Main->hide();
    ProgramStart::TearDown();
  }

  // A closed room 3 m deep whose first wall carries the bays.
  static void lay_out_room(int cell, const std::string& name, int bays, double width = 4000) {
    AppState.current_cell = cell;
    current_cell().name = name;
    current_cell().walls = walls_through({{0, 0}, {width, 0}, {width, 3000}, {0, 3000}});
    current_cell().outline_closed = true;
    compute_wall_normals();
    Tlinea& wall = current_cell().walls[0];
    wall.module_count = bays;
    wall.shelf_count = 4;
    wall.module_height = 1700;
    wall.module_depth = 475;
    recompute_layout();
  }
  // The walls, the bays and a frame on either side of each.
  static int parts_of_room(int bays) { return 1 + bays + (bays + 1); }
  static int shown_parts() { return F3d->shelving_root().Count(); }
  // Where each part of the view and each group of parts stands.
  static std::vector<std::array<float, 3>> shown_scene() {
    std::vector<std::array<float, 3>> places;
    add_places(F3d->shelving_root(), places);
    return places;
  }
  static void add_places(TGLBaseStageObject& group, std::vector<std::array<float, 3>>& places) {
    for (int i = 0; i < group.Count(); ++i) {
      const TVector4f at = group.Children(i)->AbsolutePosition();
      places.push_back({at.x, at.y, at.z});
      add_places(*group.Children(i), places);
    }
  }
  // The views show the current cell as it stands, derived: the 3-D button
  // builds the same scene afresh, its derivation changes nothing, and the
  // plan drawn again is the same.
  static bool shows_current_cell() {
    const auto shown = shown_scene();
    const QImage plan = Main->PaintBox1->plan_image();
    const Tcell cell = read_current_cell();
    Main->tool_button(8)->trigger();
    Main->PaintBox1->draw_plan();
    return shown_scene() == shown && read_current_cell() == cell && Main->PaintBox1->plan_image() == plan;
  }
  static QPoint on_screen(double x, double y) {
    const PlanView* plan = Main->PaintBox1;
    return plan_to_screen(view_transform(AppState, plan->width(), plan->height()), x, y);
  }
  static void click_in_plan(QPoint at) {
    const PlanView* plan = Main->PaintBox1;
    plan_mouse_move(Qt::NoButton, Qt::NoModifier, at.x(), at.y(), plan->width(), plan->height());
    plan_mouse_down(Qt::LeftButton, at.x(), at.y());
    plan_mouse_up(Qt::LeftButton);
  }
  // An ordinary free module, then a compact kit 2800 mm long on rails of
  // the middle class placed in the middle of the room as a user places one;
  // the mode left again.
  static void place_compact_kit() {
    AppState.product_switch = 1;
    const Tmodulo bay = current_cell().walls[0].modules[0];
    current_cell().free_modules = {make_free(1400, 1000, bay.width, bay.length, 'H')};
    answer_next<TFSelezioneKitCV>([](TFSelezioneKitCV* kit) {
      kit->ComboBox1->setCurrentIndex(1);
      kit->ComboBox2->setCurrentIndex(1);
      kit->BitBtn1->click();
    });
    Main->tool_button(28)->trigger();
    click_in_plan(on_screen(0, 0));
    plan_key_down(Qt::Key_Escape, Qt::NoModifier);
    ASSERT_EQ(current_cell().compact_groups.size(), 1u);
  }
  // The first fixed end of the compact group, by its index among the free modules.
  static std::size_t first_fixed_end() {
    const auto& modules = current_cell().free_modules;
    for (std::size_t i = 0; i < modules.size(); ++i)
      if (modules[i].code.starts_with("CVFISSO_")) return i;
    return modules.size();
  }
  // Two free modules of the current cell, selected, the view built with them.
  static void select_two_free_modules() {
    const Tmodulo bay = current_cell().walls[0].modules[0];  // of a size the price table has
    current_cell().free_modules = {make_free(1000, 1000, bay.width, bay.length, 'H'),
                                   make_free(2500, 1500, bay.width, bay.length, 'H')};
    for (Tmodulo_agg& module : current_cell().free_modules) {
      module.height = bay.height;
      module.shelf_count = bay.shelf_count;
      module.shelf_pattern = bay.shelf_pattern;
      module.selected = true;
    }
    const std::size_t places = shown_scene().size();
    F3d->genera_3d(current_cell());
    ASSERT_GT(shown_scene().size(), places) << "the view shows them";
  }
};

}  // namespace

TEST_F(ProgramStart, FirstStartAsksTheLanguageAndTranslatesEveryWindow) {
  ASSERT_TRUE(start(3));
  EXPECT_EQ(AppState.language, 3);
  EXPECT_FALSE(lang_text(39).empty());
  EXPECT_EQ(Main->TabControl1->count(), 1);
  EXPECT_EQ(Main->TabControl1->tabText(0).toStdString(), lang_text(39));
  EXPECT_EQ(Main->File1->title().toStdString(), lang_text(169));
  EXPECT_EQ(Main->tool_button(21)->toolTip().toStdString(), lang_text(108));
  EXPECT_EQ(Main->Panel1->Lb_S->text().toStdString(), lang_text(57) + " (mm)");
  EXPECT_EQ(Fclienti->windowTitle().toStdString(), lang_text(60));
  EXPECT_EQ(Fmail->windowTitle().toStdString(), lang_text(204) + " - " + lang_text(212));
  EXPECT_EQ(Fmail->Edit2->text().toStdString(), lang_text(208));
  EXPECT_TRUE(Fstampa->open_mail && Fstampa->export_spreadsheet) << "the print window reaches mail and spreadsheet";
  EXPECT_EQ(Fattendere->Label1->text().toStdString(), lang_text(214) + "...");
  EXPECT_EQ(Fdati->windowTitle().toStdString(), "Modifica dati");  // not translated
  // Controls outside the translated ones keep their built-in texts.
  EXPECT_EQ(Main->tool_button(22)->toolTip(), "Clienti");
  EXPECT_EQ(Fmail->BitBtn2->text(), "Annulla");
  EXPECT_GT(Main->Panel1->Cb_Hm_p->count(), 0);
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_FALSE(AppState.modified);
  EXPECT_EQ(Main->windowTitle().toStdString(), AppTitle);

  // The choice is stored: the next start asks nothing.
  destroy_windows();
  create_windows();
  AppState.language = -1;
  ASSERT_TRUE(initialise_program(""));
  EXPECT_EQ(AppState.language, 3);
}

TEST_F(ProgramStart, InchModeShowsInchesInTheLabelsAndSizeLists) {
  ASSERT_TRUE(start(1));
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  apply_language();
  EXPECT_EQ(Main->Panel1->Lb_muro->text().toStdString(), lang_text(59) + " (in)");
  ASSERT_FALSE(HeightList.empty());
  EXPECT_EQ(Main->Panel1->Cb_Hm_p->itemText(0).toStdString(), inch_text_height(HeightList[0]));
  EXPECT_EQ(Main->Panel1->Cb_Hm_p->itemData(0).toDouble(), HeightList[0]);
  EXPECT_EQ(Main->Panel1->Cb_Lm_m->itemText(0).toStdString(), inch_text(WidthList[0]));
}

TEST_F(ProgramStart, WithoutPreferencesTheProgramEnds) {
  std::filesystem::remove(folder.file("user/preferenze.dat"));
  std::filesystem::remove_all(folder.file("defaults"));
  MessageBoxCloser boxes;
  EXPECT_FALSE(initialise_program(""));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find("preferenze.dat"), std::string::npos);
}

TEST_F(ProgramStart, AProjectOnTheCommandLineOpensWithItsTabs) {
  Cells = {first_cell(), first_cell()};
  Cells[0].name = "Nord";
  Cells[1].name = "Sud";
  AppState.current_cell = 1;
  write_project_file(folder.file("user/prv00004.cel"), true);
  Cells.clear();

  ASSERT_TRUE(start(1, folder.file("user/prv00004.cel")));
  ASSERT_EQ(Main->TabControl1->count(), 2);
  EXPECT_EQ(Main->TabControl1->tabText(1).toStdString(), "Sud");
  EXPECT_EQ(Main->TabControl1->currentIndex(), 1);
  EXPECT_EQ(AppState.file_name, "");
  EXPECT_FALSE(AppState.modified);

  // A damaged project is reported and the first cell stays.
  destroy_windows();
  create_windows();
  folder.write("user/prv00005.cel", "damaged");
  MessageBoxCloser boxes;
  ASSERT_TRUE(initialise_program(folder.file("user/prv00005.cel")));
  EXPECT_EQ(Cells.size(), 1u);
  // The index now lists the file by its number, and says so; then the load fails.
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[0].find("prv00005.cel: its entry was missing"), std::string::npos) << boxes.texts[0];
  EXPECT_NE(boxes.texts[1].find("prv00005.cel"), std::string::npos) << boxes.texts[1];
}

TEST_F(ProgramStart, StartUpClearsTheTemporariesOfKilledSaves) {
  const auto an_hour_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::vector<std::string> killed = {folder.write("user/.prv00001.cel.123456.tmp", "killed save"),
                                     folder.write("user/.clienti.dat.9.tmp", "killed save")};
  std::vector<std::string> kept = {folder.write("user/.notes.txt.tmp", "not ours"),
                                   folder.write("user/prv00001.cel.77.tmp", "not ours either")};
  for (const std::string& path : concatenated_paths(killed, kept)) std::filesystem::last_write_time(path, an_hour_ago);
  const std::string running = folder.write("user/.list.dat.555.tmp", "a save still running");
  ASSERT_TRUE(start(1));
  for (const std::string& path : killed) EXPECT_FALSE(std::filesystem::exists(path)) << path;
  for (const std::string& path : kept) EXPECT_TRUE(std::filesystem::exists(path)) << path;
  EXPECT_TRUE(std::filesystem::exists(running));
}

TEST_F(ProgramStart, AnEmptyOrDamagedTranslationFileIsRefusedByItsName) {
  const std::string path = folder.file("data/lang.dat");
  write_scrambled_file(path, "");
  MessageBoxCloser boxes;
  EXPECT_FALSE(start(1));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find(path), std::string::npos) << boxes.texts[0];

  destroy_windows();
  create_windows();
  write_file_safely(path, "039IT Cella\r\n");  // plain text where the scrambled form belongs
  EXPECT_FALSE(start(1));
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[1].find(path), std::string::npos) << boxes.texts[1];
}

// A torn copy of the translation file (its first 40 %) would leave menus and
// labels blank; a line of the language without its number is damage: both
// are refused by the file's name, as an empty one is. The torn file serves no
// language, so the start stops; the damaged line costs English only, so the
// language is asked again.
TEST_F(ProgramStart, ATornTranslationFileOrALineWithoutItsNumberIsRefusedByItsName) {
  const std::string path = folder.file("data/lang.dat");
  const std::string shipped = read_scrambled_file(path);
  write_scrambled_file(path, shipped.substr(0, shipped.size() * 4 / 10));
  MessageBoxCloser boxes;
  EXPECT_FALSE(start(1));
  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(boxes.texts[0].find(path), std::string::npos) << boxes.texts[0];
  EXPECT_NE(boxes.texts[0].find("EN no text for"), std::string::npos) << boxes.texts[0];

  destroy_windows();
  create_windows();
  write_scrambled_file(path, "0x9EN Cell\r\n" + shipped);
  EXPECT_TRUE(start({1, 0}));
  ASSERT_EQ(boxes.texts.size(), 2u);
  EXPECT_NE(boxes.texts[1].find(path), std::string::npos) << boxes.texts[1];
  EXPECT_NE(boxes.texts[1].find("line 1: '0x9' is not a valid integer value"), std::string::npos) << boxes.texts[1];
  EXPECT_EQ(AppState.language, 0);
  EXPECT_EQ(read_scrambled_file(folder.file("user/preferenze.dat")).substr(0, 3), "0\r\n") << "the language stored";
}

// A save killed after the project file and before the index leaves the
// project out of the index; the start brings it back.
TEST_F(ProgramStart, AProjectTheIndexLacksIsInTheArchiveAfterTheStart) {
  Cells = {first_cell()};
  QuoteHeader = Tprv{};
  QuoteHeader.customer.name = "Rossi";
  write_project_file(folder.file("user/prv00003.cel"), true);
  write_file_safely(folder.file("user/list.dat"), "");
  MessageBoxCloser boxes;
  ASSERT_TRUE(start(1));
  ASSERT_EQ(ArchiveList.size(), 1u);
  EXPECT_EQ(ArchiveList[0].number, "00003");
  EXPECT_EQ(ArchiveList[0].customer, "Rossi");
  ASSERT_EQ(boxes.texts.size(), 1u) << "the user is told";
  EXPECT_NE(boxes.texts[0].find("prv00003.cel"), std::string::npos) << boxes.texts[0];
}

TEST_F(ProgramStart, AModuleCountTypedIntoThePanelLaysTheWallOut) {
  ASSERT_TRUE(start(0));
  Main->resize(1116, 755);
  select_first_wall_of_a_room();
  SidePanel* panel = Main->Panel1;
  ASSERT_TRUE(panel->Ed_Nm->isEnabled());

  Main->PaintBox1->fit_plan_to_view(10);
  Main->PaintBox1->draw_plan();
  QImage plan_before = Main->PaintBox1->plan_image();
  panel->Ed_Nm->clear();
  QTest::keyClicks(panel->Ed_Nm, "3x");  // the letter is refused
  QTest::keyClick(panel->Ed_Nm, Qt::Key_Return);
  EXPECT_EQ(Cells[0].walls[0].modules.size(), 3u);
  EXPECT_EQ(UndoHistory.size(), 3u);
  EXPECT_TRUE(AppState.modified);
  EXPECT_EQ(panel->Ed_Nm->text(), "3");
  EXPECT_EQ(panel->Cb_Hm_p->currentText(), with_user_decimal_separator("1700.0"));
  EXPECT_NE(Main->PaintBox1->plan_image(), plan_before);
  EXPECT_TRUE(Main->tool_button(5)->isEnabled());

  Main->tool_button(5)->trigger();  // undo
  EXPECT_TRUE(Cells[0].walls[0].modules.empty());
  EXPECT_TRUE(Main->tool_button(6)->isEnabled());
}

TEST_F(ProgramStart, The3dButtonShowsTheRoomAndEditsRebuildOnlyAVisibleView) {
  ASSERT_TRUE(start(0));
  select_first_wall_of_a_room();
  SidePanel* panel = Main->Panel1;
  auto type_module_count = [panel](const char* count) {
    panel->Ed_Nm->clear();
    QTest::keyClicks(panel->Ed_Nm, count);
    QTest::keyClick(panel->Ed_Nm, Qt::Key_Return);
  };
  type_module_count("2");
  EXPECT_EQ(F3d->shelving_root().Count(), 0);  // hidden: not built

  Main->tool_button(8)->trigger();
  EXPECT_TRUE(F3d->isVisible());
  const int shown = F3d->shelving_root().Count();  // the walls, two bays and their frames
  EXPECT_EQ(shown, 1 + 2 + 3);
  type_module_count("3");
  EXPECT_EQ(F3d->shelving_root().Count(), 1 + 3 + 4);

  F3d->hide();
  type_module_count("1");
  EXPECT_EQ(F3d->shelving_root().Count(), 1 + 3 + 4);
}

TEST_F(ProgramStart, HelpOpensThePageOfTheLanguageThroughTheDesktop) {
  ASSERT_TRUE(start(5));  // Dutch has no page of its own
  std::string record = folder.file("opened.txt");
  folder.write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + record + "'\n");
  std::filesystem::permissions(folder.file("bin/xdg-open"), std::filesystem::perms::owner_all);
  std::string path = folder.file("bin") + ":" + qEnvironmentVariable("PATH").toStdString();
  QByteArray old_path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(path));
  Main->Help2->trigger();
  qputenv("PATH", old_path);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !folder.read("opened.txt").empty(); }, 5000));
  EXPECT_EQ(folder.read("opened.txt"), folder.file("help/index_EN.html"));
}

TEST_F(ProgramStart, TheWheelZoomsThePlanWhereverThePointerIs) {
  ASSERT_TRUE(start(0));
  Main->show();
  QApplication::setActiveWindow(Main);
  ASSERT_TRUE(QTest::qWaitForWindowActive(Main));
  double zoom = AppState.zoom;
  QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
  QApplication::sendEvent(Main->Panel1->Ed_S, &down);
  EXPECT_DOUBLE_EQ(AppState.zoom, zoom * 1.1);
  Main->close();
}

TEST_F(ProgramStart, TheOutlineButtonStartsTheOutlineAtTheOriginWithTheCross) {
  ASSERT_TRUE(start(0));
  Main->tool_button(3)->trigger();
  EXPECT_TRUE(AppState.outline_mode && AppState.segment_pending);
  EXPECT_TRUE(Main->tool_button(3)->isChecked());
  EXPECT_EQ(Main->PaintBox1->cursor().shape(), Qt::CrossCursor);
  ui().set_tool_button_down(3, false);
  EXPECT_EQ(Main->PaintBox1->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ProgramStart, PrintingOpensThePrintWindowOnAFreshBillOfMaterials) {
  ASSERT_TRUE(start(0));
  QuoteDetails.clear();
  bool shown = false;
  QTimer::singleShot(0, [&] {
    shown = Fstampa->isVisible();
    Fstampa->reject();
  });
  Main->tool_button(13)->trigger();
  EXPECT_TRUE(shown);
  EXPECT_EQ(QuoteDetails.size(), Cells.size());
}

TEST_F(ProgramStart, NoKeyIsBoundToTheToolBarOrTheMenus) {
  ASSERT_TRUE(start(1));
  // The windows the main window owns keep their own keys (Ctrl+F12 of the preferences).
  auto in_main_window = [](const QObject* object) {
    for (; object != Main; object = object->parent()) {
      const auto* widget = qobject_cast<const QWidget*>(object);
      if (widget && widget->isWindow() && !qobject_cast<const QMenu*>(widget)) return false;
    }
    return true;
  };
  for (const QAction* action : Main->findChildren<QAction*>()) {
    if (!in_main_window(action)) continue;
    EXPECT_TRUE(action->shortcut().isEmpty())
        << action->text().toStdString() << " answers " << action->shortcut().toString().toStdString();
  }
  for (const QShortcut* shortcut : Main->findChildren<QShortcut*>())
    EXPECT_FALSE(in_main_window(shortcut)) << shortcut->key().toString().toStdString();
  Main->show();
  QApplication::setActiveWindow(Main);
  ASSERT_TRUE(QTest::qWaitForWindowActive(Main));
  select_first_wall_of_a_room();
  Cells[0].name = "Changed";
  push_undo_snapshot();
  QTest::keyClick(Main, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cells[0].name, "Changed") << "Ctrl+Z does not undo";
  Main->hide();
}

// After Alt the menu bar has the keys: the arrows go along it, Esc leaves
// it, and neither reaches the plan's selected free module or its undo steps.
TEST_F(ProgramStart, AfterAltTheArrowsAndEscAreTheMenuBars) {
  ASSERT_TRUE(start(0));
  select_first_wall_of_a_room();
  Tmodulo_agg module;
  module.x = 2000;
  module.selected = true;
  Cells[0].free_modules = {module};
  const std::size_t steps = UndoHistory.size();
  Main->show();
  QApplication::setActiveWindow(Main);
  ASSERT_TRUE(QTest::qWaitForWindowActive(Main));
  Main->Panel1->Ed_S->setFocus();
  QMenuBar* bar = Main->menuBar();
  QTest::keyClick(Main->Panel1->Ed_S, Qt::Key_Alt, Qt::AltModifier);
  ASSERT_TRUE(bar->hasFocus());
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(bar->activeAction(), Main->Preferenze1->menuAction());
  QTest::keyClick(bar, Qt::Key_Escape);
  EXPECT_FALSE(bar->hasFocus());
  EXPECT_EQ(Cells[0].free_modules[0].x, 2000);
  EXPECT_EQ(UndoHistory.size(), steps);
  Main->hide();
}

// A keyboard user sees where the focus is: Tab stops only on controls that
// show, each once, a room's wall selected so the side panel's are enabled.
TEST_F(ProgramStart, EveryTabStopOfTheMainWindowIsAControlInSight) {
  ASSERT_TRUE(start(0));
  select_first_wall_of_a_room();
  ASSERT_TRUE(show_active(*Main));
  const std::vector<QWidget*> stops = tab_stops(80);
  const auto again = std::find(stops.begin() + 1, stops.end(), stops.front());
  ASSERT_NE(again, stops.end()) << "Tab goes round";
  for (auto stop = stops.begin(); stop != again; ++stop) {
    QWidget* widget = *stop;
    EXPECT_FALSE(widget->visibleRegion().isEmpty()) << widget->metaObject()->className();
    EXPECT_EQ(std::count(stops.begin(), again, widget), 1) << widget->metaObject()->className();
  }
  Main->hide();
}

TEST_F(ProgramStart, TheMenuBarKeepsItsItemsInTheirPlacesWithDatiBeforePreferenze) {
  ASSERT_TRUE(start(1));
  const QList<QAction*> top = Main->menuBar()->actions();
  const QMenu* menus[] = {Main->File1, Main->Tarvo1, Main->Dati1, Main->Preferenze1, Main->PrezzieCodici1, Main->Help1};
  ASSERT_EQ(top.size(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(top[i], menus[i]->menuAction()) << "top item " << i;

  auto shown_titles = [] {
    std::vector<std::string> titles;
    for (const QAction* item : Main->menuBar()->actions())
      if (item->isVisible()) titles.push_back(item->text().toStdString());
    return titles;
  };
  EXPECT_EQ(shown_titles(), (std::vector<std::string>{lang_text(169), lang_text(84), lang_text(193), "Help"}));
  AppState.optional_sizes = 1;
  apply_language();
  EXPECT_EQ(shown_titles(), (std::vector<std::string>{lang_text(169), "Dati", lang_text(84), lang_text(193), "Help"}));
  Main->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Main));
  EXPECT_LT(Main->menuBar()->actionGeometry(Main->Dati1->menuAction()).x(),
            Main->menuBar()->actionGeometry(Main->Preferenze1->menuAction()).x())
      << "Dati reads before Preferenze";
  Main->hide();
}

TEST_F(ProgramStart, TheDevelopersHiddenControlsAreThereAndButton3ListsTheWallPriorities) {
  ASSERT_TRUE(start(0));
  select_first_wall_of_a_room();
  Main->show();
  for (const char* name : {"Button1", "Button2", "Button3", "FileListBox1", "Memo1"}) {
    const QWidget* control = Main->findChild<QWidget*>(name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_TRUE(control->isHidden()) << name;
  }
  EXPECT_EQ(Main->findChild<QPushButton*>("Button1")->text(), "Italiano");
  EXPECT_EQ(Main->findChild<QPushButton*>("Button2")->text(), "Tutte");
  EXPECT_EQ(Main->findChild<QWidget*>("FileListBox1")->property("Mask").toString(), "prv*.cel");
  const QFileDialog* pictures = Main->OpenPictureDialog1();
  EXPECT_EQ(pictures, Main->findChild<QFileDialog*>("OpenPictureDialog1"));
  EXPECT_TRUE(pictures->isHidden());
  const QMenu* align = Main->findChild<QMenu*>("PopupMenu2");
  ASSERT_NE(align, nullptr);
  ASSERT_EQ(align->actions().size(), 2);
  EXPECT_EQ(align->actions()[0]->text(), "Allinea Moduli Orizzontalmente");
  EXPECT_EQ(align->actions()[1]->text(), "Allinea Moduli Verticalmente");

  Cells[0].walls[2].priority = 7;
  MessageBoxCloser boxes;
  Main->findChild<QPushButton*>("Button3")->click();
  EXPECT_EQ(boxes.texts, (std::vector<std::string>{"linea 0 - Priorità 0", "linea 1 - Priorità 1",
                                                   "linea 2 - Priorità 7", "linea 3 - Priorità 3"}));
  boxes.texts.clear();
  Main->findChild<QPushButton*>("Button1")->click();  // the translation file's writers
  Main->findChild<QPushButton*>("Button2")->click();
  EXPECT_EQ(boxes.texts, (std::vector<std::string>{"File salvato", "File salvato"}));
  Main->hide();
}

TEST_F(ProgramStart, ACellTabShowsItsCellFittedAsOpeningTheProjectOnItWould) {
  Cells = {first_cell(), first_cell()};
  Cells[0].walls = walls_through({{-6000, -4000}, {6000, -4000}, {6000, 4000}, {-6000, 4000}});
  Cells[1].walls = walls_through({{-1500, -1000}, {1500, -1000}, {1500, 1000}, {-1500, 1000}});
  for (int current : {0, 1}) {
    AppState.current_cell = current;
    Cells[static_cast<std::size_t>(current)].outline_closed = true;
    compute_wall_normals();
  }
  for (int current : {0, 1}) {
    AppState.current_cell = current;
    write_project_file(folder.file("user/prv0000" + std::to_string(current) + ".cel"), true);
  }
  auto open_shown = [this](int current) {
    ASSERT_TRUE(initialise_program(folder.file("user/prv0000" + std::to_string(current) + ".cel")));
    Main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Main));
  };
  ASSERT_TRUE(start(0));  // stores the language
  open_shown(1);
  const QImage opened_on_the_small_cell = Main->PaintBox1->plan_image();
  destroy_windows();
  create_windows();
  open_shown(0);
  const QImage opened_on_the_large_cell = Main->PaintBox1->plan_image();
  Main->TabControl1->setCurrentIndex(1);
  QApplication::processEvents();
  EXPECT_EQ(Main->PaintBox1->plan_image(), opened_on_the_small_cell);
  Main->TabControl1->setCurrentIndex(0);
  QApplication::processEvents();
  EXPECT_EQ(Main->PaintBox1->plan_image(), opened_on_the_large_cell);
  Main->hide();
}

namespace {

// What a user sees printing the project and then looking at it in 3-D: the
// print window's caption on the first cell's plan page, and the most parts
// one element (a bay, a frame, the walls) of the 3-D view has.
struct PrintedAndShown {
  std::string caption;
  int most_parts = 0;
};

PrintedAndShown print_and_show_in_3d() {
  PrintedAndShown seen;
  QTimer::singleShot(0, [&] {
    Fstampa->BitBtn3->click();  // from the quote to the plan
    seen.caption = Fstampa->windowTitle().toStdString();
    Fstampa->reject();
  });
  Main->tool_button(13)->trigger();
  Main->tool_button(8)->trigger();
  TGLDummyCube& root = F3d->shelving_root();
  for (int i = 0; i < root.Count(); ++i) seen.most_parts = std::max(seen.most_parts, root.Children(i)->Count());
  F3d->hide();
  return seen;
}

// Every message box text shown so far, one after the other.
std::string said(const MessageBoxCloser& boxes) {
  std::string texts;
  for (const std::string& text : boxes.texts) texts += text + "\n";
  return texts;
}

}  // namespace

// A preferences file asking for 2147483647 decimals aborted the print window
// (2147483000 hung it): the count is damage, said at start by its line; the
// plan prints with the default decimal and the 3-D view shows the room.
TEST_F(ProgramStart, AnAbsurdCountOfDecimalsIsSaidAndTheProjectPrintsAndShows) {
  const std::string path = folder.file("user/preferenze.dat");
  std::vector<std::string> lines = split_lines(read_scrambled_file(path));
  lines.at(31) = "2147483647";
  write_scrambled_file(path, joined_lines(lines));
  MessageBoxCloser boxes;
  ASSERT_TRUE(start(0));
  EXPECT_EQ(boxes.texts.size(), 1u);
  EXPECT_NE(said(boxes).find("line 32: \"2147483647\""), std::string::npos) << said(boxes);
  EXPECT_EQ(AppState.decimals, 1);
  select_first_wall_of_a_room();
  Cells[0].walls[0].show_dimensions = true;  // its length printed with the decimals
  const PrintedAndShown seen = print_and_show_in_3d();
  EXPECT_TRUE(seen.caption.ends_with(" 2/2")) << seen.caption;
  EXPECT_GT(seen.most_parts, 0);
}

// A 20 MB text in the translation file ended the program at start with no
// box: a text longer than any window shows is cut where it is read and said
// at start by its line; the program starts, prints and shows in 3-D.
TEST_F(ProgramStart, AnOverlongTranslationIsCutAndSaidAndTheProgramRuns) {
  const std::string path = folder.file("data/lang.dat");
  std::vector<std::string> lines = split_lines(read_scrambled_file(path));
  const auto cell_name =
      std::find_if(lines.begin(), lines.end(), [](const std::string& line) { return line.starts_with("039EN "); });
  ASSERT_NE(cell_name, lines.end());
  *cell_name = "039EN " + std::string(4 * kTextBytes, 'c');  // the first cell's name
  write_scrambled_file(path, joined_lines(lines));
  MessageBoxCloser boxes;
  ASSERT_TRUE(start(1));
  EXPECT_EQ(Main->TabControl1->tabText(0).toStdString(), std::string(kTextBytes, 'c'));
  EXPECT_EQ(boxes.texts.size(), 1u);
  const std::string line = "line " + std::to_string(cell_name - lines.begin() + 1) + ": ";
  EXPECT_NE(said(boxes).find(path), std::string::npos) << said(boxes);
  EXPECT_NE(said(boxes).find(line + cut_text_note(4 * kTextBytes, kTextBytes)), std::string::npos) << said(boxes);
  select_first_wall_of_a_room();
  const PrintedAndShown seen = print_and_show_in_3d();
  EXPECT_TRUE(seen.caption.ends_with(" 2/2")) << seen.caption;
  EXPECT_GT(seen.most_parts, 0);
}

// A project whose cell name is longer than any window shows (a 50 MB one froze
// the tab bar) and whose bay has more shelf levels than any bay (a million
// built a million levels in 3-D): both are cut where the file is read and said
// by their lines; the project opens, prints and shows only the levels within
// its bays in 3-D.
TEST_F(ProgramStart, AProjectWithAnOverlongNameAndShelfPatternIsCutSaidAndRuns) {
  ASSERT_TRUE(start(1));
  select_first_wall_of_a_room();
  Tlinea& wall = Cells[0].walls[0];
  wall.module_count = 2, wall.shelf_count = 4, wall.module_height = 1700, wall.module_depth = 475;
  recompute_layout();
  ASSERT_EQ(wall.modules.size(), 2u);
  Cells[0].name = std::string(kTextBytes + 100, 'N');
  wall.modules[0].shelf_pattern = std::string(1000, '1');
  const std::string path = folder.file("damaged.cel");  // outside user/: the index does not list it
  write_project_file(path, true);
  destroy_windows();
  create_windows();

  MessageBoxCloser boxes;
  ASSERT_TRUE(start(1, path));
  EXPECT_EQ(Main->TabControl1->tabText(0).toStdString(), std::string(kTextBytes, 'N'));
  EXPECT_EQ(Cells[0].walls[0].modules[0].shelf_pattern, std::string(kMostShelfSlots, '1'));
  EXPECT_EQ(boxes.texts.size(), 1u) << said(boxes);
  EXPECT_NE(said(boxes).find(path + ".damaged"), std::string::npos) << said(boxes);
  for (const char* cut : {"a text of 4196 bytes, more than the 4096 read",
                          "a shelf pattern of 1000 slots, more than the 100 a bay can have"})
    EXPECT_NE(said(boxes).find(cut), std::string::npos) << said(boxes);
  const PrintedAndShown seen = print_and_show_in_3d();
  EXPECT_TRUE(seen.caption.ends_with(" 2/2")) << seen.caption;
  EXPECT_GT(seen.most_parts, 11 * 2) << "a bay of 11 levels, two rails each";
  EXPECT_LT(seen.most_parts, 11 * 12);
}

TEST_F(ProgramStart, ClosingAnUnmodifiedProjectAsksNothing) {
  ASSERT_TRUE(start(0));
  Main->show();
  EXPECT_TRUE(Main->close());
}

TEST_F(ShownView, ANewCellIsShownEmpty) {
  answer_next<TFcopia_cella>([](TFcopia_cella* dialog) {
    dialog->Edit1->setText("C");
    dialog->BitBtn1->click();
  });
  Main->Nuovacella1Click();
  ASSERT_EQ(current_cell().name, "C");
  EXPECT_EQ(shown_parts(), 0);
}

TEST_F(ShownView, AfterTheCurrentCellIsDeletedTheFirstIsShown) {
  Main->TabControl1->setCurrentIndex(1);
  ASSERT_EQ(shown_parts(), parts_of_room(3));
  answer_next<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
  Main->Elimina1->trigger();
  ASSERT_EQ(Cells.size(), 1u);
  EXPECT_EQ(shown_parts(), parts_of_room(2));
}

TEST_F(ShownView, ACellMovedUpAndMadeCurrentIsShownAsItsTabWouldShowIt) {
  auto move_b_up = [](TFordinamento* dialog) {
    dialog->ListBox1->setCurrentRow(1);
    dialog->BitBtn1->click();
    dialog->BitBtn3->click();
  };
  answer_next<TFordinamento>(move_b_up);
  Main->Ordinamentocelle1Click();
  ASSERT_EQ(current_cell().name, "B");
  EXPECT_EQ(AppState.current_cell, 0);
  EXPECT_EQ(shown_parts(), parts_of_room(3));
  EXPECT_TRUE(Main->Panel1->Ed_muro->text().startsWith("120")) << "the panel shows B's walls";
  const QImage ordered = Main->PaintBox1->plan_image();
  Main->TabControl1->setCurrentIndex(1);
  Main->TabControl1->setCurrentIndex(0);
  EXPECT_EQ(Main->PaintBox1->plan_image(), ordered) << "fitted as its tab fits it";
}

TEST_F(ShownView, AnImportedProjectShowsItsCurrentCell) {
  lay_out_room(0, "D", 1);
  write_project_file(folder.file("user/prv00009.cel"), true);
  lay_out_room(0, "A", 2);
  // The room laid out since is let go.
  answer_next<QMessageBox>([](QMessageBox* save) { save->button(QMessageBox::No)->click(); });
  ASSERT_TRUE(import_project(folder.file("user/prv00009.cel")));
  ASSERT_EQ(current_cell().name, "D");
  EXPECT_EQ(shown_parts(), parts_of_room(1));
  EXPECT_TRUE(shows_current_cell()) << "derived before it is shown";
}

TEST_F(ShownView, TheOutlineButtonShowsTheRoomItClosesAndEmptiesTheViewOfTheRoomItDiscards) {
  current_cell().walls[3].y2 = 500;  // the outline being drawn, its last wall short of the start
  AppState.outline_mode = 1;
  F3d->genera_3d(current_cell());
  ASSERT_EQ(shown_parts(), 0);
  auto answer = [](QMessageBox::StandardButton button) {
    return [button](QMessageBox* box) { box->button(button)->click(); };
  };
  answer_next<QMessageBox>([answer](QMessageBox* join) {
    answer_next<QMessageBox>(answer(QMessageBox::No));  // then keep the room
    answer(QMessageBox::Yes)(join);
  });
  Main->tool_button(3)->trigger();
  ASSERT_TRUE(current_cell().outline_closed);
  EXPECT_GT(shown_parts(), 0);
  EXPECT_TRUE(shows_current_cell());

  answer_next<QMessageBox>(answer(QMessageBox::Yes));  // discard the room
  Main->tool_button(3)->trigger();
  ASSERT_TRUE(current_cell().walls.empty());
  EXPECT_EQ(shown_parts(), 0);
}

TEST_F(ShownView, AlignedFreeModulesAreShownWhereTheyStand) {
  AppState.product_switch = 1;
  ASSERT_NO_FATAL_FAILURE(select_two_free_modules());
  Main->tool_button(25)->trigger();
  ASSERT_EQ(current_cell().free_modules[1].y, 1000);
  EXPECT_TRUE(shows_current_cell());
}

TEST_F(ShownView, AFreeModuleMadeATrolleyIsShownAsOne) {
  ASSERT_NO_FATAL_FAILURE(select_two_free_modules());
  apply_trolley_flag(Tick::Checked);
  ASSERT_EQ(current_cell().free_modules[0].code, "CARRELLO");
  EXPECT_TRUE(shows_current_cell());
}

TEST_F(ShownView, TheRoomLaidOutAgainInTheNewUnitIsShownAsLaidOut) {
  answer_next<TFpreferenze>([](TFpreferenze* dialog) {
    dialog->RadioGroup2->set_item_index(1);
    emit dialog->RadioGroup2->clicked_item(1);
    dialog->BitBtn2->click();
  });
  const Tcell before = current_cell();
  Main->Opzioni1Click();
  ASSERT_TRUE(AppState.inches);
  EXPECT_NE(current_cell().walls[0].modules, before.walls[0].modules);
  EXPECT_TRUE(shows_current_cell());
}

TEST_F(ShownView, APlacedFreeModuleIsShownAndRecordedWithItsFramesAndSoAfterUndoAndRedo) {
  answer_next<TFmodulo_aggiunto>([](TFmodulo_aggiunto* dialog) {
    const Tmodulo bay = current_cell().walls[0].modules[0];  // of sizes whose frames the price table has
    auto index_of = [](const Tdimensioni& sizes, double size) {
      return static_cast<int>(std::ranges::find(sizes, size) - sizes.begin());
    };
    dialog->ComboBox1->setCurrentIndex(index_of(LengthList, bay.length));
    dialog->ComboBox2->setCurrentIndex(index_of(WidthList, bay.width));
    dialog->ComboBox3->setCurrentIndex(index_of(HeightList, bay.height));
    dialog->BitBtn1->click();
  });
  Main->tool_button(20)->trigger();
  ASSERT_TRUE(AppState.place_free_module_mode);
  click_in_plan(on_screen(0, 500));
  ASSERT_EQ(current_cell().free_modules.size(), 1u);
  const Tmodulo_agg& recorded = UndoHistory.at(static_cast<std::size_t>(UndoPosition)).cells[0]->free_modules.at(0);
  EXPECT_GT(recorded.frame_height_a, 0.0);
  EXPECT_EQ(recorded.frame_height_b, recorded.height) << "the step holds its end frames";
  EXPECT_TRUE(shows_current_cell());
  Main->tool_button(5)->trigger();
  EXPECT_TRUE(shows_current_cell());
  Main->tool_button(6)->trigger();
  ASSERT_EQ(current_cell().free_modules.size(), 1u);
  EXPECT_TRUE(shows_current_cell());
}

TEST_F(ShownView, ACompactEndAlignedWithAnotherModuleIsShownWithTheGroupItMakes) {
  ASSERT_NO_FATAL_FAILURE(place_compact_kit());
  const Tcorvane group = current_cell().compact_groups[0];
  current_cell().free_modules[0].selected = true;  // the reference of the alignment
  current_cell().free_modules[first_fixed_end()].selected = true;
  Main->tool_button(group.orientation == 'H' ? 25 : 26)->trigger();
  ASSERT_NE(current_cell().compact_groups.at(0), group);
  EXPECT_TRUE(shows_current_cell());
}

TEST_F(ShownView, ACompactEndMadeShallowerInThePanelIsShownWithItsRails) {
  ASSERT_NO_FATAL_FAILURE(place_compact_kit());
  const std::size_t end = first_fixed_end();  // the left end, whose depth counts in the group's length
  current_cell().free_modules[end].selected = true;
  Main->refresh_side_panel();
  const int shallow = Main->Panel1->Cb_Lm_m->findData(300.0);
  ASSERT_GE(shallow, 0);
  Main->Panel1->Cb_Lm_m->setCurrentIndex(shallow);
  emit Main->Panel1->Cb_Lm_m->activated(shallow);
  ASSERT_EQ(current_cell().free_modules[end].width, 300.0);
  EXPECT_TRUE(shows_current_cell());
}

TEST_F(ShownView, ACompactBlockMovedByKeysIsShownWhereItStandsAfterEveryStep) {
  ASSERT_NO_FATAL_FAILURE(place_compact_kit());
  for (std::size_t i = 1; i < current_cell().free_modules.size(); ++i) current_cell().free_modules[i].selected = true;
  for (int step = 0; step < 5; ++step) {
    plan_key_down(Qt::Key_Right, Qt::AltModifier);
    plan_key_up(Qt::Key_Right);
    EXPECT_TRUE(shows_current_cell()) << "after step " << step + 1;
  }
}
