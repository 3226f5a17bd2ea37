// Leaving the plan's edit modes: the mode flags, the mode tool buttons, the
// rubber band and the selections of the project.
#pragma once

#include "model/base/records.h"

// Leaves every edit mode; with close_outline an outline being drawn is closed
// first. Clears the mode flags, the rubber band, every selection and the
// free-module template's code, and sets the mode buttons up.
void end_edit_mode(bool close_outline);

// Sets every mode tool button of the main window up.
void release_tool_buttons();

// Clears both selection marks of every wall, bay and free module of every cell.
void clear_all_selections();

// Toggles the selection of every wall, bay and free module of cell whose
// pending mark (the pointer's or the rubber band's catch) is set; the pending
// marks stay.
void toggle_pending_selection(Tcell& cell);
