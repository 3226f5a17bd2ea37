// The RGBA bitmap: conversion from and to QImage, and its pixel operations.
#include "gfx3d/materials/bitmap32.h"

#include <gtest/gtest.h>

#include <array>

#include "gfx3d/core/library_errors.h"

namespace {

std::vector<int> Pixel(const TGLBitmap32& bitmap, int x, int row) {
  const std::uint8_t* p = bitmap.ScanLine(row) + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

// A row of four pixels, R, G, B, A each.
TGLBitmap32 FourPixels(const std::array<std::uint8_t, 16>& pixels) {
  TGLBitmap32 bitmap;
  bitmap.SetWidth(4);
  bitmap.SetHeight(1);
  std::copy(pixels.begin(), pixels.end(), bitmap.Data());
  return bitmap;
}

}  // namespace

TEST(Bitmap32, TakesPicturesBottomUpInRGBAOrder) {
  struct Case {
    int width;
    QImage::Format format;
    int expected_width;
  };
  for (const Case& c : {Case{32, QImage::Format_RGB888, 32}, Case{30, QImage::Format_RGB888, 32},
                        Case{4, QImage::Format_ARGB32, 4}, Case{1, QImage::Format_RGB888, 4}}) {
    QImage image(c.width, 2, c.format);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(0, 0, QColor(200, 100, 50, 128));
    TGLBitmap32 bitmap;
    bitmap.Assign(image);
    ASSERT_EQ(bitmap.Width(), c.expected_width) << c.width;
    ASSERT_EQ(bitmap.Height(), 2);
    const int alpha = image.hasAlphaChannel() ? 128 : 255;
    EXPECT_EQ(Pixel(bitmap, 0, 1), (std::vector<int>{200, 100, 50, alpha})) << "top-left is the last row";
    EXPECT_EQ(Pixel(bitmap, bitmap.Width() - 1, 0), (std::vector<int>{10, 20, 30, 255}));

    const QImage back = bitmap.ToPlatformBitmap32();
    EXPECT_EQ(back.format(), QImage::Format_ARGB32);
    EXPECT_EQ(back.pixelColor(0, 0), QColor(200, 100, 50, alpha));
  }
  TGLBitmap32 reversed;
  reversed.ReverseRowsOnAssign = true;
  QImage image(4, 2, QImage::Format_RGB888);
  image.fill(Qt::black);
  image.setPixelColor(0, 0, Qt::red);
  reversed.Assign(image);
  EXPECT_EQ(Pixel(reversed, 0, 0), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_TRUE(TGLBitmap32().ToPlatformBitmap32().isNull());
  EXPECT_THROW(reversed.SetWidth(-1), EAssertionFailed);
}

TEST(Bitmap32, CorrectsAlphaGammaAndBrightness) {
  TGLBitmap32 bitmap = FourPixels({230, 230, 230, 7, 0, 0, 0, 7, 30, 60, 90, 7, 200, 0, 0, 7});
  struct Case {
    const char* operation;
    void (*apply)(TGLBitmap32&);
    std::vector<int> first, second;
  };
  for (const Case& c :
       {Case{"intensity", [](TGLBitmap32& b) { b.SetAlphaFromIntensity(); }, {230, 230, 230, 230}, {0, 0, 0, 0}},
        Case{"sqrt intensity",
             [](TGLBitmap32& b) { b.SetAlphaFromSqrtIntensity(); },
             {230, 230, 230, 242},
             {0, 0, 0, 0}},
        Case{"black transparent",
             [](TGLBitmap32& b) { b.SetAlphaTransparentForColor(0, 0, 0); },
             {230, 230, 230, 255},
             {0, 0, 0, 0}},
        Case{"inverted", [](TGLBitmap32& b) { b.InvertAlpha(); }, {230, 230, 230, 248}, {0, 0, 0, 248}},
        Case{"gamma 0.05 uses exponent 10",
             [](TGLBitmap32& b) { b.GammaCorrection(0.05f); },
             {91, 91, 91, 7},
             {0, 0, 0, 7}},
        Case{"brightness saturates",
             [](TGLBitmap32& b) { b.BrightnessCorrection(2.0f); },
             {255, 255, 255, 7},
             {0, 0, 0, 7}}}) {
    TGLBitmap32 copy;
    copy.Assign(bitmap);
    c.apply(copy);
    EXPECT_EQ(Pixel(copy, 0, 0), c.first) << c.operation;
    EXPECT_EQ(Pixel(copy, 1, 0), c.second) << c.operation;
  }
  EXPECT_THROW(bitmap.GammaCorrection(0), EAssertionFailed);
  EXPECT_THROW(bitmap.BrightnessCorrection(-1), EAssertionFailed);
}

// The transparent colour as a platform colour: red in the low byte, and a
// system colour looked up in the system-colour table.
TEST(Bitmap32, TheTransparentColourMayBeAPlatformColour) {
  constexpr int kButtonFace = 15;  // light grey in the classic scheme
  struct Case {
    const char* colour;
    TColor value;
    std::vector<int> alphas;
  };
  for (const Case& c : {Case{"RGB(30, 60, 90)", RGB(30, 60, 90), {0, 255, 255, 255}},
                        Case{"the button face", static_cast<TColor>(0xFF000000u | kButtonFace), {255, 255, 0, 255}}}) {
    TGLBitmap32 bitmap = FourPixels({30, 60, 90, 7, 90, 60, 30, 7, 192, 192, 192, 7, 0, 0, 0, 7});
    bitmap.SetAlphaTransparentForColor(c.value);
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(Pixel(bitmap, x, 0)[3], c.alphas[static_cast<std::size_t>(x)]) << c.colour << " " << x;
  }
}

TEST(Bitmap32, NormalMapOfAFlatGreenChannelPointsUp) {
  TGLBitmap32 bitmap;
  bitmap.SetWidth(12);  // not a power of two: wrapping must still stay inside the picture
  bitmap.SetHeight(3);
  std::fill(bitmap.Data(), bitmap.Data() + bitmap.DataSize(), std::uint8_t{77});
  for (bool wrap : {false, true}) {
    TGLBitmap32 map;
    map.Assign(bitmap);
    map.GenerateNormalMap(wrap, wrap, 0.125f);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 12; ++x) ASSERT_EQ(Pixel(map, x, y), (std::vector<int>{128, 128, 255, 255}));
  }
}
