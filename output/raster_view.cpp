#include "raster_view.h"

#include <stdexcept>
#include <string_view>

namespace {

bool is_plain_rgb(const PixelLayout& layout) {
  return layout.bytes_per_pixel == 3 && layout.red == 0 && layout.green == 1 && layout.blue == 2;
}

bool channel_fits(int offset, int bytes_per_pixel) { return offset >= 0 && offset < bytes_per_pixel; }

}  // namespace

void check_raster_view(const RgbRasterView& view) {
  const PixelLayout& layout = view.layout;
  if (view.width <= 0 || view.height <= 0) throw std::invalid_argument("An image to draw must not be empty");
  if (view.rows == nullptr) throw std::invalid_argument("An image to draw has no pixels");
  if (layout.bytes_per_pixel < 3 || !channel_fits(layout.red, layout.bytes_per_pixel) ||
      !channel_fits(layout.green, layout.bytes_per_pixel) || !channel_fits(layout.blue, layout.bytes_per_pixel))
    throw std::invalid_argument("An image to draw has an unknown pixel layout");
  if (view.bytes_per_row < static_cast<std::ptrdiff_t>(view.width) * layout.bytes_per_pixel)
    throw std::invalid_argument("An image to draw has rows shorter than its width");
}

std::string_view rgb_row(const RgbRasterView& view, int y, std::string& scratch) {
  const std::size_t size = 3 * static_cast<std::size_t>(view.width);
  const unsigned char* source = view.row(y);
  if (is_plain_rgb(view.layout)) return {reinterpret_cast<const char*>(source), size};
  scratch.resize(size);
  const PixelLayout& layout = view.layout;
  char* out = scratch.data();
  for (int x = 0; x < view.width; ++x, source += layout.bytes_per_pixel, out += 3) {
    out[0] = static_cast<char>(source[layout.red]);
    out[1] = static_cast<char>(source[layout.green]);
    out[2] = static_cast<char>(source[layout.blue]);
  }
  return scratch;
}
