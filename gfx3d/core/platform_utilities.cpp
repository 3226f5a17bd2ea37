#include "gfx3d/core/platform_utilities.h"

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

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

bool TryStrToFloatText(const std::string& input, long double& value) {
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
  value = mantissa;
  return true;
}

double StrToFloatDef(const std::string& text, double defaultValue) {
  long double value = 0;
  return TryStrToFloatText(text, value) ? static_cast<double>(value) : defaultValue;
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

namespace {

std::array<TVector4f, 25> system_colors{};

}  // namespace

const std::array<TVector4f, 25>& SystemColors() { return system_colors; }

std::uint8_t* BitmapScanLine(QImage& bitmap, int row) { return bitmap.scanLine(row); }

bool QueryPerformanceCounter(std::int64_t& counter) {
  counter =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
  return true;
}

bool QueryPerformanceFrequency(std::int64_t& frequency) {
  frequency = 1'000'000'000;
  return true;
}

namespace {

// The ASCII letters alone, the same in every locale: std::tolower follows the
// user's, and leaves "I" as it is in a Turkish one.
std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// Lower case, with its leading ".".
std::string DottedExtension(const std::string& extension) {
  const std::string lower = LowerCase(extension);
  return lower.empty() || lower.front() == '.' ? lower : "." + lower;
}

// The toolkit's classes, one per format, made when first asked for.
const TGraphicClass& ToolkitClass(const std::string& format) {
  static std::map<std::string, std::unique_ptr<TGraphicClass>> classes;
  std::unique_ptr<TGraphicClass>& made = classes[format];
  if (!made) made = std::make_unique<TGraphicClass>(format);
  return *made;
}

std::vector<std::pair<std::string, const TGraphicClass*>>& GraphicClassRegistry() {
  static std::vector<std::pair<std::string, const TGraphicClass*>> registry;
  return registry;
}

}  // namespace

std::unique_ptr<QImage> TGraphicClass::LoadFromStream(QIODevice& device) const {
  QImageReader reader(&device, QByteArray::fromStdString(format_));
  auto picture = std::make_unique<QImage>(reader.read());
  if (picture->isNull()) return nullptr;
  return picture;
}

const TGraphicClass& BitmapGraphicClass() { return ToolkitClass("bmp"); }

const TGraphicClass* GraphicClassForExtension(const std::string& extension) {
  const std::string dotted = DottedExtension(extension);
  const std::string format = dotted.empty() ? dotted : dotted.substr(1);
  if (format.empty() || !QImageReader::supportedImageFormats().contains(QByteArray::fromStdString(format)))
    return nullptr;
  return &ToolkitClass(format);
}

void RegisterTGraphicClassFileExtension(const std::string& extension, const TGraphicClass* graphicClass) {
  GraphicClassRegistry().emplace_back(DottedExtension(extension), graphicClass);
}

const TGraphicClass* RegisteredGraphicClass(const std::string& extension) {
  const std::string dotted = DottedExtension(extension);
  for (const auto& [registered, graphicClass] : GraphicClassRegistry())
    if (registered == dotted) return graphicClass;
  return nullptr;
}

std::unique_ptr<QImage> CreateGraphicFromFile(const std::string& fileName) {
  if (!std::filesystem::exists(fileName)) return nullptr;
  const std::string extension = std::filesystem::path(fileName).extension().string();
  const TGraphicClass* graphicClass = RegisteredGraphicClass(extension);
  if (!graphicClass) graphicClass = GraphicClassForExtension(extension);
  if (!graphicClass) return nullptr;
  QFile file(QString::fromStdString(fileName));
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  return graphicClass->LoadFromStream(file);
}

void InitializePlatformUtilities() {
  for (int i = 0; i < 25; ++i)
    system_colors[static_cast<std::size_t>(i)] = ConvertWinColor(static_cast<TColor>(0x80000000u | unsigned(i)), 1.0f);
  // Registered once, however often the library starts.
  [[maybe_unused]] static const bool registered =
      (RegisterTGraphicClassFileExtension(".bmp", &BitmapGraphicClass()), true);
}
