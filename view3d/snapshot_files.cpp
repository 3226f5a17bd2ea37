#include "view3d/snapshot_files.h"

#include <algorithm>
#include <cstring>

#include "model/base/file_io.h"
#include "model/base/rounding.h"
#include "model/base/string_utils.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40;

void put16(std::string& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

void put32(std::string& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string bmp_file_name(const std::string& name) {
  const std::string_view tail = name.size() >= 4 ? std::string_view(name).substr(name.size() - 4) : name;
  return equal_ignoring_ascii_case(tail, ".bmp") ? name : name + ".bmp";
}

std::string bmp32_bytes(int width, int height, const std::vector<std::uint8_t>& bgra_top_down) {
  const std::size_t row = static_cast<std::size_t>(width) * 4;
  const std::size_t pixels = row * static_cast<std::size_t>(height);
  std::string out(kFileHeaderSize + kInfoHeaderSize + pixels, '\0');
  out[0] = 'B';
  out[1] = 'M';
  put32(out, 2, static_cast<std::uint32_t>(out.size()));
  put32(out, 10, kFileHeaderSize + kInfoHeaderSize);
  put32(out, 14, kInfoHeaderSize);
  put32(out, 18, static_cast<std::uint32_t>(width));
  put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
  put16(out, 26, 1);
  put16(out, 28, 32);
  put32(out, 34, static_cast<std::uint32_t>(pixels));  // BI_RGB (0) stays at 30
  for (int y = 0; y < height; ++y)
    std::memcpy(out.data() + kFileHeaderSize + kInfoHeaderSize + row * static_cast<std::size_t>(height - 1 - y),
                bgra_top_down.data() + row * static_cast<std::size_t>(y), row);
  return out;
}

void write_bmp32(const std::string& path, int width, int height, const std::vector<std::uint8_t>& bgra_top_down) {
  write_file_safely(path, bmp32_bytes(width, height, bgra_top_down));
}

PageFit fit_on_page(int w, int h, int page_w, int page_h) {
  PageFit fit;
  const long double ratio = std::min(static_cast<long double>(page_w) / w, static_cast<long double>(page_h) / h);
  fit.ratio = static_cast<double>(ratio);
  fit.width = static_cast<int>(Round(static_cast<float>(w * ratio)));
  fit.height = static_cast<int>(Round(static_cast<float>(h * ratio)));
  fit.x0 = (page_w - fit.width) / 2;
  fit.y0 = (page_h - fit.height) / 2;
  return fit;
}
