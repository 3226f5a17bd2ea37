// The undo history: every edit ends with a snapshot of all cells (sharing with
// the step before every cell the edit did not touch, which the cell array
// knows without comparing) and of the program state; Undo and Redo step
// through the snapshots. Taking a snapshot marks the project modified, drops
// the cells' 3-D pictures (they must be taken again after an edit) and rolls
// back an edit that leaves the current cell's closed outline invalid.
//
// The history lives in the globals UndoHistory and UndoPosition (the index of
// the current snapshot, -1 when the history is empty).
#pragma once

// Stores the current state as a new step after the current one, dropping any
// steps that were undone. An invalid outline is rolled back with text 8.
void push_undo_snapshot();

// Restores the step delta away (-1 Undo, +1 Redo) when there is one, and
// enables the Undo and Redo buttons by what remains on each side. A step keeps
// the live preferences and the project's file name and marks the project
// modified.
void step_undo_history(int delta);
