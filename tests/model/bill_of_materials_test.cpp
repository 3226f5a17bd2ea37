#include "model/quote/bill_of_materials.h"

#include <gtest/gtest.h>

#include <climits>

#include "model/files/project_file.h"
#include "model/quote/code_lookup.h"
#include "project_globals_fixture.h"

// Readable failure output of the lines.
void PrintTo(const Trec_prv& line, std::ostream* out) {
  *out << "{row " << line.code_row << ", qty " << line.quantity << ", " << line.length_sum << " m, " << line.kind
       << "}";
}

namespace {

Tcodice row(std::string tipo, std::string lar, std::string lung, std::string alt,
            std::vector<std::string> options = {"SI", "SI"}) {
  Tcodice r;
  r.tipo = std::move(tipo);
  r.lar = std::move(lar);
  r.lung = std::move(lung);
  r.alt = std::move(alt);
  r.options = std::move(options);
  r.code = r.tipo + r.lar + r.lung + r.alt;
  return r;
}

Trec_prv line(int code_row, int quantity, std::string kind, double length_sum = 0.0) {
  return Trec_prv{code_row, quantity, length_sum, std::move(kind)};
}

class BillOfMaterials : public ProjectGlobalsTest {
 protected:
  const Tdett_prv& lines(std::size_t cell = 0) { return QuoteDetails.at(cell); }
};

TEST_F(BillOfMaterials, OneArrayPerCellEvenWhenEmptyAndCommaKeysMatch) {
  CodesTable = {row("R", "914,4", "1000", "")};  // size keys match with comma or point
  add_cell();
  add_cell({make_free(0, 0, 914.4, 1000, 'H')});
  add_cell();
  build_bill_of_materials();
  ASSERT_EQ(QuoteDetails.size(), 3u);
  EXPECT_TRUE(lines(0).empty());
  EXPECT_EQ(lines(1), (Tdett_prv{line(0, 5, "R")}));
  CodeIndex index(CodesTable);
  const Tcell& one_cell = Cells[1];  // one cell's lines without touching the others
  EXPECT_EQ(bill_of_cell(index, one_cell), lines(1));
  EXPECT_TRUE(lines(2).empty());

  CodesTable.clear();
  build_bill_of_materials();
  EXPECT_TRUE(lines(1).empty());
}

TEST_F(BillOfMaterials, AvailabilityFollowsTheCellStructureType) {
  CodesTable = {row("R", "500", "1000", "", {"SI", "SI"}), row("R", "500", "1000", "", {"SI", "-"}),
                row("R", "400", "1000", "", {"-", "-"}), row("R", "300", "1000", "", {"", ""})};
  Tcell& cell =
      add_cell({make_free(0, 0, 500, 1000, 'H'), make_free(0, 0, 400, 1000, 'H'), make_free(0, 0, 300, 1000, 'H')});
  cell.structure_type = 1;
  build_bill_of_materials();
  // "-" skips a row even when it is the only match; an empty option is available.
  EXPECT_EQ(lines(), (Tdett_prv{line(0, 5, "R"), line(3, 5, "R")}));

  cell.structure_type = 7;  // beyond every row's options: counts as an empty option
  build_bill_of_materials();
  EXPECT_EQ(lines(), (Tdett_prv{line(1, 5, "R"), line(2, 5, "R"), line(3, 5, "R")}));
}

TEST_F(BillOfMaterials, WallFramesBaysAndCornerJointsLaterRowWinsAcrossWalls) {
  CodesTable = {row("G", "500", "", ""),     row("TE", "500", "", "2000"), row("TI", "500", "", "2000"),
                row("R", "500", "1000", ""), row("R", "500", "1000", ""),  row("R", "500", "1300", "")};
  Tcell& cell = add_cell();
  cell.walls = {make_wall(0, 0, 3000, 0), make_wall(3000, 0, 3000, 3000)};
  Tlinea& wall = cell.walls[0];
  wall.modules = {make_bay(0, 0, 500, 1000, 'H', 4), make_bay(0, 0, 500, 1000, 'H', 6)};
  cell.walls[1].modules = {make_bay(0, 0, 500, 1000, 'V', 5)};
  // Frame heights follow the bays beside each frame (2000).
  for (int f = 0; f < 3; ++f) {
    Ttestata frame;
    frame.frame_type = f == 1 ? "TI" : "TE";
    frame.depth = 500;
    frame.module_before = f - 1;
    frame.module_after = f < 2 ? f : -1;
    wall.end_frames.push_back(frame);
  }
  wall.start_join_high = true;
  wall.end_join_high = true;
  build_bill_of_materials();
  // Lines in codes-table order, not in the order the rules made them.
  EXPECT_EQ(lines(), (Tdett_prv{line(0, 10, "G"), line(1, 2, "T"), line(2, 1, "T"), line(4, 15, "R")}));
}

TEST_F(BillOfMaterials, ShelfCountsOfADamagedFileSumToTheLargestQuantityAtMost) {
  CodesTable = {row("R", "500", "1000", ""), row("R", "400", "1000", "")};
  Tcell& cell = add_cell();
  cell.walls = {make_wall(0, 0, 3000, 0)};
  cell.walls[0].modules = {make_bay(0, 0, 500, 1000, 'H', INT_MAX), make_bay(0, 0, 500, 1000, 'H', 2),
                           make_bay(0, 0, 400, 1000, 'H', INT_MIN), make_bay(0, 0, 400, 1000, 'H', -2)};
  build_bill_of_materials();
  EXPECT_EQ(lines(), (Tdett_prv{line(0, INT_MAX, "R"), line(1, INT_MIN, "R")}));
}

TEST_F(BillOfMaterials, FreeModuleSideFlagsAndMobileCompactFrames) {
  CodesTable = {row("TE", "577", "", "1700"), row("TS", "577", "", "1700"), row("TI", "577", "", "1700"),
                row("G", "577", "", "")};
  Tmodulo_agg ordinary = make_free(0, 0, 577, 1000, 'V');
  ordinary.height = ordinary.frame_height_a = ordinary.frame_height_b = 1700;
  ordinary.side_flags = {1, 1, 1, 0, 0, 1};
  Tmodulo_agg mobile = ordinary;
  mobile.x = 5000;
  mobile.code = "CVMOBIL_1";
  mobile.side_flags = {0, 0, 1, 1, 1, 2};  // only a flag equal to 1 counts
  add_cell({ordinary, mobile});
  build_bill_of_materials();
  EXPECT_EQ(lines(), (Tdett_prv{line(0, 1, "TE"), line(1, 2, "TS"), line(2, 2, "T"), line(3, 10, "G")}));
}

TEST_F(BillOfMaterials, FreeModuleFramesOfEveryCellWhicheverIsCurrentAndAfterReload) {
  CodesTable = {row("R", "577", "1000", ""), row("TE", "577", "", "2000")};
  Tmodulo_agg module = make_free(0, 0, 577, 1000, 'V');
  module.side_flags = {0, 0, 1, 1, 0, 0};
  add_cell({module});
  add_cell({module});
  const Tdett_prv expected{line(0, 5, "R"), line(1, 2, "TE")};
  auto bill_with_current = [&](int current) {
    AppState.current_cell = current;
    build_bill_of_materials();
    EXPECT_EQ(lines(0), expected) << "cell 0 with cell " << current << " current";
    EXPECT_EQ(lines(1), expected) << "cell 1 with cell " << current << " current";
  };
  bill_with_current(0);
  bill_with_current(1);
  // Frame heights are not stored: a reloaded project must still bill them.
  ProjectData reloaded = parse_project(project_file_text(QuoteHeader, Cells, 1, true), "test");
  Cells = reloaded.cells;
  bill_with_current(reloaded.current_cell);
  bill_with_current(0);
}

TEST_F(BillOfMaterials, TrolleysShareOneBeamLineWithSummedMetres) {
  CodesTable = {row("OV", "", "", "", {"-"}), row("PRG", "", "", ""), row("RG", "x", "", ""),
                row("RG", "", "", "", {"-"}), row("RGF", "", "", "")};
  Tcell& cell = add_cell({make_free(0, 0, 500, 1000, 'H', "CARRELLO"), make_free(0, 900, 500, 1200, 'H', "CARRELLO")});
  build_bill_of_materials();
  // TIPO alone picks the last row of that type, whatever its keys and options.
  EXPECT_EQ(lines(), (Tdett_prv{line(0, 1, "OV", 4.6), line(1, 8, "PRG"), line(3, 4, "RG"), line(4, 4, "RGF")}));

  cell.free_modules[1].length = 1000;
  cell.free_modules.push_back(make_free(0, 1800, 500, 1000, 'H', "CARRELLO"));
  build_bill_of_materials();
  EXPECT_EQ(lines()[0], line(0, 1, "OV", 6.3));  // three times 2.1 m, without rounding noise
}

TEST_F(BillOfMaterials, CompactGroupsAreRebuiltAndCountedAsKits) {
  CodesTable = {row("KG", "", "2245", ""), row("KG", "", "2645", "")};
  Tcell& cell =
      add_cell({make_free(0, 0, 577, 1000, 'V', "CVFISSO_1"), make_free(2000, 0, 577, 1000, 'V', "CVFISSO_1"),
                make_free(0, 3000, 577, 1000, 'V', "CVFISSO_2"), make_free(2300, 3000, 577, 1000, 'V', "CVFISSO_2")});
  build_bill_of_materials();
  EXPECT_EQ(cell.compact_groups.size(), 2u);
  EXPECT_EQ(lines(), (Tdett_prv{line(0, 1, "KG"), line(1, 1, "KG")}));
}

TEST_F(BillOfMaterials, OptionAvailableRequiresSi) {
  EXPECT_FALSE(code_option_available("R", "500", "1000", "", 0));
  CodesTable = {row("R", "500", "1000", "", {"SI", "", "-"}), row("TE", "914,4", "", "2000", {"", "SI"})};
  // Only "SI" counts; an option past the row's last, or a row not there, is not available.
  for (int option = 0; option < 4; ++option)
    EXPECT_EQ(code_option_available("R", "500", "1000", "", option), option == 0) << option;
  EXPECT_FALSE(code_option_available("R", "500", "1300", "", 0));
  EXPECT_TRUE(code_option_available("TE", "914.4", "", "2000", 1));
}

}  // namespace
