// A read-only view of a caller's pixel rows, so that the PDF writer needs no
// image class of a window toolkit: the caller describes where its rows are and
// how a pixel's bytes are ordered, and the writer reads them as R G B.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Where red, green and blue sit within the bytes of one pixel.
struct PixelLayout {
  int bytes_per_pixel;
  int red;
  int green;
  int blue;
};

inline constexpr PixelLayout kRgb24{3, 0, 1, 2};
inline constexpr PixelLayout kBgr24{3, 2, 1, 0};
// 32-bit 0xAARRGGBB words as a little-endian machine stores them.
inline constexpr PixelLayout kBgrx32{4, 2, 1, 0};

struct RgbRasterView {
  int width = 0;
  int height = 0;
  const unsigned char* rows = nullptr;  // first byte of the top row
  std::ptrdiff_t bytes_per_row = 0;     // from one row to the next, padding included
  PixelLayout layout = kRgb24;

  const unsigned char* row(int y) const { return rows + y * bytes_per_row; }
};

// Raises std::invalid_argument unless the view describes a non-empty image
// whose rows hold their pixels.
void check_raster_view(const RgbRasterView& view);

// Row y as exactly 3 × width bytes R G B: the source row itself when it is
// already laid out so, else converted into scratch.
std::string_view rgb_row(const RgbRasterView& view, int y, std::string& scratch);
