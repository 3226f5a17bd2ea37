#include "model/layout/finish_edit.h"
#include "model/layout/edit_modes.h"
#include "model/layout/layout_engine.h"
#include "model/layout/undo_history.h"
#include "model/state/ui_seam.h"
#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

namespace {

// The steps of each kind in their order, one letter a step: L lay the cell out,
// S take the undo snapshot, 3 rebuild the 3-D view, P refresh the side panel,
// D draw the plan, F fit the plan to the view, E end the edit modes.
constexpr std::array<std::pair<EditKind, std::string_view>, 24> chains{{
    {EditKind::relaid_out, "LS3PD"},
    {EditKind::opening_resized, "LS3D"},
    {EditKind::forced_lengths_changed, "LSD"},
    {EditKind::preferences_applied, "LSPD"},
    {EditKind::walls_filled, "PLSD3"},
    {EditKind::door_inserted, "SPLSD"},
    {EditKind::door_removed, "LSED"},
    {EditKind::runs_reshaped, "S3PD"},
    {EditKind::modules_changed, "S3D"},
    {EditKind::structure_changed, "S3"},
    {EditKind::plan_marks_changed, "SD"},
    {EditKind::compact_group_placed, "SPD"},
    {EditKind::wall_drawn, "FSD3"},
    {EditKind::recorded, "S"},
    {EditKind::project_replaced, "3PDS"},
    {EditKind::shown_then_recorded, "PDS"},
    {EditKind::cell_switched, "S3PFD"},
    {EditKind::history_stepped, "3PD"},
    {EditKind::moved, "3D"},
    {EditKind::shown, "PD"},
    {EditKind::dialog_step_shown, "3P"},
    {EditKind::door_dialog_closed, "P3"},
    {EditKind::rebuilt_3d, "3"},
    {EditKind::redrawn, "D"},
}};

// The table lists the kinds in their declared order, so a kind is its index.
constexpr bool in_declared_order() {
  for (std::size_t i = 0; i < chains.size(); ++i) {
    if (chains[i].first != static_cast<EditKind>(i)) return false;
  }
  return true;
}
static_assert(in_declared_order());

std::string_view steps_of(EditKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < chains.size() ? chains[index].second : std::string_view();
}

void run(char step) {
  switch (step) {
    case 'L':
      recompute_layout();
      break;
    case 'S':
      push_undo_snapshot();
      break;
    case '3':
      ui().rebuild_3d_if_visible();
      break;
    case 'P':
      ui().refresh_side_panel();
      break;
    case 'D':
      ui().draw_plan();
      break;
    case 'F':
      ui().fit_plan_to_view(10);
      break;
    case 'E':
      end_edit_mode(false);
      break;
  }
}

}  // namespace

void finish_edit(EditKind kind) {
  for (char step : steps_of(kind)) run(step);
}
