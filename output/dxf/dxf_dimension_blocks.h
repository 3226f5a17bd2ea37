// The picture of each DIMENSION as the anonymous block it references: CAD
// programs draw a dimension from its block, and readers that check drawings
// drop a dimension without one. Sizes are those of the template's "ISO-25"
// style for plans in millimetres (80 mm text and arrows).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "output/dxf/dxf_entities.h"

// The sizes of the templates' "ISO-25" dimension style, which the pictures draw with.
inline constexpr double kDimensionTextHeight = 80.0;
inline constexpr double kDimensionArrowSize = 80.0;
inline constexpr double kDimensionExtensionOffset = 20.0;  // between the measured point and its extension line
inline constexpr double kDimensionExtensionBeyond = 40.0;  // extension line past the dimension line
inline constexpr double kDimensionTextGap = 20.0;          // between the dimension line and its text

struct DxfPictureBlocks {
  std::string records;  // BLOCK_RECORD entries of the block table
  std::string blocks;   // BLOCK ... ENDBLK definitions of the BLOCKS section
};

// Handles continue after handle, which is left at the last one used.
DxfPictureBlocks dimension_picture_blocks(const std::vector<DxfDimensionPicture>& pictures,
                                          std::string_view record_table_handle, unsigned& handle);

// The measurement text of a rotated dimension: the distance between its
// extension origins along its angle, to two decimals without trailing zeros.
std::string dimension_measurement_text(const DxfDimensionPicture& picture);
