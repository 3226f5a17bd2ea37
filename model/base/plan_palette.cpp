#include "model/base/plan_palette.h"

#include <cstddef>

namespace {

struct Rgb {
  int r, g, b;
};

// Slots 0 to 4 (background, lines, the two greys, text) change with the
// background; the highlight colours from slot 5 on stay the same.
constexpr std::array<Rgb, 11> kWhiteBackground{{{255, 255, 255},
                                                {0, 0, 0},
                                                {128, 128, 128},
                                                {192, 192, 192},
                                                {0, 0, 0},
                                                {200, 155, 255},
                                                {0, 0, 255},
                                                {0, 255, 255},
                                                {255, 0, 255},
                                                {0, 255, 255},
                                                {255, 0, 0}}};

constexpr std::array<Rgb, 5> kBlackBackgroundFirstSlots{
    {{0, 0, 0}, {255, 255, 255}, {192, 192, 192}, {128, 128, 128}, {255, 255, 255}}};

}  // namespace

std::array<int, 11> plan_palette(bool black_background) {
  std::array<int, 11> palette{};
  for (std::size_t slot = 0; slot < kWhiteBackground.size(); ++slot) {
    const bool swapped = black_background && slot < kBlackBackgroundFirstSlots.size();
    const Rgb colour = swapped ? kBlackBackgroundFirstSlots[slot] : kWhiteBackground[slot];
    palette[slot] = pack_rgb(colour.r, colour.g, colour.b);
  }
  return palette;
}

int pack_rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }
