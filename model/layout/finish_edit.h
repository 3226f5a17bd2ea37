// The one way an edit command ends. After it has written the model, every
// command runs the same chain, as far as it applies: lay the current cell out
// again, take the undo snapshot (which marks the project modified and rolls an
// invalid outline back), rebuild the 3-D view while it is shown, refresh the
// side panel, redraw the plan. The options name the few variations the
// commands need; each command keeps its own order through them.
#pragma once

struct EditChain {
  bool layout = true;          // recompute_layout of the current cell first
  bool snapshot = true;        // push_undo_snapshot
  bool rebuild_3d = true;      // genera_3d of the current cell, only while the 3-D window is visible
  bool side_panel = true;      // refresh_side_panel
  bool redraw = true;          // draw_plan
  bool snapshot_last = false;  // take the snapshot after the redraw instead of before the 3-D rebuild
};

void finish_edit(const EditChain& chain = {});
