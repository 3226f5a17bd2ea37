#include "model/layout/finish_edit.h"

#include "model/layout/layout_engine.h"
#include "model/layout/undo_history.h"
#include "model/state/ui_seam.h"

void finish_edit(const EditChain& chain) {
  if (chain.layout) recompute_layout();
  if (chain.snapshot && !chain.snapshot_last) push_undo_snapshot();
  if (chain.rebuild_3d) ui().rebuild_3d_if_visible();
  if (chain.side_panel) ui().refresh_side_panel();
  if (chain.redraw) ui().draw_plan();
  if (chain.snapshot && chain.snapshot_last) push_undo_snapshot();
}
