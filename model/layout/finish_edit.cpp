#include "model/layout/finish_edit.h"

#include "model/layout/compact_groups.h"
#include "model/layout/edit_modes.h"
#include "model/layout/layout_engine.h"
#include "model/layout/undo_history.h"
#include "model/state/ui_seam.h"

namespace {

bool has(Views views, Views view) {
  const auto wanted = static_cast<unsigned>(view);
  return (static_cast<unsigned>(views) & wanted) == wanted;
}

Views without(Views views, Views view) {
  return static_cast<Views>(static_cast<unsigned>(views) & ~static_cast<unsigned>(view));
}

// The views only read the model, the cell as derived included, so one order
// serves every edit.
void show(Views views) {
  if (has(views, Views::scene_3d)) ui().rebuild_3d_if_visible();
  if (has(views, Views::side_panel)) ui().refresh_side_panel();
  if (has(views, Views::fitted_plan)) ui().fit_plan_to_view(10);
  if (has(views, Views::plan)) ui().draw_plan();
}

bool lays_out(EditKind kind) {
  return kind == EditKind::laid_out || kind == EditKind::laid_out_after_panel ||
         kind == EditKind::laid_out_leaving_modes;
}

bool records_before_showing(EditKind kind) {
  return kind != EditKind::not_recorded && kind != EditKind::shown_then_recorded;
}

}  // namespace

void finish_edit(EditKind kind, Views views) {
  if (kind == EditKind::laid_out_after_panel && has(views, Views::side_panel)) {
    show(Views::side_panel);
    views = without(views, Views::side_panel);
  }
  if (lays_out(kind)) recompute_layout();
  // What the cells derive from what the edit wrote (compact groups, frame
  // heights, load marks) is recorded with it and shown by every view alike.
  rebuild_derived_values();
  if (records_before_showing(kind)) push_undo_snapshot();
  if (kind == EditKind::laid_out_leaving_modes) end_edit_mode(false);
  show(views);
  if (kind == EditKind::shown_then_recorded) push_undo_snapshot();
}
