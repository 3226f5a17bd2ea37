// Numbers of the main window's tool buttons that the model sets up or down,
// enables or disables through the window seam.
#pragma once

namespace tool_button {
inline constexpr int select_walls = 1;
inline constexpr int outline = 3;
inline constexpr int undo = 5;
inline constexpr int redo = 6;
inline constexpr int select_modules = 19;
}  // namespace tool_button
