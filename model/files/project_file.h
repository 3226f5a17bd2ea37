// Project files user/prvNNNNN.cel: the quote header, every cell with its walls,
// bays, end frames and free modules, and the current cell, one value per line,
// stored scrambled. The program writes version "V002" and reads "V002", "V001"
// and the legacy form without a version line.
//
// Loads are transactional: a file is parsed into a fresh ProjectData, every
// count and index is checked against what the file can hold, and only a
// complete, valid parse replaces the open project. Files on disk are decoded in
// memory and never modified by a reader.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/records.h"

// One project as stored: what a load replaces in the globals.
struct ProjectData {
  Tprv header;
  Tcells cells;
  int current_cell = 0;
  // What was cut at reading, each naming its line: a name or text longer than
  // any window shows, a shelf pattern longer than any bay (kMostShelfSlots).
  // The rest loads as stored.
  std::vector<std::string> damage;
};

// The plain content of a "V002" file. full = false gives the mail copy: the
// customer block blanked with dashes and discounts 1 and 2 written as 0.
std::string project_file_text(const Tprv& header, const Tcells& cells, int current_cell, bool full);

// Parses the plain content of a project file of any version. Raises FileError
// naming the source and line for an unknown version, a file cut short or a
// malformed value. A project without cells gets the default first cell, and
// the current cell is clamped into range. Names and texts longer than any
// window shows (kTextBytes, model/base/text_io.h) and shelf patterns longer
// than any bay can have (kMostShelfSlots, model/layout/shelf_patterns.h) are
// cut, and the cuts listed in damage. A pattern longer than its own bay is
// kept as stored: the shelves dialog writes one over bays of other heights.
ProjectData parse_project(std::string_view plain, const std::string& source);
// Parses the head of a project file as far as the project index needs it: the
// texts of the quote header up to the drawing. The discount lines are passed
// over unread and left at 0.
Tprv parse_project_head(std::string_view plain, const std::string& source);

// The project or its head from a file in its stored, scrambled form.
ProjectData read_project_file(const std::string& path);
Tprv read_project_head(const std::string& path);

// Writes the open project (QuoteHeader, Cells, current cell) to path, safely
// and scrambled, after keeping a copy of the file when it loaded damaged;
// raises FileError with the old file intact.
void write_project_file(const std::string& path, bool full);

// Replaces QuoteHeader, Cells and AppState.current_cell by the project in the
// file at path (stored scrambled). On any error it raises FileError and the
// open project stays exactly as it was. A project that loads with cuts is
// shown to the user as a damaged file, which is kept beside it before it is
// written again. The caller sets AppState.file_name once the load has
// succeeded and rebuilds the derived values (rebuild_derived_values).
void load_project(const std::string& path);

// The first cell of a new project: no walls, wall thickness 60, named by text::cell.
Tcell first_cell();
