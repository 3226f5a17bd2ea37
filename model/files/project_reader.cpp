// The readers of the three project file versions. They differ only in a few
// lines (see the version checks below); everything else is read in one order.
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "model/base/file_io.h"
#include "model/base/rounding.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/files/project_file.h"
#include "model/layout/outline_queries.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/globals.h"
#include "model/state/language.h"

namespace {

enum class Version { Legacy, V001, V002 };

// What each line of a legacy project's head holds, from its date to its cell
// count. A project file carries no mark of its own, and without a version
// line it begins with free text: only the whole head tells a legacy project
// from any other file, a plain one read unscrambled or another scrambled file
// of the program.
enum class HeadLine { ShortText, Text, Discount, OptionalDiscount, Count };
struct LegacyHeadLine {
  HeadLine kind;
  const char* what;
};
constexpr std::array<LegacyHeadLine, 21> kLegacyHead{{{HeadLine::ShortText, "date"},
                                                      {HeadLine::ShortText, "quote number"},
                                                      {HeadLine::ShortText, "customer reference"},
                                                      {HeadLine::Text, "customer's name"},
                                                      {HeadLine::Text, "customer's address"},
                                                      {HeadLine::Text, "customer's postcode"},
                                                      {HeadLine::Text, "customer's city"},
                                                      {HeadLine::Text, "customer's province"},
                                                      {HeadLine::Text, "customer's country"},
                                                      {HeadLine::Text, "customer's phone"},
                                                      {HeadLine::Text, "customer's fax"},
                                                      {HeadLine::Text, "customer's e-mail"},
                                                      {HeadLine::ShortText, "sender"},
                                                      {HeadLine::ShortText, "first note"},
                                                      {HeadLine::ShortText, "second note"},
                                                      {HeadLine::Discount, "first discount"},
                                                      {HeadLine::Discount, "second discount"},
                                                      {HeadLine::ShortText, "drawing"},
                                                      {HeadLine::OptionalDiscount, "third discount"},
                                                      {HeadLine::OptionalDiscount, "fourth discount"},
                                                      {HeadLine::Count, "cell count"}}};

// The line of text that starts at position, without its line end; position
// moves past it.
std::string_view next_line(std::string_view text, std::size_t& position) {
  std::size_t end = text.find('\n', position);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(position, end - position);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  position = end + 1;
  return line;
}

// A version line: "V" and a version number.
bool is_version_line(std::string_view line) {
  return line.size() > 1 && line[0] == 'V' && line.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

// The versions a load reads, each with its own layout.
constexpr std::array<std::pair<std::string_view, Version>, 2> kKnownVersions{
    {{"V001", Version::V001}, {"V002", Version::V002}}};

std::optional<Version> known_version(std::string_view line) {
  for (const auto& [name, version] : kKnownVersions)
    if (line == name) return version;
  return std::nullopt;
}

// A first line that begins as a known version line does, all but one byte,
// and is none: a version line damaged by a flipped bit or a stray byte, never
// the date a project without a version line begins with (that project's
// whole head is read first).
bool resembles_version_line(std::string_view line) {
  for (const auto& [name, version] : kKnownVersions) {
    if (line.size() < name.size()) continue;
    int differing = 0;
    for (std::size_t i = 0; i < name.size(); ++i) differing += line[i] != name[i] ? 1 : 0;
    if (differing <= 1) return true;
  }
  return false;
}

// The fixed form in which every project writes its first two discounts: two
// decimals after a point, right-aligned in at least 8 characters ("    5.00").
bool is_form_f(std::string_view text) {
  auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (text.size() < 8) return false;
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  return point != std::string_view::npos && text.size() == point + 3 && digits(text.substr(0, point)) &&
         digits(text.substr(point + 1));
}

// Why a line is not what a legacy head holds there; empty when it is.
std::string legacy_line_refusal(HeadLine kind, std::string_view line) {
  double number = 0.0;
  long long count = 0;
  switch (kind) {
    case HeadLine::ShortText:
      if (line.size() <= kShortStringBytes) return {};
      return "a text of at most " + std::to_string(kShortStringBytes) + " bytes, but holds " +
             std::to_string(line.size()) + " bytes";
    case HeadLine::Text:
      return {};
    case HeadLine::Discount:
      return is_form_f(line) ? "" : "a number with two decimals in at least 8 characters";
    case HeadLine::OptionalDiscount:
      return line.empty() || parse_double(line, number) ? "" : "a number or nothing";
    case HeadLine::Count:
      return parse_integer(line, count) && count >= 0 ? "" : "a whole number, 0 or more";
  }
  return {};
}

// The plain text a file begins with as stored, its line ends and blanks run
// together, up to the first byte that is no such text: "0 SECTION 2 HEADER"
// for a drawing. Empty when the file does not begin with text of at least 8
// characters.
std::string stored_text_start(std::string_view plain) {
  constexpr std::size_t kShownCharacters = 40;
  std::string stored(plain.substr(0, 4 * kShownCharacters));
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
  // A few characters that happen to be text are no sign of a text file.
  constexpr std::size_t kFewestShown = 8;
  return shown.size() >= kFewestShown ? shown : std::string();
}

// Where and why a file without a version line does not begin with a legacy
// project's head: the line (from 1) and the refusal. Line 0 when it does.
std::pair<std::size_t, std::string> legacy_head_refusal(std::string_view plain) {
  if (plain.empty()) return {1, "the file is empty"};
  std::size_t position = 0;
  for (std::size_t i = 0; i < kLegacyHead.size(); ++i) {
    if (position >= plain.size())
      return {i + 1, "the file has " + std::to_string(i) + (i == 1 ? " line" : " lines") +
                         ", and the head of a project without a version line takes " +
                         std::to_string(kLegacyHead.size()) + ", from its date to its cell count"};
    const std::string_view line = next_line(plain, position);
    std::string why = legacy_line_refusal(kLegacyHead[i].kind, line);
    if (why.empty()) continue;
    if (i == 0)
      return {1, "its first line should hold the project's version or date (at most " +
                     std::to_string(kShortStringBytes) + " bytes) but holds " + std::to_string(line.size()) + " bytes"};
    return {i + 1, std::string("a project without a version line holds its ") + kLegacyHead[i].what + " here, " + why};
  }
  return {0, {}};
}

class ProjectReader {
 public:
  // layout, when given, reads a file of a known version as that version's.
  ProjectReader(std::string_view plain, const std::string& source, std::optional<Version> layout = std::nullopt)
      : plain_(plain), source_(source), in_(plain, source, legacy_code_page()), layout_(layout) {}

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
  // any "V" + number, which keeps the same head from version 1 on. A file
  // without a version line is read only when it begins with a legacy head.
  std::string read_version_and_date(bool any_version) {
    std::size_t position = 0;
    const std::string_view first = next_line(plain_, position);
    if (!is_version_line(first)) {
      if (auto [line, why] = legacy_head_refusal(plain_); line != 0) {
        if (resembles_version_line(first))
          throw FileError(source_ +
                          ": line 1: the version line is damaged: a project begins with its version, \"V001\" or "
                          "\"V002\", and this line only resembles one");
        if (std::string stored = stored_text_start(plain_); !stored.empty())
          why += "; as stored, the file begins \"" + stored + "\"";
        throw FileError(source_ + " is not a project file: it does not begin as a project does.\r\nLine " +
                        std::to_string(line) + ": " + why);
      }
      version_ = Version::Legacy;
      return in_.short_string();
    }
    in_.line();
    const std::optional<Version> known = known_version(first);
    if (!known && !any_version)
      in_.fail("not a project file or unsupported version: it begins with \"" + std::string(first) +
               "\", and this program reads the versions \"V001\" and \"V002\"; the version line is damaged, or "
               "a later program saved the file");
    // From version 1 on the customer block carries its notes.
    const bool version_zero = first.find_first_not_of('0', 1) == std::string_view::npos;
    version_ = version_zero ? Version::Legacy : first == "V001" ? Version::V001 : Version::V002;
    if (layout_ && known) version_ = *layout_;
    return in_.short_string();
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

  std::string_view plain_;
  std::string source_;
  TextReader in_;
  std::optional<Version> layout_;
  Version version_ = Version::Legacy;
};

}  // namespace

ProjectData parse_project(std::string_view plain, const std::string& source) {
  try {
    return ProjectReader(plain, source).read_project();
  } catch (const FileError&) {
    // One flipped bit turns "V002" into "V001" and back: a file that the
    // other version reads whole has a damaged version line. The two differ in
    // the lines of free modules only; without one, the failure lies elsewhere.
    std::size_t position = 0;
    const std::string_view first = next_line(plain, position);
    for (const auto& [name, version] : kKnownVersions) {
      if (first == name || !known_version(first)) continue;
      ProjectData other;
      try {
        other = ProjectReader(plain, source, version).read_project();
      } catch (const FileError&) {
        continue;
      }
      if (std::none_of(other.cells.begin(), other.cells.end(),
                       [](const Tcell& cell) { return !cell.free_modules.empty(); }))
        continue;
      throw FileError(source + ": line 1: the version line is damaged: it reads \"" + std::string(first) +
                      "\", and the file is laid out as a project of version \"" + std::string(name) + "\"");
    }
    throw;
  }
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
