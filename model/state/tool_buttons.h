// The numbers of the main window's tool buttons (ToolButtonN), in tool-bar
// order: the window builds and finds its buttons by them, and the model sets
// them up or down, enables or disables them through the window seam.
#pragma once

namespace tool_button {
inline constexpr int new_project = 21;
inline constexpr int archive = 18;
inline constexpr int save = 16;
inline constexpr int save_as_new = 15;
inline constexpr int outline = 3;
inline constexpr int free_module = 20;
inline constexpr int align_horizontally = 25;
inline constexpr int align_vertically = 26;
inline constexpr int compact_pair = 24;
inline constexpr int compact_kit = 28;
inline constexpr int select_walls = 1;
inline constexpr int select_modules = 19;
inline constexpr int undo = 5;
inline constexpr int redo = 6;
inline constexpr int zoom_in = 9;
inline constexpr int zoom_out = 14;
inline constexpr int fit_plan = 2;
inline constexpr int view_3d = 8;
inline constexpr int print = 13;
inline constexpr int customers = 22;
// Numbers the release of the mode buttons still names though the bar has a
// divider there (12) or no button at all: setting them up changes nothing.
inline constexpr int compact_line_divider = 12;
inline constexpr int no_button_4 = 4;
inline constexpr int no_button_7 = 7;
inline constexpr int no_button_10 = 10;
inline constexpr int no_button_11 = 11;
}  // namespace tool_button
