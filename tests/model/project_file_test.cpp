#include "model/files/project_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <utility>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/layout/shelf_patterns.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/program_dir.h"
#include "support/project_refusals.h"
#include "support/room_outline.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

using Lines = std::vector<std::string>;

// How the load says a file is no project, before the line that tells it.
const std::string kNoProject = " is not a project file: it does not begin as a project does.\r\n";

Lines concatenated(Lines lines, const Lines& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

// A small project whose V002 file is written out line by line below; its
// header is sample_quote_header().
Tcells golden_cells() {
  Tlinea wall;
  wall.x2 = 1000.0;
  wall.normal_y = -1.0;
  wall.end_angle = 90.0;
  wall.show_dimensions = true;
  wall.module_count = 1;
  wall.module_height = 2000.0;
  wall.module_depth = 475.0;
  wall.shelf_count = 5;
  wall.free_space = 26.0;
  wall.laid_out = true;
  wall.length = 1000.0;
  wall.forced_lengths = {974.0};
  Tmodulo bay;
  bay.shelf_count = 5;
  bay.height = 2000.0;
  bay.width = 475.0;
  bay.length = 974.0;
  bay.x = 500.0;
  bay.y = -237.5;
  bay.shelf_pattern = "10101010101";
  bay.group_code = "CVFISSO_1";
  wall.modules = {bay};
  Tmodulo_agg free;
  free.shelf_count = 6;
  free.height = 1700.0;
  free.width = 577.0;
  free.length = 974.0;
  free.extent_x = 577.0;
  free.extent_y = 974.0;
  free.orientation = 'V';
  free.shelf_pattern = "111111";
  free.clear_n = 99999.0;
  Tcell cell;
  cell.name = "Cella 1";
  cell.walls = {wall};
  cell.free_modules = {free};
  cell.clearance = 20.0;
  return {cell};
}

const Lines kGoldenHead = {"V002",          "06/12/2026", "Q-17",       "Ref 9",  "Rossi Srl",       "Via Roma 1",
                           "20100",         "Milano",     "MI",         "Italia", "02 123",          "02 124",
                           "r@example.com", "2",          "first note", "",       "Ufficio tecnico", "Note one",
                           "Note two",      "   10.00",   "    2.50",   "D-3",    "    1.25",        "    0.50"};

const Lines kGoldenCells = {
    "1", "Cella 1", "1",
    // wall
    "    0.00", "    0.00", " 1000.00", "    0.00", "    0.00", "   -1.00", "1", "H", "    0.00", "   90.00", "1", "1",
    " 2000.00", "  475.00", "5", "    0.00", "    0.00", "0", "   26.00", "    0.00", "    0.00", "    0.00", "0", "0",
    "0", "0", "0", "0", "1", " 1000.00", "1", " 9.74000000000000E+0002",
    // bay
    "1", "5", " 2000.00", "  475.00", "  974.00", "  500.00", " -237.50", "HCVFISSO_1", "10101010101", "0",
    // end frames
    "0",
    // free module
    "1", "6", " 1.70000000000000E+0003", "  577.00", "  974.00", "    0.00", "    0.00", "  577.00", "  974.00", "V",
    "111111", "0", "99999.00", "    0.00", "    0.00", "    0.00", "0", "0", "0", "0", "-1", "0", "0", "0", "0", "0",
    "0", "", "", "", "", "", "", "", "",
    // structure type, clearance, wall thickness
    "0", "20.00", "60.00",
    // current cell
    "0"};

class ProjectFile : public FreshProjectTest {
 protected:
  void SetUp() override {
    LangTable.assign(40, "");
    LangTable[39] = "Cella";
    HeightList = {1500.0, 1700.0, 2000.0, 2500.0};
    WidthList = {300.0, 400.0, 475.0};
    // An open project that a failed load must leave exactly as it is.
    QuoteHeader = sample_quote_header();
    Cells = {sample_cell("Open", 2, 3, 2)};
    AppState.current_cell = 0;
  }

  // Loads plain project text through the file on disk, as the program does.
  void load_text(const std::string& plain) {
    std::string path = dir.file("prv00001.cel");
    write_scrambled_file(path, plain);
    load_project(path);
  }

  void expect_load_fails_untouched(const std::string& plain, const std::string& message_part = "") {
    Tprv header = QuoteHeader;
    Tcells cells = Cells;
    int current = AppState.current_cell;
    try {
      load_text(plain);
      ADD_FAILURE() << "the load did not fail";
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(message_part), std::string::npos) << error.what();
    }
    EXPECT_EQ(QuoteHeader, header);
    EXPECT_EQ(Cells, cells);
    EXPECT_EQ(AppState.current_cell, current);
  }

  TempProgramDir dir;
};

Lines v001_fixture() {
  return {"V001", "01/02/2003", "N-1", "REF", "Bianchi", "Addr", "PC", "City", "PR", "Country", "Phone", "Fax", "Mail",
          "2", "nota 1", "nota 2", "From", "n1", "n2", "   10.00", "    0.00", "DRW",
          // discounts 3 and 4: present but never used by version 1
          "    5.00", "    7.00", "1", "Cella A", "1",
          // wall
          "    0.00", "    0.00", " 3000.00", "    0.00", "    0.00", "   -1.00", "1", "H", "    0.00", "   90.00", "1",
          "1", " 2000.00", "  475.00", "5", "    0.00", "    0.00", "0", " 2026.00", "    0.00", "    0.00", "    0.00",
          "0", "0", "0", "0", "0", "0", "1", " 3000.00", "0",
          // one bay of compact group 2
          "1", "5", " 2000.00", "  475.00", "  974.00", "  500.00", " -237.50", "HCVMOBIL_2", "10101", "1",
          // two end frames
          "2", "   10.00", " -237.50", " 2000.00", "  475.00", "H", "TE", "-1", "0", "  990.00", " -237.50", " 2000.00",
          "  475.00", "H", "TE", "0", "-1",
          // one trolley, no spare texts
          "1", "6", " 1.70000000000000E+0003", "  577.00", "  974.00", "   10.00", "   20.00", "  577.00", "  974.00",
          "VCARRELLO", "111111", "0", "99999.00", "    1.00", "    2.00", "    3.00", "1", "0", "0", "0", "-1", "0",
          "0", "0", "0", "0", "1",
          // structure type, clearance, wall thickness, current cell
          "1", "15.00", "60.00", "0"};
}

Lines legacy_fixture() {
  return {"31/12/1999", "N-0", "OLD", "Verdi", "", "", "", "", "", "", "", "",
          // no notes; from, notes, discounts 1 and 2, drawing, discounts 3 and 4
          "From", "", "", "    5.00", "    0.00", "DRW0", "    3.00", "", "1", "Legacy", "2",
          // wall with height index 2.5 and a negative depth index
          "    0.00", "    0.00", " 2000.00", "    0.00", "    0.00", "   -1.00", "1", "H", "    0.00", "    0.00", "0",
          "0", "    2.50", "   -1.00", "4", "    0.00", "    0.00", "0", "    0.00", "    0.00", "    0.00", "    0.00",
          "0", "0", "0", "0", "0", "0", "0", " 2000.00", "0", "1", "4", " 1700.00", "  400.00", "  974.00", "  500.00",
          " -200.00", "H", "1111", "0", "0",
          // an opening with height index 0.5 (rounds to 0) and depth index 1.5 (rounds to 2)
          "    0.00", "    0.00", "    0.00", " 1000.00", "   -1.00", "    0.00", "0", "V", "    0.00", "    0.00", "0",
          "0", "    0.50", "    1.50", "0", "    0.00", "    0.00", "1", "    0.00", "    0.00", "    0.00", "    0.00",
          "0", "0", "0", "0", "0", "0", "0", " 1000.00", "0", "0", "0",
          // one free module, orientation alone, no spare texts
          "1", "3", " 1.00000000000000E+0003", "  300.00", "  974.00", "    0.00", "    0.00", "  974.00", "  300.00",
          "H", "111", "0", "    0.00", "    0.00", "    0.00", "    0.00", "0", "0", "0", "0", "-1", "0", "0", "0", "0",
          "0", "0",
          // structure type, clearance, wall thickness; no current cell line
          "0", "0.00", "60.00"};
}

}  // namespace

TEST_F(ProjectFile, WriterGivesTheExactV002Text) {
  EXPECT_EQ(project_file_text(sample_quote_header(), golden_cells(), 0, true),
            joined_lines(concatenated(kGoldenHead, kGoldenCells)));
}

TEST_F(ProjectFile, MailCopyBlanksTheCustomerAndTheFirstTwoDiscounts) {
  Lines head = {"V002", "06/12/2026", "Q-17", "Ref 9"};
  head.insert(head.end(), 9, "-----------");
  head = concatenated(head, {"0", "Ufficio tecnico", "Note one", "Note two", "0", "0", "D-3", "    1.25", "    0.50"});
  std::string text = project_file_text(sample_quote_header(), golden_cells(), 0, false);
  EXPECT_EQ(text, joined_lines(concatenated(head, kGoldenCells)));

  QuoteHeader = sample_quote_header();
  Cells = golden_cells();
  write_project_file(dir.file("preventivo_mail.cel"), false);
  EXPECT_EQ(read_scrambled_file(dir.file("preventivo_mail.cel")), text);
}

TEST_F(ProjectFile, WriteThenReadGivesBackEveryStoredFieldAndNoTransientOne) {
  Tcells stored = {sample_cell("Uno", 3, 4, 3), sample_cell("Due", 1, 0, 0), sample_cell("", 0, 0, 5)};
  Tcells cells = stored;
  cells[0].outline_closed = true;
  cells[0].walls[0].selected = true;
  cells[0].walls[0].modules[0].heavy = true;
  cells[0].walls[0].modules[0].corner_joint_end = 2;
  cells[0].walls[0].end_frames[0].arch = true;
  cells[0].free_modules[0].snap_a = 3;
  cells[0].free_modules[0].frame_height_a = 1850.0;
  cells[0].compact_groups.resize(1);
  Tprv header = sample_quote_header();
  header.drawing = std::string(300, 'd');        // a 255-byte field
  header.customer.name = std::string(300, 'n');  // a plain string, kept whole
  ProjectData read = parse_project(project_file_text(header, cells, 2, true), "test");
  header.drawing.resize(255);
  EXPECT_EQ(read.header, header);
  EXPECT_EQ(read.cells, stored);
  EXPECT_EQ(read.current_cell, 2);
}

TEST_F(ProjectFile, ValueThatIsNotFiniteIsRefusedAndTheOldFileKept) {
  std::string path = dir.file("prv00001.cel");
  write_project_file(path, true);
  const std::string before = read_file_bytes(path);
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    Cells[0].walls[1].y2 = bad;
    try {
      write_project_file(path, true);
      ADD_FAILURE() << "a wall end of " << bad << " was written";
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find("wall 2"), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find("y2"), std::string::npos) << error.what();
    }
    EXPECT_EQ(read_file_bytes(path), before);
  }
}

TEST_F(ProjectFile, LoadReplacesTheOpenProject) {
  Tcells cells = {sample_cell("Uno", 2, 2, 1), sample_cell("Due", 1, 1, 1)};
  Cells[0].outline_closed = true;
  QuoteHeader = Tprv{};
  load_text(project_file_text(sample_quote_header(), cells, 1, true));
  EXPECT_EQ(QuoteHeader, sample_quote_header());
  EXPECT_EQ(Cells, cells);  // transient fields at their defaults
  EXPECT_EQ(AppState.current_cell, 1);
}

// Whether an outline is closed is not stored: an opened project works it out
// from its walls, the same way the outline tool decides to close.
TEST_F(ProjectFile, AnOpenedProjectCountsClosedOutlinesAsClosed) {
  ScopedScriptedUi ui;
  Tcells cells(4);
  for (Tcell& cell : cells.edit_all()) cell.walls = four_by_three_walls();
  cells[1].walls.pop_back();    // the last wall missing
  cells[2].walls[3].y2 = 10;    // the last wall ends beside the start
  cells[3].walls[2].x1 = 3990;  // a wall starts away from the previous end
  load_text(project_file_text(Tprv{}, cells, 0, true));
  for (std::size_t c = 0; c < Cells.size(); ++c) EXPECT_EQ(Cells[c].outline_closed, c == 0) << "cell " << c;

  // The geometry check then runs after each edit of the opened room.
  AppState.current_cell = 0;
  compute_wall_normals();
  UndoHistory.clear();
  UndoPosition = -1;
  push_undo_snapshot();
  const std::vector<Tlinea> drawn = Cells[0].walls;
  Cells[0].walls[1].x2 += 500;  // a slanted wall
  push_undo_snapshot();
  EXPECT_EQ(Cells[0].walls, drawn) << "the edit was rolled back";
  EXPECT_EQ(ui->messages.size(), 1u);
}

// Version 1 differs from the current version only in its discounts 3 and 4,
// which are never used, and in the spare texts of free modules, which it lacks:
// the loaded project must write out as the fixture with just those lines changed.
TEST_F(ProjectFile, VersionOneFixtureLoadsEveryField) {
  QuoteHeader.discount3 = 8.0;  // must not leak into the loaded project
  QuoteHeader.discount4 = 9.0;
  Lines lines = v001_fixture();
  load_text(joined_lines(lines));
  lines[0] = "V002";
  lines[22] = lines[23] = "    0.00";
  lines.insert(lines.end() - 4, 8, "");  // before the structure type
  EXPECT_EQ(project_file_text(QuoteHeader, Cells, AppState.current_cell, true), joined_lines(lines));
}

TEST_F(ProjectFile, LegacyFixtureTurnsIndexesIntoSizes) {
  load_text(joined_lines(legacy_fixture()));
  // No notes; discount 4 is an empty line.
  Tcliente verdi{"Verdi", "", "", "", "", "", "", "", "", {}};
  EXPECT_EQ(QuoteHeader, (Tprv{verdi, "31/12/1999", "N-0", "From", "OLD", "DRW0", "", "", 5.0, 0.0, 3.0, 0.0}));
  ASSERT_EQ(Cells.size(), 1u);
  ASSERT_EQ(Cells[0].walls.size(), 2u);
  const Tlinea& first = Cells[0].walls[0];
  // Height index 2.5 rounds to 2; a negative depth index gives no depth.
  EXPECT_EQ(std::pair(first.module_height, first.module_depth), std::pair(2000.0, 0.0));
  ASSERT_EQ(first.modules.size(), 1u);
  EXPECT_EQ(std::pair(first.modules[0].orientation, first.modules[0].group_code), std::pair('H', std::string()));
  const Tlinea& second = Cells[0].walls[1];
  // Index 0.5 rounds to 0, 1.5 to 2.
  EXPECT_EQ(std::pair(second.module_height, second.module_depth), std::pair(1500.0, 475.0));
  EXPECT_EQ(second.orientation, 'V');
  ASSERT_EQ(Cells[0].free_modules.size(), 1u);
  EXPECT_EQ(std::pair(Cells[0].free_modules[0].code, Cells[0].free_modules[0].height),
            std::pair(std::string(), 1000.0));
  EXPECT_EQ(AppState.current_cell, 0);  // no trailer
}

TEST_F(ProjectFile, LegacyIndexOutsideTheCatalogueIsAnError) {
  Lines lines = legacy_fixture();
  auto height = std::find(lines.begin(), lines.end(), "    2.50");
  *height = "    3.60";  // rounds to 4; the catalogue has four heights
  expect_load_fails_untouched(joined_lines(lines), "height index");
  *height = "1e300";
  expect_load_fails_untouched(joined_lines(lines), "height index");
}

TEST_F(ProjectFile, IndexReadsTheHeadOfAnyVersionNumberButOnlyKnownVersionsLoad) {
  const std::string current = project_file_text(sample_quote_header(), golden_cells(), 0, true);
  for (std::string version : {"V3", "V017", "V1"}) {
    const std::string text = version + current.substr(4);
    Tprv head = parse_project_head(text, "test");
    EXPECT_EQ(head.customer, sample_quote_header().customer) << version;
    EXPECT_EQ(head.drawing, sample_quote_header().drawing) << version;
    EXPECT_THROW(parse_project(text, "test"), FileError) << version;
  }
  EXPECT_THROW(parse_project_head("Vx" + current.substr(4), "test"), FileError);
}

TEST_F(ProjectFile, UnknownVersionIsAnErrorAndTheProjectStays) {
  Lines lines = v001_fixture();
  for (const char* first : {"V003", "V0022", "V1"}) {
    lines[0] = first;
    expect_load_fails_untouched(joined_lines(lines), "not a project file or unsupported version");
  }
  // No version number: a legacy project's date, and a version 1 head is no legacy head.
  for (const char* first : {"V", ""}) {
    lines[0] = first;
    expect_load_fails_untouched(joined_lines(lines), kNoProject + "Line 16: ");
  }
  expect_load_fails_untouched("", kNoProject + "Line 1: the file is empty");
}

TEST_F(ProjectFile, FileCutShortAtAnyLineIsAnErrorAndTheProjectStays) {
  Tcells cells = {sample_cell("Uno", 2, 2, 2), sample_cell("Due", 1, 1, 1)};
  Lines lines = split_lines(project_file_text(sample_quote_header(), cells, 1, true));
  auto first = [&](std::size_t kept) {
    return joined_lines(Lines(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(kept)));
  };
  for (std::size_t kept = 0; kept + 1 < lines.size(); ++kept)
    EXPECT_THROW(parse_project(first(kept), "test"), FileError) << kept << " lines";
  for (const std::string& cut : {first(1), first(2)}) expect_load_fails_untouched(cut, "the file ends too early");
  expect_load_fails_untouched(first(lines.size() / 2));
  // Without a version line only the whole head of 21 lines tells a project
  // from other text: one cut within it is no project, one cut later is.
  const Lines legacy = legacy_fixture();
  for (auto [kept, message] : {std::pair{1, kNoProject + "Line 2: the file has 1 line"},
                               {20, kNoProject + "Line 21: the file has 20 lines"},
                               {23, std::string("line 23: the count 2 does not fit the rest of the file")}})
    expect_load_fails_untouched(joined_lines(Lines(legacy.begin(), legacy.begin() + kept)), message);
  expect_load_fails_untouched("31/1", kNoProject + "Line 2: the file has 1 line");

  lines.pop_back();  // without the optional trailer the first cell is current
  load_text(joined_lines(lines));
  EXPECT_EQ(Cells, cells);
  EXPECT_EQ(AppState.current_cell, 0);
}

// Only a file that begins with a project's head is read as one: a version
// line, or the 21 lines of a legacy head. Any other file, plain text stored
// as such, binaries, the program's own scrambled files, is refused as no
// project by the load and the index alike, saying where it departs from a
// project's head; never as a project cut short or holding a bad number.
TEST_F(ProjectFile, AFileThatIsNoProjectIsRefusedAsSuch) {
  std::string drawing;
  for (int i = 0; i < 500; ++i) drawing += "  0\r\nSECTION\r\n  2\r\nHEADER\r\n";
  std::string binary(70000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(0x80 + i % 0x70);
  std::mt19937 random(65);
  std::string noise(5000, '\0');
  for (char& byte : noise) byte = static_cast<char>(random() % 256);
  std::string note;
  for (int i = 0; i < 30; ++i) note += "Riga della nota\r\n";
  std::string scrambled_note = note;
  scramble_bytes(scrambled_note);  // read as 30 lines of plain text
  const std::string unscrambled = project_file_text(sample_quote_header(), golden_cells(), 0, true);
  std::vector<std::pair<std::string, std::string>> stored = {
      {drawing,
       "Line 1: its first line should hold the project's version or date (at most 255 "
       "bytes) but holds 13500 bytes; as stored, the file begins \"0 SECTION 2 HEADER 0 SECTION"},
      {unscrambled, "as stored, the file begins \"V002 " + sample_quote_header().date},
      {binary, "holds 70000 bytes"},
      {"Lista della spesa\r\n",
       "Line 2: the file has 1 line, and the head of a project without "
       "a version line takes 21, from its date to its cell count; as stored, the file "
       "begins \"Lista della spesa\""},
      {"", "Line 1: the file is empty"},
      {"citt\xC3\xA0\r\n", "the file has 1 line"},
      {"citt\xE0\r\n", "the file has 1 line"},
      {"\xEF\xBB\xBFNota\r\n", "the file has 1 line"},
      {"\x10\xF6\x20\xF6\x30", "Line 4: the file has 3 lines"},
      {noise, ""},
      {note, ""},
      {scrambled_note,
       "Line 16: a project without a version line holds its first discount here, "
       "a number with two decimals in at least 8 characters"}};
  const char* sources = std::getenv("RACKWRIGHT_SOURCE_DIR");  // and every picture of the tests
  ASSERT_NE(sources, nullptr);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(sources) + "/tests"))
    if (entry.path().extension() == ".png") stored.emplace_back(read_file_bytes(entry.path().string()), "");
  const std::string path = dir.file("prv00001.cel");
  for (const auto& [bytes, found] : stored) {
    write_file_safely(path, bytes);
    for (const std::string& message : project_refusals(path))
      EXPECT_TRUE(says_no_project(message, path) && message.find(found) != message.npos) << message;
  }
  EXPECT_EQ(Cells, (Tcells{sample_cell("Open", 2, 3, 2)}));
}

// One flipped bit of a stored project's version line is said at line 1 as a
// damaged version line (or an unknown version): never as a file of another
// kind. Turned into the other version the program reads, it is told by the
// rest of the file, which that version reads whole.
TEST_F(ProjectFile, AFlippedBitOfTheVersionLineIsSaidAsADamagedVersionLine) {
  const std::string path = dir.file("prv00001.cel");
  for (const Lines& lines : {concatenated(kGoldenHead, kGoldenCells), v001_fixture()}) {
    std::string stored = joined_lines(lines);
    scramble_bytes(stored);
    for (std::size_t byte = 0; byte < 4; ++byte) {
      for (int bit = 0; bit < 8; ++bit) {
        std::string flipped = stored;
        flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
        write_file_safely(path, flipped);
        const auto [load, index] = project_refusals(path);
        EXPECT_TRUE(load.starts_with(path + ": line 1: ") &&
                    (load.find(": the version line is damaged: ") != load.npos ||
                     load.find("unsupported version") != load.npos))
            << lines[0] << " byte " << byte << " bit " << bit << ": " << load;
        EXPECT_TRUE(index.empty() || index.starts_with(path + ": line 1: the version line is damaged: ")) << index;
      }
    }
    std::string swapped = stored;
    swapped[3] = static_cast<char>(swapped[3] ^ 1);  // "V002" and "V001" differ in their last bit as stored
    write_file_safely(path, swapped);
    EXPECT_NE(project_refusals(path)[0].find("and the file is laid out as a project of version \"" + lines[0] + "\""),
              std::string::npos)
        << project_refusals(path)[0];
  }
  // Without free modules both versions take the same lines: a bad discount
  // line is no damaged version line.
  Lines lines = split_lines(project_file_text(sample_quote_header(), {sample_cell("Uno", 1, 1, 0)}, 0, true));
  lines[22] = "abc";
  expect_load_fails_untouched(joined_lines(lines), ": line 23: a discount was expected");
  EXPECT_EQ(Cells, (Tcells{sample_cell("Open", 2, 3, 2)}));
}

// The customer register given as a project is said first to be no project,
// the line that tells it after, by the load and the index alike.
TEST_F(ProjectFile, TheCustomerRegisterIsSaidToBeNoProject) {
  Customers = {sample_quote_header().customer, Tcliente{"Bianchi", "", "", "", "", "", "", "", "", {}}};
  write_customers();
  const std::string path = dir.file("user/clienti.dat");
  for (const std::string& refusal : project_refusals(path))
    EXPECT_TRUE(says_no_project(refusal, path) && refusal.find("\r\nLine 16: ") != refusal.npos) << refusal;
}

// A legacy project opens, and the index reads its date, whatever the date
// holds: any language, in UTF-8 or its language's code page (read as UTF-8
// of the same letters), a leading V, or nothing. Its first two discounts are
// as every project writes them.
TEST_F(ProjectFile, LegacyProjectsOpenWithADateInAnyLanguageOrNone) {
  Lines lines = legacy_fixture();
  const int language = AppState.language;
  struct Date {
    int language;  // 0 Italian, 2 French, 3 German, 6 Czech, 7 Polish
    std::string stored, read;
  };
  for (const Date& date : {Date{0, "3 marzo 2004", "3 marzo 2004"},
                           {6, "Venerd\xC3\xAC 5 marzo 2004", "Venerd\xC3\xAC 5 marzo 2004"},
                           {2, "3 f\xE9vrier 2004", "3 f\xC3\xA9vrier 2004"},
                           {3, "3. M\xC3\xA4rz 2004", "3. M\xC3\xA4rz 2004"},
                           {6, "3. z\xE1\xF8\xED 2004", "3. z\xC3\xA1\xC5\x99\xC3\xAD 2004"},
                           {7,
                            "3 pa\x9F"
                            "dziernika 2004",
                            "3 pa\xC5\xBA"
                            "dziernika 2004"},
                           {0, "          ", "          "},
                           {0, "", ""}}) {
    AppState.language = date.language;
    lines[0] = date.stored;
    load_text(joined_lines(lines));
    EXPECT_EQ(QuoteHeader.date, date.read);
    EXPECT_EQ(read_project_head(dir.file("prv00001.cel")).date, date.read);
  }
  AppState.language = language;
  for (const char* discount : {"5.00", "    5,00", " 5.0e+00"}) {
    lines[16] = discount;
    expect_load_fails_untouched(joined_lines(lines), kNoProject +
                                                         "Line 17: a project without a version line holds its second "
                                                         "discount here");
  }
}

TEST_F(ProjectFile, CountsBeyondTheFileAreErrors) {
  Lines lines = split_lines(project_file_text(sample_quote_header(), golden_cells(), 0, true));
  for (const char* count : {"2147483647", "-1", "99999999999"}) {
    Lines damaged = lines;
    damaged[kGoldenHead.size() + 2] = count;  // the wall count, after the cell count and name
    expect_load_fails_untouched(joined_lines(damaged));
  }
}

TEST_F(ProjectFile, IndexesAreBroughtIntoRange) {
  Tcells cells = golden_cells();
  Ttestata frame;
  frame.module_before = 0;
  frame.module_after = 1;  // the wall has one bay
  cells[0].walls[0].end_frames = {frame};
  cells[0].free_modules[0].coupled_with = 4;
  ProjectData read = parse_project(project_file_text(sample_quote_header(), cells, 7, true), "test");
  const Ttestata& read_frame = read.cells[0].walls[0].end_frames[0];
  EXPECT_EQ(std::pair(read_frame.module_before, read_frame.module_after), std::pair(0, -1));
  EXPECT_EQ(read.cells[0].free_modules[0].coupled_with, -1);
  EXPECT_EQ(read.current_cell, 0);
  EXPECT_EQ(parse_project(project_file_text(sample_quote_header(), cells, -2, true), "test").current_cell, 0);
}

// Names and texts longer than a window shows and shelf patterns longer than
// any bay are cut where they are read (a 50 MB cell name froze the tab bar,
// a million "1"s built a million levels in the 3-D view). The project loads;
// the cuts are said by their lines, and the file is kept before it is written
// over.
TEST_F(ProjectFile, OverlongNamesTextsAndShelfPatternsAreCutAtReadingAndSaid) {
  ScopedScriptedUi ui;
  Lines lines = split_lines(project_file_text(sample_quote_header(), golden_cells(), 0, true));
  const std::size_t customer = 4, note = 14, name = kGoldenHead.size() + 1;
  const auto at = [&](const std::string& line) {
    return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
  };
  const std::size_t bay_pattern = at("10101010101"), free_pattern = at("111111");
  lines[customer] = std::string(kTextBytes - 1, 'R') + "\xC3\xA8";  // a character across the bound
  lines[note] = std::string(kTextBytes + 1, 'n');
  lines[name] = std::string(kTextBytes + 1, 'C');
  lines[bay_pattern] = std::string(1000000, '1');
  lines[free_pattern] = std::string(kMostShelfSlots, '1');  // as long as a pattern can be: kept
  const std::string path = dir.file("prv00001.cel");
  write_scrambled_file(path, joined_lines(lines));
  const std::string stored = read_file_bytes(path);
  load_project(path);

  EXPECT_EQ(QuoteHeader.customer.name, std::string(kTextBytes - 1, 'R'));
  ASSERT_EQ(QuoteHeader.customer.notes.size(), 2u);
  EXPECT_EQ(QuoteHeader.customer.notes[0], std::string(kTextBytes, 'n'));
  EXPECT_EQ(Cells[0].name, std::string(kTextBytes, 'C'));
  EXPECT_EQ(Cells[0].walls[0].modules[0].shelf_pattern, std::string(kMostShelfSlots, '1'));
  EXPECT_EQ(Cells[0].free_modules[0].shelf_pattern, std::string(kMostShelfSlots, '1'));
  EXPECT_EQ(Cells[0].free_modules[0].spare_texts, golden_cells()[0].free_modules[0].spare_texts) << "read on";
  ASSERT_EQ(ui->messages.size(), 1u);
  const std::string& message = ui->messages[0];
  EXPECT_TRUE(message.starts_with(read_error_text(path))) << message;
  for (std::size_t line : {customer, note, name, bay_pattern})
    EXPECT_NE(message.find("line " + std::to_string(line + 1) + ": "), std::string::npos) << line + 1 << message;
  EXPECT_EQ(message.find("line " + std::to_string(free_pattern + 1) + ": "), std::string::npos) << message;
  EXPECT_NE(message.find("a shelf pattern of 1000000 slots, more than the 100 a bay can have"), std::string::npos)
      << message;
  EXPECT_NE(message.find(path + ".damaged"), std::string::npos) << message;

  write_project_file(path, true);
  EXPECT_EQ(read_file_bytes(path + ".damaged"), stored);
  EXPECT_EQ(parse_project(read_scrambled_file(path), "saved").damage, Lines{}) << "saved as it loaded";
}

// The shelves dialog, applied to bays of different heights, gives each the
// pattern of the tallest: a pattern longer than its own bay is the program's
// own and is read as it stands, with no damage said.
TEST_F(ProjectFile, APatternLongerThanItsBayIsReadAsItStands) {
  Tcells cells = golden_cells();
  cells[0].walls[0].modules[0].shelf_pattern = std::string(40, '1');  // a bay of 1700 mm has 11 slots
  ProjectData read = parse_project(project_file_text(sample_quote_header(), cells, 0, true), "test");
  EXPECT_EQ(read.cells[0].walls[0].modules[0].shelf_pattern, std::string(40, '1'));
  EXPECT_EQ(read.damage, Lines{});
}

TEST_F(ProjectFile, ProjectWithoutCellsGetsTheFirstCell) {
  std::string text = project_file_text(sample_quote_header(), {}, 0, true);
  EXPECT_TRUE(text.ends_with("    0.50\r\n0\r\n0\r\n"));  // the cell count, then the current cell
  load_text(text);
  ASSERT_EQ(Cells.size(), 1u);
  EXPECT_EQ(std::pair(Cells[0].name, Cells[0].wall_thickness), std::pair(std::string("Cella"), 60.0));
  EXPECT_TRUE(Cells[0].walls.empty());
  EXPECT_EQ(AppState.current_cell, 0);
}
