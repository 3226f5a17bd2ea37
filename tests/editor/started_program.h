// The program as a user starts it the first time: every window made, Italian
// chosen in the language dialog that start-up opens, the start-up routine run.
#pragma once

#include <QTimer>

#include "editor/dialogs/language_dialog.h"
#include "editor/main/startup.h"
#include "editor/main/windows.h"
#include "model/layout/undo_history.h"
#include "model/state/globals.h"

// False when start-up gave up; destroy_windows() ends the program either way.
inline bool start_program_in_italian() {
  AppState = Tvar_amb{};
  UndoHistory.clear();
  UndoPosition = -1;
  create_windows();
  // The answer lives only as long as the start: when start-up does not ask
  // (the preferences name a language), it must not reach a later test.
  QTimer answer;
  answer.setSingleShot(true);
  QObject::connect(&answer, &QTimer::timeout, Flingua, [] {
    Flingua->radio_buttons[0]->setChecked(true);
    Flingua->BitBtn1->click();
  });
  answer.start(0);
  return initialise_program("");
}
