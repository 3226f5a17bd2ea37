#include "model/base/units.h"

#include <array>
#include <cmath>
#include <numeric>

#include "model/base/rounding.h"

namespace {

constexpr int kSixtyfourths = 64;
// Beyond this no count of whole inches is exact, nor does any plan measure it.
constexpr double kLargestInches = 1e15;

// k/64 rounded to four decimals, halves away from zero (1/32 is 0.0313): the
// reference points the nearest 64th is chosen by.
constexpr std::array<double, kSixtyfourths + 1> reference_values() {
  std::array<double, kSixtyfourths + 1> values{};
  for (int k = 0; k <= kSixtyfourths; ++k) values[k] = ((k * 20000 + kSixtyfourths) / (2 * kSixtyfourths)) / 10000.0;
  return values;
}
constexpr std::array<double, kSixtyfourths + 1> kReferenceValues = reference_values();

std::string sixtyfourths_text(int k) {
  if (k == 0) return "0";
  if (k == kSixtyfourths) return "1 ";
  int divisor = std::gcd(k, kSixtyfourths);
  return std::to_string(k / divisor) + "/" + std::to_string(kSixtyfourths / divisor) + " ";
}

// Whole inches at or above a length. Sizes stored with one decimal (609.6 mm
// for 24") divide to a hair above the whole inch and must not show one more.
double whole_inches_up(double inches) { return std::ceil(inches - 1e-6); }

template <typename TextOf>
double lookup_by_text(const Tdimensioni& sizes, const std::string& text, TextOf text_of) {
  double found = -1.0;
  for (double size : sizes)
    if (text_of(size) == text) found = size;
  return found;
}

}  // namespace

std::string inch_fraction_text(double fraction) {
  for (int k = 0; k < kSixtyfourths; ++k) {
    double below = kReferenceValues[k];
    double above = kReferenceValues[k + 1];
    if (below < fraction && fraction <= above)
      return sixtyfourths_text(above - fraction <= fraction - below ? k + 1 : k);
  }
  return "";
}

std::string format_feet_inches(double inches) {
  if (!(std::fabs(inches) < kLargestInches)) return "";  // not a length (NaN, infinite or absurd)
  std::int64_t whole = Trunc(inches);
  double rest = inches - static_cast<double>(whole);
  if (whole < 1) return inch_fraction_text(rest);
  if (whole <= 11) return std::to_string(whole) + "\" " + inch_fraction_text(rest);
  if (whole % 12 == 0) return std::to_string(whole / 12) + "'";
  return std::to_string(whole / 12) + "'-" + std::to_string(whole % 12) + "\" " + inch_fraction_text(rest);
}

std::string inch_text_length(double mm) { return format_feet_inches(whole_inches_up((mm + 64.0) / MmPerInch)); }

std::string inch_text(double mm) { return format_feet_inches(whole_inches_up(mm / MmPerInch)); }

std::string inch_text_height(double mm) { return format_feet_inches(whole_inches_up((mm + 25.0) / MmPerInch)); }

double lookup_length_by_text(const Tdimensioni& lengths, const std::string& text) {
  return lookup_by_text(lengths, text, inch_text_length);
}

double lookup_width_by_text(const Tdimensioni& widths, const std::string& text) {
  return lookup_by_text(widths, text, inch_text);
}

double lookup_height_by_text(const Tdimensioni& heights, const std::string& text) {
  return lookup_by_text(heights, text, inch_text_height);
}
