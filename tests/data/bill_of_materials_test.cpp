// The bill of materials finds a row for every component that plans built from
// the shipped catalogues and kits can hold: no piece is silently left out.
#include "model/quote/bill_of_materials.h"

#include <gtest/gtest.h>

#include "data/shipped_sizes.h"
#include "data/staged_data.h"
#include "model/catalogue/compact_codes.h"
#include "model/files/codes_table.h"
#include "support/plan_builders.h"

namespace {

constexpr int kShelves = 4;

class ShippedBill : public ShippedDataTest {
 protected:
  // A run of one bay of every length at one depth and height, frames at both
  // ends and between the bays, joined at both corners.
  void add_run(Tcell& cell, double depth, double height) {
    Tlinea wall = make_wall(0.0, 0.0, 10000.0, 0.0);
    wall.kind = 1;
    wall.start_join_high = wall.end_join_high = true;
    for (double length : sizes_.lengths) {
      Tmodulo bay = make_bay(0.0, 0.0, depth, length, 'H', kShelves);
      bay.height = height;
      wall.modules.push_back(bay);
    }
    int bays = static_cast<int>(wall.modules.size());
    for (int i = 0; i <= bays; ++i) {
      Ttestata frame;
      frame.frame_type = i == 0 || i == bays ? "TE" : "TI";
      frame.depth = depth;
      frame.height = height;
      frame.module_before = i > 0 ? i - 1 : -1;
      frame.module_after = i < bays ? i : -1;
      wall.end_frames.push_back(frame);
    }
    wall.module_count = bays;
    cell.walls.push_back(wall);
    expected_ += (bays + 1) + bays * kShelves + 2 * kShelves;
  }

  // A free module with frames and joints on both ends.
  void add_free_module(Tcell& cell, double depth, double height) {
    Tmodulo_agg module = make_free(0.0, 0.0, depth, sizes_.lengths.front(), 'H');
    module.shelf_count = kShelves;
    module.height = height;
    module.side_flags = {1, 1, 1, 1, 1, 1};
    cell.free_modules.push_back(module);
    expected_ += kShelves + 2 + 2 + 2 * kShelves;
  }

  // A compact group of the given overall length: two fixed ends 577 mm wide and
  // one mobile unit of every depth, all as deep as a kit's module length.
  void add_compact_group(Tcell& cell, int group, double overall_length, double y) {
    double length = kits_.module_lengths.front();
    auto unit = [&](double x, double width, double height, std::string code) {
      Tmodulo_agg module = make_free(x, y, width, length, 'H', std::move(code));
      module.shelf_count = kShelves;
      module.height = height;
      module.side_flags = {0, 0, 1, 1, 0, 0};
      cell.free_modules.push_back(module);
    };
    unit(0.0, 577.0, 1850.0, fixed_compact_code(group));
    unit(overall_length - 577.0, 577.0, 1850.0, fixed_compact_code(group));
    std::vector<double> depths = sizes_.widths;
    add_unique(depths, kits_.unit_depths);
    for (double depth : depths) unit(300.0, depth, 1700.0, mobile_compact_code(group));
    long mobile_units = static_cast<long>(depths.size());
    expected_ += 2 * (kShelves + 2) + mobile_units * kShelves;
    compact_pieces_ += mobile_units * 2 + 1;
  }

  void add_trolley(Tcell& cell) {
    Tmodulo_agg trolley = make_free(0.0, 0.0, sizes_.widths.front(), sizes_.lengths.front(), 'H', "CARRELLO");
    trolley.shelf_count = kShelves;
    cell.free_modules.push_back(trolley);
    expected_ += kShelves + 2 + 2 + 4 + 1;
  }

  static long billed_pieces() {
    long pieces = 0;
    for (const Trec_prv& line : QuoteDetails.at(0)) pieces += line.quantity;
    return pieces;
  }

  long expected_ = 0;
  long compact_pieces_ = 0;  // mobile-unit frames and rail kits, billed only where the compact line is offered
};

TEST_F(ShippedBill, EveryComponentOfEveryStructureTypeIsBilled) {
  Tcell cell;
  for (double depth : sizes_.widths) {
    for (double height : sizes_.heights) {
      add_run(cell, depth, height);
      add_free_module(cell, depth, height);
    }
  }
  add_compact_group(cell, 1, 2577.0, 5000.0);
  add_compact_group(cell, 2, 2977.0, 10000.0);
  add_compact_group(cell, 3, 3577.0, 15000.0);
  add_trolley(cell);
  for (std::size_t type = 0; type < StructureTypes.size(); ++type) {
    cell.structure_type = static_cast<int>(type);
    Cells = {cell};
    AppState.current_cell = 0;
    build_bill_of_materials();
    bool compact_line = false;
    for (const Tcodice& row : CodesTable)
      if (row.tipo == "KG" && row.options.at(type) == "SI") compact_line = true;
    EXPECT_EQ(billed_pieces(), expected_ + (compact_line ? compact_pieces_ : 0)) << "structure type " << type;
  }
}

}  // namespace
