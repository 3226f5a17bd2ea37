// The file names of the part meshes, built from sizes as the size keys of the
// code table are ("P2000.stl", "T914.4.stl"), and the fixed ones.
#pragma once

#include <string>

namespace part_names {

inline const std::string side_rail = "fiancata.stl";
inline const std::string joint = "giunzione.stl";
inline const std::string arch = "archetto.stl";
inline const std::string fixed_compact_upright = "p1850.stl";
inline const std::string mobile_compact_upright = "p1850sc.stl";
inline const std::string wheel = "ruota.stl";
inline const std::string brake = "freno.stl";
inline const std::string trolley_crossbar = "T373.stl";
inline const std::string sliding_bracket = "staffa_scorr.stl";

std::string upright(double height);
std::string crossbar(double depth);
std::string corner_piece(double depth);
std::string panel(char letter, const std::string& shelf_suffix, double depth);
std::string compact_rail(double kit_length);

}  // namespace part_names
