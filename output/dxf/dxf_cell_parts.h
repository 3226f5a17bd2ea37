// What the plan drawing and the solid drawing share: where each cell goes,
// the walls as lines on the floor, the grid panels of a shelf, the turn of a
// wall's parts and the code-table test of a part.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/base/records.h"
#include "model/quote/code_lookup.h"
#include "output/dxf/dxf_entities.h"
#include "output/dxf/dxf_template.h"

// The X shift of each cell: the first keeps its own coordinates, each next one
// lies half the previous width, 2000 mm and half its own width further on.
std::vector<double> cell_origins(const Tcells& cells);

// The outer face of every wall (moved by the wall thickness along its normal,
// joined at the corners), the room face, and the jambs of an opening, as lines
// on "Scaffalatura_muri".
void write_walls(DxfEntities& out, const Tcell& cell);

// The turn of the parts along a wall running in direction d: 180 along +x, 270
// along +y, 0 along -x, 90 along -y, 0 for any other direction.
double wall_angle(const Tvec2& d);

// One grid panel of a shelf: its letter and the distance of its middle from
// the shelf's centre along the shelf.
struct GridPanel {
  char letter;
  double offset;
};
// The panels of a shelf of that length, from the composition of the last
// catalogue length equal to it; none when the length is not in the catalogue.
std::vector<GridPanel> grid_panels(double length);

// The code-table tests the drawings make for a cell's structure type.
class PartCodes {
 public:
  explicit PartCodes(const Tdb_codici& table) : index_(table) {}
  // A shelf of depth by length ("R").
  bool shelf(double depth, double length, int structure_type);
  // An end frame of depth by height ("TE").
  bool frame(double depth, double height, int structure_type);

 private:
  CodeIndex index_;
};

// The drawing of every cell at its origin: the template's head, the entities
// each cell's writer gives (handles from first_handle + 1), and the rest.
using CellWriter = std::function<void(DxfEntities& out, PartCodes& codes, const Tcell& cell)>;
DxfDrawing draw_cells(const Tcells& cells, const DxfTemplate& drawing, unsigned first_handle,
                      const CellWriter& write_cell);

// The shelf suffix and module text of the cell's structure type.
const Tstructure_type& cell_structure_type(const Tcell& cell);
