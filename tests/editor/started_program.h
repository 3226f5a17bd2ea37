// The program as a user starts it the first time: every window made, Italian
// chosen in the language dialog that start-up opens, the start-up routine run.
#pragma once

#include <QTimer>

#include "editor/dialogs/language_dialog.h"
#include "editor/main/main_window.h"
#include "editor/main/startup.h"
#include "editor/main/windows.h"
#include "model/layout/layout_engine.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"
#include "support/room_outline.h"

// While it lives, a user who answers the language question with Italian once
// it is shown. It lives only as long as a start: when start-up does not ask
// (the preferences name a language), the answer must not reach a later test.
class ItalianChosen {
 public:
  ItalianChosen() {
    QObject::connect(&timer_, &QTimer::timeout, [] {
      if (!Flingua || !Flingua->isVisible()) return;
      Flingua->radio_buttons[0]->setChecked(true);
      Flingua->BitBtn1->click();
    });
    timer_.start(5);
  }

 private:
  QTimer timer_;
};

// False when start-up gave up; destroy_windows() ends the program either way.
inline bool start_program_in_italian() {
  reset_open_project();  // nothing of an earlier test's program
  create_windows();
  ItalianChosen answer;
  return initialise_program("");
}

// A closed 4 x 3 m room in the first cell of the started program, laid out,
// its first wall selected in the side panel.
inline void select_first_wall_of_a_room() {
  Cells[0].walls = four_by_three_walls();
  Cells[0].outline_closed = true;
  compute_wall_normals();
  recompute_layout();
  push_undo_snapshot();
  Cells[0].walls[0].selected = true;
  Main->refresh_side_panel();
}
