#include "model/catalogue/catalogue.h"

#include <algorithm>
#include <cstring>

#include "model/base/file_io.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"

namespace {

constexpr std::array<const char*, kCatalogueTextSections> kSectionNames{"Heights", "Crossbars", "Widths", "Lengths",
                                                                        "Compositions"};

CatalogueSection section_at(int index) { return static_cast<CatalogueSection>(index); }

// The catalogue as parsed, before it replaces the globals.
struct Catalogue {
  Tdimensioni heights, widths, lengths;
  std::vector<Tstringlist> crossbars;
  std::vector<std::string> compositions;
  std::vector<Tstructure_type> structure_types;
};

// A line without its optional mark.
struct Entry {
  std::string content;
  bool optional = false;
};

Entry entry_of(std::string_view line) {
  line = trim_blanks(line);
  bool optional = !line.empty() && line.back() == '*';
  if (optional) line.remove_suffix(1);
  return Entry{std::string(line), optional};
}

// A size with "," or "." as decimal mark; the layout divides by sizes, so
// they must be above zero.
bool parse_size(const std::string& text, double& value) {
  return parse_double(comma_to_point(text), value) && value > 0.0;
}

bool is_crossbar_set(const std::string& text) {
  double ignored = 0.0;
  Tstringlist parts = split_to_string_list(text, "-");
  return std::all_of(parts.begin(), parts.end(), [&](const std::string& part) { return parse_size(part, ignored); });
}

bool is_composition(const std::string& text) {
  return !text.empty() && text.find_first_not_of("AB") == std::string::npos;
}

Tdimensioni& size_list(Catalogue& catalogue, CatalogueSection section) {
  if (section == CatalogueSection::Heights) return catalogue.heights;
  return section == CatalogueSection::Widths ? catalogue.widths : catalogue.lengths;
}

// Why a line cannot stand in its section, or an empty text. The saver holds
// every section to its form; the loader only converts the sizes, and takes
// crossbar sets and compositions as written.
std::string entry_fault(CatalogueSection section, const std::string& content) {
  double ignored = 0.0;
  switch (section) {
    case CatalogueSection::Crossbars:
      return is_crossbar_set(content) ? "" : "\"" + content + "\" is not a set of sizes joined by \"-\"";
    case CatalogueSection::Compositions:
      return is_composition(content) ? "" : "\"" + content + "\" is not a composition of the letters A and B";
    default:
      return parse_size(content, ignored) ? "" : "\"" + content + "\" is not a size";
  }
}

void add_entry(TextReader& reader, Catalogue& catalogue, CatalogueSection section, const std::string& content) {
  if (section == CatalogueSection::Crossbars) {
    catalogue.crossbars.push_back(split_to_string_list(content, "-"));
  } else if (section == CatalogueSection::Compositions) {
    catalogue.compositions.push_back(content);
  } else {
    double size = 0.0;
    if (!parse_size(content, size))
      reader.fail(std::string(kSectionNames[static_cast<std::size_t>(section)]) + ": " + entry_fault(section, content));
    size_list(catalogue, section).push_back(size);
  }
}

std::vector<Tstructure_type> read_structure_types(TextReader& reader) {
  std::vector<Tstructure_type> types(reader.count(6));
  for (Tstructure_type& type : types) {
    reader.int32s({&type.short_text, &type.long_text, &type.detail_text, &type.module_text});
    type.shelf_suffix = reader.line();
    type.height_offset = reader.int32();
  }
  return types;
}

Catalogue parse_catalogue(const std::string& content, const std::string& path, int optional_sizes) {
  TextReader reader(content, path, legacy_code_page());
  Catalogue catalogue;
  for (int s = 0; s < kCatalogueTextSections; ++s) {
    std::size_t count = reader.count();
    for (std::size_t i = 0; i < count; ++i) {
      Entry entry = entry_of(reader.line());
      if (!entry.optional || optional_sizes == 1) add_entry(reader, catalogue, section_at(s), entry.content);
    }
  }
  catalogue.structure_types = read_structure_types(reader);
  return catalogue;
}

std::string refusal(const std::string& fault) { return "The catalogue was not saved. " + fault; }

// The non-blank lines of an editor text with their line numbers (from 1).
std::vector<std::pair<int, std::string>> memo_lines(const std::string& text) {
  std::vector<std::pair<int, std::string>> lines;
  int number = 0;
  for (const std::string& line : split_lines(text)) {
    ++number;
    std::string_view content = trim_blanks(line);
    if (!content.empty()) lines.emplace_back(number, std::string(content));
  }
  return lines;
}

}  // namespace

std::string editor_text(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? "\n" : "") + lines[i];
  return text;
}

namespace {

std::string catalogue_path_for(bool inches) { return program_path(inches ? "data/data_in.dat" : "data/data.dat"); }

}  // namespace

std::string catalogue_path() { return catalogue_path_for(AppState.inches); }

std::string other_catalogue_path() { return catalogue_path_for(!AppState.inches); }

Tdimensioni catalogue_lengths(bool inches, int optional_sizes) {
  const std::string path = catalogue_path_for(inches);
  return parse_catalogue(read_scrambled_file(path), path, optional_sizes).lengths;
}

void load_data_file(int optional_sizes) {
  std::string path = catalogue_path();
  Catalogue catalogue = parse_catalogue(read_scrambled_file(path), path, optional_sizes);
  HeightList = std::move(catalogue.heights);
  CrossbarLists = std::move(catalogue.crossbars);
  WidthList = std::move(catalogue.widths);
  LengthList = std::move(catalogue.lengths);
  Compositions = std::move(catalogue.compositions);
  StructureTypes = std::move(catalogue.structure_types);
}

namespace {

CatalogueMemos read_memos(TextReader& reader) {
  CatalogueMemos memos;
  for (std::string& memo : memos) {
    std::vector<std::string> lines(reader.count());
    for (std::string& line : lines) line = reader.line();
    memo = editor_text(lines);
  }
  return memos;
}

}  // namespace

CatalogueMemos load_data_memos() {
  std::string path = catalogue_path();
  TextReader reader(read_scrambled_file(path), path, legacy_code_page());
  return read_memos(reader);
}

StoredCatalogue read_stored_catalogue(const std::string& path) {
  TextReader reader(read_scrambled_file(path), path, legacy_code_page());
  StoredCatalogue catalogue;
  catalogue.memos = read_memos(reader);
  catalogue.structure_types = read_structure_types(reader);
  return catalogue;
}

std::string catalogue_fault(const CatalogueMemos& memos, const std::vector<Tstructure_type>& structure_types) {
  for (int s = 0; s < kCatalogueTextSections; ++s) {
    for (const auto& [number, line] : memo_lines(memos[static_cast<std::size_t>(s)])) {
      std::string fault = entry_fault(section_at(s), entry_of(line).content);
      if (!fault.empty())
        return std::string(kSectionNames[s]) + ", line " + std::to_string(number) + ": " + fault + ".";
    }
  }
  for (std::size_t i = 0; i < structure_types.size(); ++i) {
    if (!shelf_suffix_fits(structure_types[i].shelf_suffix))
      return "Structure type " + std::to_string(i) + ": the shelf suffix cannot hold a line break.";
  }
  return "";
}

std::string stored_catalogue_text(const StoredCatalogue& catalogue) {
  TextWriter writer;
  for (const std::string& memo : catalogue.memos) {
    auto lines = memo_lines(memo);
    writer.integer(static_cast<long long>(lines.size()));
    for (const auto& line : lines) writer.line(line.second);
  }
  writer.integer(static_cast<long long>(catalogue.structure_types.size()));
  for (const Tstructure_type& type : catalogue.structure_types) {
    writer.integers({type.short_text, type.long_text, type.detail_text, type.module_text});
    writer.line(type.shelf_suffix);
    writer.integer(type.height_offset);
  }
  return writer.take();
}

std::string catalogue_file_text(const CatalogueMemos& memos, const std::vector<Tstructure_type>& structure_types) {
  std::string fault = catalogue_fault(memos, structure_types);
  if (!fault.empty()) throw FileError(refusal(fault));
  return stored_catalogue_text({memos, structure_types});
}

void write_catalogue_file(const std::string& path, const CatalogueMemos& memos,
                          const std::vector<Tstructure_type>& structure_types) {
  write_scrambled_file(path, catalogue_file_text(memos, structure_types));
}

bool save_data_file(const CatalogueMemos& memos, std::vector<FileContent> together, const std::string& note) {
  std::string fault = catalogue_fault(memos, StructureTypes);
  if (!fault.empty()) {
    ui().show_message(refusal(fault));
    return false;
  }
  std::string path = catalogue_path();
  together.insert(together.begin(), scrambled_content(path, catalogue_file_text(memos, StructureTypes)));
  write_files_together(together);
  ui().show_message("Dati salvati in " + path + note);
  return true;
}

bool shelf_suffix_fits(const std::string& suffix) { return suffix.find_first_of("\r\n") == std::string::npos; }

bool memo_accepts_character(CatalogueSection section, char c) {
  if (c == '\b' || c == '\r' || c == '\n') return true;
  const char* accepted = "";
  switch (section) {
    case CatalogueSection::Heights:
      accepted = "0123456789,.*CE";
      break;
    case CatalogueSection::Widths:
    case CatalogueSection::Lengths:
      accepted = "0123456789,.*";
      break;
    case CatalogueSection::Crossbars:
      accepted = "0123456789,-.*";
      break;
    case CatalogueSection::Compositions:
      accepted = "AB*";
      break;
  }
  return c != '\0' && std::strchr(accepted, c) != nullptr;
}

const Tstructure_type& structure_type_for_display(int structure_type) {
  static const Tstructure_type blank;
  if (structure_type >= 0 && static_cast<std::size_t>(structure_type) < StructureTypes.size())
    return StructureTypes[static_cast<std::size_t>(structure_type)];
  return StructureTypes.empty() ? blank : StructureTypes.front();
}
