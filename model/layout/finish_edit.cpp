#include "model/state/finish_edit.h"

#include "model/layout/layout_engine.h"
#include "model/state/ui_seam.h"
#include "model/state/undo_history.h"

void finish_edit(const EditChain& chain) {
  if (chain.layout) recompute_layout();
  if (chain.snapshot && !chain.snapshot_last) push_undo_snapshot();
  if (chain.rebuild_3d) ui().rebuild_3d_if_visible();
  if (chain.side_panel) ui().refresh_side_panel();
  if (chain.redraw) ui().draw_plan();
  if (chain.snapshot && chain.snapshot_last) push_undo_snapshot();
}
