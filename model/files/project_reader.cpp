// The readers of the three project file versions. They differ only in a few
// lines (see the version checks below); everything else is read in one order.
#include <algorithm>

#include "model/base/file_io.h"
#include "model/base/rounding.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/files/project_file.h"
#include "model/layout/outline_queries.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/globals.h"

namespace {

enum class Version { Legacy, V001, V002 };

// The longest date a legacy project begins with: a short string.
constexpr std::size_t kShortStringBytes = 255;

// The plain text a file begins with as stored, its line ends and blanks run
// together, up to the first byte that is no such text: "0 SECTION 2 HEADER"
// for a drawing. Empty when the file does not begin with text.
std::string stored_text_start(std::string_view first_line) {
  constexpr std::size_t kShownCharacters = 40;
  std::string stored(first_line.substr(0, 4 * kShownCharacters));
  scramble_bytes(stored);  // back to the bytes on disk
  std::string shown;
  for (char c : stored) {
    const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    if (!blank && (c < '!' || c > '~')) break;
    if (blank && (shown.empty() || shown.back() == ' ')) continue;
    shown.push_back(blank ? ' ' : c);
    if (shown.size() == kShownCharacters) break;
  }
  if (!shown.empty() && shown.back() == ' ') shown.pop_back();
  return shown;
}

// The refusal of a file whose first line no project has, saying what it holds.
std::string not_a_project_text(std::string_view first_line) {
  std::string text = "not a project file: its first line should hold the project's version or date";
  if (first_line.size() > kShortStringBytes)
    text += " (at most " + std::to_string(kShortStringBytes) + " bytes) but holds " +
            std::to_string(first_line.size()) + " bytes";
  else
    text += " but holds no text";
  if (std::string stored = stored_text_start(first_line); !stored.empty())
    text += "; as stored, the file begins \"" + stored + "\"";
  return text;
}

class ProjectReader {
 public:
  ProjectReader(std::string_view plain, const std::string& source) : in_(plain, source) {}

  Tprv read_head() {
    Tprv header = read_head_to_drawing(true, false);
    // Version 1 stores two lines here whose values were never used: its discounts 3 and 4 are 0.
    header.discount3 = version_ == Version::V001 ? skip_discount() : read_discount();
    header.discount4 = version_ == Version::V001 ? skip_discount() : read_discount();
    return header;
  }

  // The project index needs only the texts: it passes over the discount lines
  // unread and stops at the drawing.
  Tprv read_index_head() { return read_head_to_drawing(false, true); }

  ProjectData read_project() {
    ProjectData project;
    project.header = read_head();
    int cell_count = read_count();
    for (int i = 0; i < cell_count; ++i) project.cells.push_back(read_cell());
    if (!in_.at_end()) project.current_cell = in_.int32();
    if (project.cells.empty()) project.cells.push_back(first_cell());
    project.current_cell = std::clamp(project.current_cell, 0, static_cast<int>(project.cells.size()) - 1);
    project.damage = in_.notes();
    return project;
  }

 private:
  Tprv read_head_to_drawing(bool with_discounts, bool any_version) {
    Tprv header;
    header.date = read_version_and_date(any_version);
    header.number = in_.short_string();
    header.customer_ref = in_.short_string();
    read_customer(header.customer);
    header.from = in_.short_string();
    header.note1 = in_.short_string();
    header.note2 = in_.short_string();
    header.discount1 = with_discounts ? in_.number() : skip_discount();
    header.discount2 = with_discounts ? in_.number() : skip_discount();
    header.drawing = in_.short_string();
    return header;
  }

  // A load accepts the versions it knows; the project index reads the head of
  // any "V" + number, which keeps the same head from version 1 on.
  std::string read_version_and_date(bool any_version) {
    std::string first = in_.at_end() ? std::string() : in_.line();
    if (first.empty()) in_.fail("not a project file or unsupported version");
    if (first[0] != 'V') return read_legacy_date(first);
    const std::string_view digits = std::string_view(first).substr(1);
    const bool numbered = !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
    const bool known = first == "V001" || first == "V002";
    if (!known && !(any_version && numbered)) in_.fail("not a project file or unsupported version");
    // From version 1 on the customer block carries its notes.
    const bool version_zero = digits.find_first_not_of('0') == std::string_view::npos;
    version_ = version_zero ? Version::Legacy : first == "V001" ? Version::V001 : Version::V002;
    return in_.short_string();
  }

  // Legacy files begin with the date. Any file not stored as a project reads
  // as one line without a break, of bytes that are no plain text (its own
  // plain text unscrambled): one longer than a date can be, or one without a
  // plain character (a date has its digits), is refused as no project rather
  // than read on until the file seems to end early.
  std::string read_legacy_date(const std::string& first) {
    const bool plain_text =
        std::any_of(first.begin(), first.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (first.size() > kShortStringBytes || !plain_text) in_.fail(not_a_project_text(first));
    return first;
  }

  void read_customer(Tcliente& customer) {
    for (std::string* field : customer_fields(customer)) *field = in_.text();
    if (version_ == Version::Legacy) return;
    int note_count = read_count();
    for (int i = 0; i < note_count; ++i) customer.notes.push_back(in_.text());
  }

  double read_discount() {
    std::string text = in_.line();
    double value = 0.0;
    if (!text.empty() && !parse_double(text, value)) in_.fail("a discount was expected");
    return value;
  }

  double skip_discount() {
    in_.line();
    return 0.0;
  }

  int read_count() { return static_cast<int>(in_.count()); }

  // The orientation character and, from version 1 on, the group or module code after it.
  void read_orientation_and_code(char& orientation, std::string& code) {
    std::string text = in_.line();
    orientation = text.empty() ? ' ' : text[0];
    if (version_ != Version::Legacy && !text.empty()) code = text.substr(1);
  }

  // Legacy files store the bay height and depth of a wall as catalogue indexes.
  double read_size(const Tdimensioni& catalogue, const char* what) {
    double value = in_.number();
    if (version_ != Version::Legacy) return value;
    if (value < 0.0) return 0.0;
    if (value < static_cast<double>(catalogue.size()) + 1.0) {
      auto index = static_cast<std::size_t>(Round(value));
      if (index < catalogue.size()) return catalogue[index];
    }
    in_.fail(std::string("the ") + what + " index " + format_f0(value) + " is not in the catalogue");
  }

  // No bay has more than kMostShelfSlots slots: a longer pattern (a million
  // "1"s) is cut there and noted. A pattern longer than its own bay is kept:
  // the shelves dialog writes one for bays of different heights, and the 3-D
  // view places only the levels within the bay.
  std::string read_shelf_pattern() {
    std::string pattern = in_.line();
    const auto slots = static_cast<std::size_t>(kMostShelfSlots);
    if (pattern.size() <= slots) return pattern;
    in_.note("a shelf pattern of " + std::to_string(pattern.size()) + " slots, more than the " + std::to_string(slots) +
             " a bay can have; the slots after them are left out");
    pattern.resize(slots);
    return pattern;
  }

  Tcell read_cell() {
    Tcell cell;
    cell.name = in_.text();
    int wall_count = read_count();
    for (int i = 0; i < wall_count; ++i) cell.walls.push_back(read_wall());
    int free_count = read_count();
    for (int i = 0; i < free_count; ++i) cell.free_modules.push_back(read_free_module());
    for (Tmodulo_agg& module : cell.free_modules)
      if (module.coupled_with < -1 || module.coupled_with >= free_count) module.coupled_with = -1;
    cell.structure_type = in_.int32();
    cell.clearance = in_.number();
    cell.wall_thickness = in_.number();
    // Not stored: a drawn room must count as closed again, for its printed
    // wall band and for the geometry check after each edit.
    cell.outline_closed = outline_is_closed(cell);
    return cell;
  }

  Tlinea read_wall() {
    Tlinea wall;
    for (double* value : {&wall.x1, &wall.y1, &wall.x2, &wall.y2, &wall.normal_x, &wall.normal_y})
      *value = in_.number();
    wall.kind = in_.int32();
    wall.orientation = in_.character();
    wall.start_angle = in_.number();
    wall.end_angle = in_.number();
    wall.show_dimensions = in_.boolean();
    wall.module_count = in_.int32();
    wall.module_height = read_size(HeightList, "height");
    wall.module_depth = read_size(WidthList, "depth");
    wall.shelf_count = in_.int32();
    wall.start_gap = in_.number();
    wall.end_gap = in_.number();
    wall.priority = in_.int32();
    for (double* value : {&wall.free_space, &wall.start_free, &wall.end_free, &wall.chain_start}) *value = in_.number();
    for (bool* flag : {&wall.start_join_high, &wall.end_join_high, &wall.start_join_low, &wall.end_join_low,
                       &wall.start_bounded, &wall.end_bounded, &wall.laid_out})
      *flag = in_.boolean();
    wall.length = in_.number();
    int forced_count = read_count();
    for (int i = 0; i < forced_count; ++i) wall.forced_lengths.push_back(in_.number());
    int module_count = read_count();
    for (int i = 0; i < module_count; ++i) wall.modules.push_back(read_module());
    int frame_count = read_count();
    for (int i = 0; i < frame_count; ++i) wall.end_frames.push_back(read_end_frame(module_count));
    return wall;
  }

  Tmodulo read_module() {
    Tmodulo module;
    module.shelf_count = in_.int32();
    for (double* value : {&module.height, &module.width, &module.length, &module.x, &module.y}) *value = in_.number();
    read_orientation_and_code(module.orientation, module.group_code);
    module.shelf_pattern = read_shelf_pattern();
    module.custom_shelves = in_.int32();
    return module;
  }

  // Module indexes that point past the wall's bays count as none.
  Ttestata read_end_frame(int module_count) {
    Ttestata frame;
    for (double* value : {&frame.x, &frame.y, &frame.height, &frame.depth}) *value = in_.number();
    frame.orientation = in_.character();
    frame.frame_type = in_.line();
    for (int* index : {&frame.module_before, &frame.module_after}) {
      *index = in_.int32();
      if (*index < -1 || *index >= module_count) *index = -1;
    }
    return frame;
  }

  Tmodulo_agg read_free_module() {
    Tmodulo_agg module;
    module.shelf_count = in_.int32();
    for (double* value :
         {&module.height, &module.width, &module.length, &module.x, &module.y, &module.extent_x, &module.extent_y})
      *value = in_.number();
    read_orientation_and_code(module.orientation, module.code);
    module.shelf_pattern = read_shelf_pattern();
    module.custom_shelves = in_.int32();
    for (double* value : {&module.clear_n, &module.clear_s, &module.clear_e, &module.clear_o}) *value = in_.number();
    for (bool* flag : {&module.dim_n, &module.dim_s, &module.dim_e, &module.dim_o}) *flag = in_.boolean();
    module.coupled_with = in_.int32();
    for (int& flag : module.side_flags) flag = in_.int32();
    if (version_ == Version::V002)
      for (std::string& text : module.spare_texts) text = in_.line();
    return module;
  }

  TextReader in_;
  Version version_ = Version::Legacy;
};

}  // namespace

ProjectData parse_project(std::string_view plain, const std::string& source) {
  return ProjectReader(plain, source).read_project();
}

Tprv parse_project_head(std::string_view plain, const std::string& source) {
  return ProjectReader(plain, source).read_index_head();
}

ProjectData read_project_file(const std::string& path) { return parse_project(read_scrambled_file(path), path); }

Tprv read_project_head(const std::string& path) {
  // The head is a few dozen lines at the start of a file that may hold megabytes,
  // and the index reads the head of every project at each start.
  constexpr std::size_t kHeadBytes = 65536;
  std::string start = read_file_start(path, kHeadBytes);
  const bool whole_file = start.size() < kHeadBytes;
  scramble_bytes(start);
  if (whole_file) return parse_project_head(start, path);
  start.resize(start.rfind('\n') + 1);  // whole lines only, so no text is cut
  try {
    return parse_project_head(start, path);
  } catch (const FileError&) {
    return parse_project_head(read_scrambled_file(path), path);  // a head longer than the start
  }
}
