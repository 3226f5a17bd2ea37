// What the side panel shows for the current cell and its selection, as plain
// data: the texts, the chosen size items, the check marks and which controls
// are enabled. The panel widget only copies this onto its controls, so the
// rules are tested without a window.
#pragma once

#include <string>

#include "model/base/records.h"

enum class Tick { Unchecked, Checked, Partly };

// An edit box or a size list with its label.
struct FieldState {
  bool enabled = false;
  std::string text;  // for a size list: the item to choose, empty for none
};

struct TickState {
  bool enabled = false;
  Tick tick = Tick::Unchecked;
};

struct SidePanelState {
  // Current cell.
  int structure_type = 0;
  std::string clearance;
  std::string wall_thickness;

  // Selected walls.
  std::string wall_group_caption;
  bool arrows_up_down = false;     // Sb_su, Sb_giu
  bool arrows_left_right = false;  // Sb_sx, Sb_dx
  TickState door;                  // cb_porta
  TickState dimension;             // cb_quota
  FieldState wall_length;          // Ed_lp
  FieldState module_count;         // Ed_Nm
  FieldState wall_height;          // Cb_Hm_p
  FieldState wall_depth;           // Cb_Lm_p
  FieldState wall_shelves;         // Ed_Nr_p
  FieldState start_gap;            // Ed_Di
  FieldState end_gap;              // Ed_Df
  bool priority = false;           // up_priorita, down_priorita, Lb_priorita
  bool forced_lengths = false;     // SB_forza
  bool fill_buttons = false;       // Bt_auto, Bt_autoHeavy, Bt_autoEco
  int door_wall = -1;              // the door dialog's target wall; -1 leaves it as it was

  // Selected modules.
  std::string module_group_caption;
  FieldState module_height;   // Cb_Hm_m
  FieldState module_width;    // Cb_Lm_m
  FieldState module_shelves;  // Ed_Nr_m
  TickState side_n, side_s, side_e, side_o, trolley;
};

// The panel for cell under the given settings (units, decimals). Controls that
// the rules leave alone (those of a lone selected opening) keep their state
// from previous. decimal_point is the user's decimal separator.
SidePanelState side_panel_state(const Tcell& cell, const Tvar_amb& settings, const SidePanelState& previous,
                                char decimal_point);

// The text of a length in the panel: the value in the current unit, fixed with
// the chosen decimals.
std::string length_form(double mm, const Tvar_amb& settings, char decimal_point);
// The text of a catalogue size as the size lists show it: an inch text in
// inch mode (heights with their own form), else millimetres with the chosen
// decimals.
std::string size_form(double mm, bool height, const Tvar_amb& settings, char decimal_point);
