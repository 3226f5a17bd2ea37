// What the 3-D view's picture commands need besides the frame itself: the
// bitmap file name rule, the 32-bit bitmap file, and the fit of a frame on a
// printed page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The name with ".bmp" appended unless it already ends in ".bmp" in any case.
std::string bmp_file_name(const std::string& name);

// A 32-bit Windows bitmap (40-byte header, BI_RGB, rows bottom-up, bytes B G R A)
// of pixels given top-down as B G R A. Raises FileError; the old file is kept then.
void write_bmp32(const std::string& path, int width, int height, const std::vector<std::uint8_t>& bgra_top_down);
// The bytes of that file.
std::string bmp32_bytes(int width, int height, const std::vector<std::uint8_t>& bgra_top_down);

// A w × h frame stretched to fit a page of page_w × page_h pixels, centred.
struct PageFit {
  double ratio = 0;
  int x0 = 0, y0 = 0, width = 0, height = 0;
};
PageFit fit_on_page(int w, int h, int page_w, int page_h);
