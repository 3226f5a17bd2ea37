// Small services the 3-D foundation shares: the number parser of the ASCII
// mesh readers, whole-file strings, power-of-two rounding, platform colours,
// the OS error, the high-resolution counter and picture loading by extension.
#pragma once

#include <QIODevice>
#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/vector_types.h"

// A failed call into the operating system, with its text.
class EOSError : public ELibraryError {
 public:
  using ELibraryError::ELibraryError;
};

// Raises EOSError "OS Error : " + the text of errno.
[[noreturn]] void RaiseLastOSError();

// 1 for v <= 1, otherwise the smallest power of two >= v.
int RoundUpToPowerOf2(int v);
// t[i] = trunc(255 * sqrt(i / 255)).
const std::array<std::uint8_t, 256>& GetSqrt255Array();

// Decimal number with optional "." or "," separator and exponent, gathered in the extended type;
// false when the text is not one.
bool TryStrToFloatText(const std::string& text, long double& value);
double StrToFloatDef(const std::string& text, double defaultValue);

// Replaces the file with data's bytes only once all are written; raises EFOpenError on failure.
void SaveStringToFile(const std::string& fileName, const std::string& data);
// The whole file, or "" when it does not exist.
std::string LoadStringFromFile(const std::string& fileName);
// 0 when the file does not exist.
std::int64_t SizeOfFile(const std::string& fileName);

// Platform colour: red in the low byte, then green, then blue; negative = system colour index in the low byte.
using TColor = std::int32_t;
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return r | (g << 8) | (b << 16); }
constexpr std::uint8_t GetRValue(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GetGValue(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
// The classic value of system colour index (0 to 24); black for others.
TColor GetSysColor(int index);
TColor ColorToRGB(TColor c);
TVector4f ConvertWinColor(TColor colour, float alpha = 1.0f);
// ConvertWinColor of each system colour 0 to 24, filled when the library starts.
const std::array<TVector4f, 25>& SystemColors();

// The address of a row of a picture's pixels.
std::uint8_t* BitmapScanLine(QImage& bitmap, int row);

// The steady clock in nanoseconds; the frequency is 1e9 and always available.
bool QueryPerformanceCounter(std::int64_t& counter);
bool QueryPerformanceFrequency(std::int64_t& frequency);

// A picture format of the toolkit: what makes pictures of one kind from files.
class TGraphicClass {
 public:
  explicit TGraphicClass(std::string format) : format_(std::move(format)) {}
  const std::string& Format() const { return format_; }
  // The picture on the device, or null when it holds none this class can read.
  std::unique_ptr<QImage> LoadFromStream(QIODevice& device) const;

 private:
  std::string format_;
};

// The toolkit's bitmap class, registered for ".bmp" when the library starts.
const TGraphicClass& BitmapGraphicClass();
// The class the toolkit's picture support offers for the extension (with or without its "."), or null.
const TGraphicClass* GraphicClassForExtension(const std::string& extension);
// Appends the lower-cased extension and its class to the library's registry.
void RegisterTGraphicClassFileExtension(const std::string& extension, const TGraphicClass* graphicClass);
// The class the library's registry holds for the extension, or null.
const TGraphicClass* RegisteredGraphicClass(const std::string& extension);
// The picture in the file, read by the class its extension is registered with (or the toolkit offers);
// null when the file does not exist, no class claims the extension or the class cannot read it.
std::unique_ptr<QImage> CreateGraphicFromFile(const std::string& fileName);

// Fills the system-colour table and registers the library's picture classes; called by the library's start.
void InitializePlatformUtilities();

// Library messages shared by several units.
inline constexpr const char* glsCouldNotOpenFile = "Could not open file: %s";
inline constexpr const char* glsUnbalancedBeginEndUpdate = "Unbalanced Begin/EndUpdate";
