// The main window's two export commands: the user picks the file, the drawing
// is written, and any failure is shown, never thrown out of the menu handler.
#pragma once

#include <string>

// Asks for the file (filter "Dxf 2D (*.dxf)" or "Dxf 3D (*.dxf)"), adds ".dxf"
// unless the name already ends so in any case, and exports every cell.
void run_dxf_export(bool three_d);

// The chosen name with ".dxf" added unless its extension is ".dxf" in any case.
std::string dxf_file_name(const std::string& chosen);
