#include "model/catalogue/part_names.h"

#include <array>
#include <stdexcept>

#include "model/base/rounding.h"

namespace {

// In a name, '#' stands for the size text and '*' for the variant; an empty
// name: the part has none of that kind.
struct PartNameRow {
  Part part;
  std::string_view plan_block, solid_block, mesh_file;
};

constexpr std::array kParts{
    PartNameRow{Part::Rivet, "rivetto", "", ""},
    PartNameRow{Part::Fixing, "Attacco", "", ""},
    PartNameRow{Part::Bumper, "BUMPER", "", ""},
    PartNameRow{Part::Operator, "CV_OPERATORE", "", ""},
    PartNameRow{Part::EndFrame, "testata_#", "", ""},
    PartNameRow{Part::SlidingBracket, "Staffa_testata_scorrevole", "", "staffa_scorr.stl"},
    PartNameRow{Part::GridPanel, "L*#", "L*#", "*#.stl"},
    PartNameRow{Part::Joint, "", "Giunzione", "giunzione.stl"},
    PartNameRow{Part::CornerJoint, "giunzione_#", "Giunzione_angolo_#", "ga#.stl"},
    PartNameRow{Part::SideRail, "", "Fiancata#", "fiancata.stl"},  // the mesh is stretched to the length
    PartNameRow{Part::Upright, "", "Piant_#", "P#.stl"},
    PartNameRow{Part::FixedCompactUpright, "", "Piant_#", "p1850.stl"},
    PartNameRow{Part::MobileCompactUpright, "", "Piant_#s", "p1850sc.stl"},
    PartNameRow{Part::Crossbar, "", "Traverso#", "T#.stl"},
    PartNameRow{Part::TrolleyBar, "", "Traverso373", "T373.stl"},
    PartNameRow{Part::Wheel, "", "Ruota", "ruota.stl"},
    PartNameRow{Part::BrakedWheel, "", "Ruota_freno", "freno.stl"},
    PartNameRow{Part::Arch, "", "ArchettoCV", "archetto.stl"},
    PartNameRow{Part::CompactClamps, "", "morsettiCV", ""},
    PartNameRow{Part::CompactRail, "BINARIO_CV_#", "BinarioCV#", "binario#.stl"},
    PartNameRow{Part::Oval, "", "Ovale#", ""},
    PartNameRow{Part::ScrewedSpacer, "DISTANZIATORE_FISS_VITI", "3D_distanziatore_fiss_viti", ""},
    PartNameRow{Part::EndSpacer, "DISTANZIATORE", "3D_distanziatore", ""},
};

constexpr bool rows_follow_the_parts() {
  for (std::size_t i = 0; i < kParts.size(); ++i)
    if (static_cast<std::size_t>(kParts[i].part) != i) return false;
  return true;
}
static_assert(rows_follow_the_parts(), "one row per part, in the order of Part");

std::string filled(std::string_view pattern, double size, std::string_view variant) {
  if (pattern.empty()) throw std::logic_error("asked for a name the part does not have");
  std::string name;
  for (char c : pattern) {
    if (c == '#')
      name += size_key(size);
    else if (c == '*')
      name += variant;
    else
      name += c;
  }
  return name;
}

const PartNameRow& row_of(Part part) { return kParts.at(static_cast<std::size_t>(part)); }

}  // namespace

std::string plan_block(Part part, double size, std::string_view variant) {
  return filled(row_of(part).plan_block, size, variant);
}

std::string solid_block(Part part, double size, std::string_view variant) {
  return filled(row_of(part).solid_block, size, variant);
}

std::string mesh_file(Part part, double size, std::string_view variant) {
  return filled(row_of(part).mesh_file, size, variant);
}

std::string grid_panel_variant(char letter, std::string_view shelf_suffix) {
  return std::string(1, letter) + std::string(shelf_suffix);
}

std::string oval_block(double group_depth) { return solid_block(Part::Oval, group_depth - 84.0); }
