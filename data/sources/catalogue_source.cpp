#include "sources/catalogue_source.h"

#include <array>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/state/text_table.h"
#include "sources/source_text.h"

namespace {

constexpr std::array<const char*, kCatalogueTextSections + 1> kHeadings{
    "[heights]", "[crossbars]", "[widths]", "[lengths]", "[compositions]", "[structure types]"};
constexpr std::size_t kStructureTypesSection = kCatalogueTextSections;

std::size_t heading_index(const std::string& line, const std::string& source) {
  for (std::size_t i = 0; i < kHeadings.size(); ++i)
    if (line == kHeadings[i]) return i;
  throw FileError(source + ": unknown section " + line);
}

int integer_field(const std::string& text, const std::string& source) {
  long long value = 0;
  if (!parse_integer(text, value)) throw FileError(source + ": \"" + text + "\" is not an integer");
  return static_cast<int>(value);
}

Tstructure_type structure_type(const std::string& line, const std::string& source) {
  Tstringlist fields = split_tab_fields(line);
  if (fields.size() != 6) throw FileError(source + ": a structure type has six fields: \"" + line + "\"");
  return Tstructure_type{integer_field(fields[0], source),
                         integer_field(fields[1], source),
                         integer_field(fields[2], source),
                         integer_field(fields[3], source),
                         fields[4],
                         integer_field(fields[5], source)};
}

}  // namespace

CatalogueSource parse_catalogue_source(std::string_view text, const std::string& source) {
  CatalogueSource catalogue;
  std::array<std::vector<std::string>, kCatalogueTextSections> sections;
  std::size_t expected = 0;
  std::size_t current = kHeadings.size();
  for (const std::string& line : content_lines(text)) {
    if (line.front() == '[') {
      current = heading_index(line, source);
      if (current != expected++) throw FileError(source + ": section " + line + " out of order");
    } else if (current == kHeadings.size()) {
      throw FileError(source + ": \"" + line + "\" stands before the first section");
    } else if (current == kStructureTypesSection) {
      catalogue.structure_types.push_back(structure_type(line, source));
    } else {
      sections[current].push_back(line);
    }
  }
  if (expected != kHeadings.size()) throw FileError(source + ": the catalogue has six sections");
  for (std::size_t i = 0; i < sections.size(); ++i) catalogue.memos[i] = editor_text(sections[i]);
  return catalogue;
}

std::string catalogue_source_text(const CatalogueSource& catalogue) {
  std::string text;
  for (std::size_t i = 0; i < catalogue.memos.size(); ++i) {
    text += std::string(kHeadings[i]) + "\n";
    for (const std::string& line : split_lines(catalogue.memos[i])) text += line + "\n";
  }
  text += std::string(kHeadings[kStructureTypesSection]) + "\n";
  for (const Tstructure_type& type : catalogue.structure_types) {
    text += std::to_string(type.short_text) + '\t' + std::to_string(type.long_text) + '\t' +
            std::to_string(type.detail_text) + '\t' + std::to_string(type.module_text) + '\t' + type.shelf_suffix +
            '\t' + std::to_string(type.height_offset) + "\n";
  }
  return text;
}
