// The undo history: every edit ends with a snapshot of all cells (sharing with
// the step before every cell the edit did not touch, which the cell array
// knows without comparing) and of the program state; Undo and Redo step
// through the snapshots. Taking a snapshot marks the project modified, drops
// the cells' 3-D pictures (they must be taken again after an edit) and rolls
// back an edit that breaks the current cell's closed outline.
//
// The history lives in the globals UndoHistory and UndoPosition (the index of
// the current snapshot, -1 when the history is empty).
#pragma once

// Stores the current state as a new step after the current one, dropping any
// steps that were undone. An edit that leaves the current room's outline
// invalid where the step before held it valid is rolled back to that step
// with text::invalid_value; a room invalid before the edit (as a damaged file brought it,
// which the load says) is kept, and so is a first step, which has nothing
// before it to return to.
void push_undo_snapshot();

// Restores the step delta away (-1 Undo, +1 Redo) when there is one, and
// enables the Undo and Redo buttons by what remains on each side. A step keeps
// the live preferences and the project's file name and marks the project
// modified.
void step_undo_history(int delta);
