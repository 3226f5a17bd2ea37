// The main window's mode buttons: drawing a new room outline and the two
// selection modes.
#pragma once

// The outline button: an outline being drawn is closed (or, when it stays
// open, its selection cleared); otherwise, after asking to discard the room
// of a cell that has one (text::discard_outline_question; No leaves the button up), outline drawing
// starts at the plan origin with the button down.
void start_outline();
// A selection mode button (tool_button::select_walls or select_modules) set
// down (on) or up: that mode alone is on, or none; every selection is cleared
// and the placement modes end.
void set_selection_mode(int button, bool on);
