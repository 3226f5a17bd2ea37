#include "output/dxf/dxf_cell_parts.h"

#include "model/base/cell_extents.h"
#include "model/base/part_placement.h"
#include "model/base/plane_vectors.h"
#include "model/base/rounding.h"
#include "model/base/wall_faces.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/part_lists.h"
#include "model/state/globals.h"

namespace {

constexpr double kCellGap = 2000.0;
const std::string kWallLayer = "Scaffalatura_muri";

}  // namespace

std::vector<double> cell_origins(const Tcells& cells) {
  std::vector<double> origins;
  auto width = [](const Tcell& cell) {
    Textents box = compute_cell_extents(cell);
    return box[0] - box[1];
  };
  double position = cells.empty() ? 0.0 : -width(cells.front()) / 2.0;
  for (const Tcell& cell : cells) {
    double w = width(cell);
    position += w / 2.0;
    origins.push_back(position);
    position += w / 2.0 + kCellGap;
  }
  return origins;
}

void write_walls(DxfEntities& out, const Tcell& cell) {
  const std::vector<WallFace> outer = closed_wall_faces(cell, cell.wall_thickness);
  for (std::size_t j = 0; j < outer.size(); ++j) {
    const Tlinea& wall = cell.walls[j];
    const WallFace& face = outer[j];
    out.dxf_line(kWallLayer, face.start.x, face.start.y, face.end.x, face.end.y);
    out.dxf_line(kWallLayer, wall.x1, wall.y1, wall.x2, wall.y2);
    if (wall.kind == 0) {
      out.dxf_line(kWallLayer, wall.x1, wall.y1, face.start.x, face.start.y);
      out.dxf_line(kWallLayer, wall.x2, wall.y2, face.end.x, face.end.y);
    }
  }
}

double wall_angle(const Tvec2& d) {
  if (vec_equal(d, vec_make(1, 0))) return 180.0;
  if (vec_equal(d, vec_make(0, 1))) return 270.0;
  if (vec_equal(d, vec_make(-1, 0))) return 0.0;
  if (vec_equal(d, vec_make(0, -1))) return 90.0;
  return 0.0;
}

std::vector<GridPanel> grid_panels(double length) {
  std::vector<GridPanel> panels;
  double position = 1.0;  // the first panel starts 1 mm into the shelf
  for (char letter : panel_composition(length)) {
    if (letter == 'A') position += GridPanelWidthA / 2;
    if (letter == 'B') position += GridPanelWidthB / 2;
    panels.push_back({letter, position - length / 2.0});
    if (letter == 'A') position += GridPanelWidthA / 2 + GridPanelGap / 2;
    if (letter == 'B') position += GridPanelWidthB / 2 + GridPanelGap / 2;
  }
  return panels;
}

bool PartCodes::shelf(double depth, double length, int structure_type) {
  return index_.option_available({"R", size_key(depth), size_key(length), "-"}, structure_type);
}

bool PartCodes::frame(double depth, double height, int structure_type) {
  return index_.option_available({"TE", size_key(depth), "-", size_key(height)}, structure_type);
}

DxfDrawing draw_cells(const Tcells& cells, const DxfTemplate& drawing, unsigned first_handle,
                      const CellWriter& write_cell) {
  DxfEntities out(drawing.head);
  out.set_defined_blocks(drawing.block_names);
  out.dxf_handle = first_handle;
  PartCodes codes(CodesTable);
  std::vector<double> origins = cell_origins(cells);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    out.dxf_origin_x = origins[i];
    out.dxf_origin_y = 0.0;
    write_cell(out, codes, cells[i]);
  }
  std::set<std::string> missing = out.missing_blocks();
  return {finish_dxf(out, drawing), std::move(missing)};
}

const Tstructure_type& cell_structure_type(const Tcell& cell) {
  return structure_type_for_display(cell.structure_type);
}
