#include "gfx3d/core/platform_utilities.h"

#include <QImageReader>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gfx3d/persistence/file_streams.h"

void RaiseLastOSError() { throw EOSError(std::string("OS Error : ") + std::strerror(errno)); }

int RoundUpToPowerOf2(int v) {
  int result = 1;
  while (result < v) result <<= 1;
  return result;
}

const std::array<std::uint8_t, 256>& GetSqrt255Array() {
  static const std::array<std::uint8_t, 256> table = [] {
    std::array<std::uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i)
      t[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255.0 * std::sqrt(i / 255.0));
    return t;
  }();
  return table;
}

namespace {

// Exponents beyond this saturate: the result is already infinite or zero.
constexpr long kExponentLimit = 100000;

bool ParseExponent(const std::string& text, std::size_t from, long& exponent) {
  if (from >= text.size()) return false;
  bool negative = false;
  if (text[from] == '+' || text[from] == '-') negative = text[from++] == '-';
  if (from >= text.size()) return false;
  exponent = 0;
  for (; from < text.size(); ++from) {
    if (text[from] < '0' || text[from] > '9') return false;
    exponent = std::min(exponent * 10 + (text[from] - '0'), kExponentLimit);
  }
  if (negative) exponent = -exponent;
  return true;
}

}  // namespace

bool TryStrToFloatText(const std::string& input, double& value) {
  std::string text = input;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty()) return false;
  long double mantissa = 0;
  bool separator_seen = false;
  long fraction_digits = 0;
  long exponent = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      mantissa = mantissa * 10 + (c - '0');
      if (separator_seen) ++fraction_digits;
    } else if (c == '.' || c == ',') {
      if (separator_seen) return false;
      separator_seen = true;
    } else if (c == ' ') {
      if (mantissa != 0) return false;
    } else if (c == '+' || c == '-') {
      if (i != 0) return false;
    } else if (c == 'e' || c == 'E') {
      if (!ParseExponent(text, i + 1, exponent)) return false;
      break;
    } else {
      return false;
    }
  }
  const long shift = fraction_digits - exponent;
  if (text[0] == '-') mantissa = -mantissa;
  if (shift != 0 && mantissa != 0) mantissa *= std::pow(10.0L, static_cast<long double>(-shift));
  value = static_cast<double>(mantissa);
  return true;
}

double StrToFloatDef(const std::string& text, double defaultValue) {
  double value = 0;
  return TryStrToFloatText(text, value) ? value : defaultValue;
}

void SaveStringToFile(const std::string& fileName, const std::string& data) {
  TFileStream stream(fileName, fmCreate);
  stream.WriteBuffer(data.data(), data.size());
  stream.Commit();
}

std::string LoadStringFromFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return {};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int64_t SizeOfFile(const std::string& fileName) {
  std::error_code error;
  const auto size = std::filesystem::file_size(fileName, error);
  return error ? 0 : static_cast<std::int64_t>(size);
}

TColor GetSysColor(int index) {
  // The classic desktop scheme, in the platform's index order.
  static constexpr TColor kSystemColours[25] = {
      RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
      RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
      RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
      RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
      RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225)};
  return index >= 0 && index < 25 ? kSystemColours[index] : 0;
}

TColor ColorToRGB(TColor c) { return c < 0 ? GetSysColor(c & 0xFF) : c; }

TVector4f ConvertWinColor(TColor colour, float alpha) {
  const TColor rgb = ColorToRGB(colour);
  constexpr float kScale = 1.0f / 255.0f;
  return {GetRValue(rgb) * kScale, GetGValue(rgb) * kScale, GetBValue(rgb) * kScale, alpha};
}

bool QueryPerformanceCounter(std::int64_t& counter) {
  counter =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
  return true;
}

bool QueryPerformanceFrequency(std::int64_t& frequency) {
  frequency = 1'000'000'000;
  return true;
}

std::unique_ptr<QImage> CreateGraphicFromFile(const std::string& fileName) {
  if (!std::filesystem::exists(fileName)) return nullptr;
  QImageReader reader(QString::fromStdString(fileName));
  auto image = std::make_unique<QImage>(reader.read());
  if (image->isNull()) return nullptr;
  return image;
}
