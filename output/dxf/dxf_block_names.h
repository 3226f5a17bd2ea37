// The names of the blocks the drawings insert. The exports and the generator of
// the template drawings build them with these functions alone, so every name a
// drawing can ask for is one its template defines. Sizes are the size texts of
// the model values ("1000", "914.4").
#pragma once

#include <string>

// Both drawings: a shelf's grid panel, 'A' (264 mm) or 'B' (352 mm), of a
// structure type (its shelf suffix) and a depth.
std::string grid_block(char letter, const std::string& shelf_suffix, double depth);

// Plan symbols.
inline const std::string PlanRivetBlock = "rivetto";
inline const std::string PlanFixingBlock = "Attacco";
inline const std::string PlanBumperBlock = "BUMPER";
inline const std::string PlanSlidingBracketBlock = "Staffa_testata_scorrevole";
inline const std::string PlanOperatorBlock = "CV_OPERATORE";
inline const std::string PlanScrewedSpacerBlock = "DISTANZIATORE_FISS_VITI";
inline const std::string PlanEndSpacerBlock = "DISTANZIATORE";
std::string plan_corner_joint_block(double depth);  // "giunzione_" + depth
std::string plan_frame_block(double depth);         // "testata_" + depth
std::string plan_rail_block(double kit_length);     // "BINARIO_CV_" + kit length

// Solid parts.
inline const std::string JointBlock = "Giunzione";
inline const std::string WheelBlock = "Ruota";
inline const std::string BrakedWheelBlock = "Ruota_freno";
inline const std::string TrolleyBarBlock = "Traverso373";
inline constexpr double TrolleyBarLength = 310.0;  // stretched to the trolley's length
inline const std::string CompactArchBlock = "ArchettoCV";
inline const std::string CompactClampsBlock = "morsettiCV";
inline const std::string ScrewedSpacerBlock = "3D_distanziatore_fiss_viti";
inline const std::string EndSpacerBlock = "3D_distanziatore";
std::string side_rail_block(double length);                     // "Fiancata" + length
std::string corner_joint_block(double depth);                   // "Giunzione_angolo_" + depth
std::string upright_block(double height, bool compact_mobile);  // "Piant_" + height (+ "s")
std::string crossbar_block(double depth);                       // "Traverso" + depth
std::string compact_rail_block(double kit_length);              // "BinarioCV" + kit length
std::string oval_block(double group_depth);                     // "Ovale" + (group depth - 84)
