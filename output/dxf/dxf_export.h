// The two drawing exports of the project: every cell side by side in one ASCII
// DXF file, made from a template drawing of the program's data folder. The
// plan drawing (data/export.dat) has walls, bay outlines, part symbols, labels
// and dimensions; the solid drawing (data/export3d.dat) has the walls on the
// floor and a block insert for every part of the shelving.
#pragma once

#include <string>

#include "model/base/records.h"
#include "output/dxf/dxf_template.h"

// Both rebuild the compact groups, then write the drawing of all Cells through
// the safe writer. Raises FileError (template missing or damaged, target not
// writable; the previous file is then intact). Blocks the template lacks are
// left out and named afterwards in one message.
void export_dxf_2d(const std::string& file_name);
void export_dxf_3d(const std::string& file_name);

// The drawing of the given cells (whose compact groups are current) from a template.
DxfDrawing dxf_2d_drawing(const Tcells& cells, const DxfTemplate& drawing);
DxfDrawing dxf_3d_drawing(const Tcells& cells, const DxfTemplate& drawing);

// The first handle of each drawing's entities is one above these.
inline constexpr unsigned kDxf2dFirstHandle = 10000;
inline constexpr unsigned kDxf3dFirstHandle = 50000;
