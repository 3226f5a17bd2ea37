// The source of a catalogue file: its six sections under "[name]" headings, the
// five text sections one stored line a line ("*" marks an optional entry), the
// structure types one a line as six tab-separated fields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/base/records.h"
#include "model/catalogue/catalogue.h"

struct CatalogueSource {
  CatalogueMemos memos;
  std::vector<Tstructure_type> structure_types;

  bool operator==(const CatalogueSource&) const = default;
};

// Raises FileError naming the source on a missing or unknown heading or a bad structure type.
CatalogueSource parse_catalogue_source(std::string_view text, const std::string& source);
// The source text of a catalogue, without comments.
std::string catalogue_source_text(const CatalogueSource& catalogue);
