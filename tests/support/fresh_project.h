// The open project and the program state as no program has touched them: the
// state record's defaults, no cells, an empty undo history, a blank quote.
// The catalogue, the tables and the language are each test's own to set.
#pragma once

#include "model/state/globals.h"

inline void reset_open_project() {
  AppState = Tvar_amb{};
  Cells.clear();
  UndoHistory.clear();
  UndoPosition = -1;
  QuoteHeader = Tprv{};
  QuoteDetails.clear();
}

// Resets the open project when made and again when it goes, so that a test
// finds nothing of the test before it and leaves nothing to the next.
class FreshProject {
 public:
  FreshProject() { reset_open_project(); }
  ~FreshProject() { reset_open_project(); }
  FreshProject(const FreshProject&) = delete;
  FreshProject& operator=(const FreshProject&) = delete;
};
