// Every size the shipped data can produce: both catalogues (millimetres and
// inches, optional sizes included), the default code table and the
// compact-shelving kits. The staged template drawings and part meshes cover them all.
#pragma once

#include <filesystem>
#include <set>
#include <string>

struct ShippedSizes {
  std::set<double> widths;              // module depths
  std::set<double> heights;             // frame heights
  std::set<double> lengths;             // module lengths
  std::set<double> kit_lengths;         // rail classes
  std::set<double> kit_module_lengths;  // the lengths of the modules a kit places
  std::set<std::string> shelf_suffixes;
};

// Reads the staged catalogues and code table and the kit table's source; leaves
// the millimetre catalogue loaded with its optional sizes.
ShippedSizes shipped_sizes(const std::filesystem::path& sources, const std::filesystem::path& stage);
