// The number parser of the mesh readers, power-of-two rounding, platform colours and picture loading.
#include "gfx3d/core/platform_utilities.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "gfx3d_fixture.h"
#include "support/scoped_locale.h"
#include "support/temp_dir.h"

TEST(PlatformUtilities, ParsesNumbersAsTheMeshReadersWrite) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  for (const Case& c : {Case{"1.5", true, 1.5}, Case{"1,5", true, 1.5}, Case{"  1.5", true, 1.5},
                        Case{"15e-1", true, 1.5}, Case{"-2.5E+3", true, -2500}, Case{"0 0 7", true, 7},
                        Case{"2.5  ", true, 2.5}, Case{" -1", false, 0}, Case{"1 2", false, 0}, Case{"1e", false, 0},
                        Case{"1.2.3", false, 0}, Case{"abc", false, 0}, Case{"", false, 0}, Case{"1e+x", false, 0}}) {
    long double value = 0;
    EXPECT_EQ(TryStrToFloatText(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(static_cast<double>(value), c.value) << c.text;
    }
  }
  EXPECT_EQ(StrToFloatDef("letters", 3.5), 3.5);
  long double huge = 0;
  ASSERT_TRUE(TryStrToFloatText("1e99999999999999999999", huge));
  EXPECT_TRUE(std::isinf(huge)) << "a long exponent saturates";
  // Digits are gathered in the extended type: 2^53 + 1 and a tenth keep what a double would lose.
  long double odd = 0;
  ASSERT_TRUE(TryStrToFloatText("9007199254740993", odd));
  EXPECT_EQ(odd, 9007199254740993.0L);
  long double tenth = 0;
  ASSERT_TRUE(TryStrToFloatText("0.1", tenth));
  EXPECT_EQ(tenth, 0.1L);
}

TEST(PlatformUtilities, RoundsUpToPowersOfTwoAndConvertsColours) {
  EXPECT_EQ(RoundUpToPowerOf2(0), 1);
  EXPECT_EQ(RoundUpToPowerOf2(1), 1);
  EXPECT_EQ(RoundUpToPowerOf2(3), 4);
  EXPECT_EQ(RoundUpToPowerOf2(64), 64);
  EXPECT_EQ(GetSqrt255Array()[64], 127);
  const TVector4f red = ConvertWinColor(RGB(255, 0, 0));
  EXPECT_EQ(red.x, 1.0f);
  EXPECT_EQ(red.y, 0.0f);
  EXPECT_EQ(red.w, 1.0f);
  const TVector4f window = ConvertWinColor(static_cast<TColor>(0x80000005), 0.5f);  // system colour 5
  EXPECT_EQ(window.x, 1.0f);
  EXPECT_EQ(window.w, 0.5f);
  EXPECT_EQ(CreateGraphicFromFile("/nonexistent/picture.bmp"), nullptr);
  std::int64_t frequency = 0;
  EXPECT_TRUE(QueryPerformanceFrequency(frequency));
  EXPECT_GT(frequency, 0);
}

TEST(PlatformUtilities, TheSystemColourTableIsFilledAtStart) {
  InitializeGfx3D();
  const std::array<TVector4f, 25>& table = SystemColors();
  for (int i = 0; i < 25; ++i) {
    const TVector4f expected = ConvertWinColor(static_cast<TColor>(0x80000000u | static_cast<unsigned>(i)), 1.0f);
    EXPECT_EQ(std::vector<float>({table[i].x, table[i].y, table[i].z, table[i].w}),
              std::vector<float>({expected.x, expected.y, expected.z, expected.w}))
        << "system colour " << i;
  }
  EXPECT_EQ(table[5].x, 1.0f) << "the window background is white";
  EXPECT_EQ(table[5].w, 1.0f);
}

TEST(PlatformUtilities, BitmapScanLineIsTheAddressOfARow) {
  QImage bitmap(3, 4, QImage::Format_RGB32);
  bitmap.fill(Qt::black);
  std::uint8_t* row = BitmapScanLine(bitmap, 2);
  EXPECT_EQ(row, bitmap.bits() + 2 * bitmap.bytesPerLine());
  reinterpret_cast<QRgb*>(row)[1] = qRgb(9, 8, 7);
  EXPECT_EQ(bitmap.pixel(1, 2), qRgb(9, 8, 7));
}

// Pictures are read by the class their extension names, never by guessing from the content.
TEST(PlatformUtilities, PicturesAreReadByTheClassTheirExtensionIsRegisteredWith) {
  InitializeGfx3D();
  EXPECT_EQ(RegisteredGraphicClass(".bmp"), &BitmapGraphicClass()) << "registered at start";
  EXPECT_EQ(RegisteredGraphicClass(".png"), nullptr) << "only the toolkit knows it";
  const TGraphicClass* png = GraphicClassForExtension("png");
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(GraphicClassForExtension(".PNG"), png) << "with the dot, in any case";
  EXPECT_EQ(GraphicClassForExtension(".dat"), nullptr);
  {
    ScopedCLocale turkish("tr_TR.UTF-8");  // where std::tolower leaves "I" as it is
    EXPECT_NE(GraphicClassForExtension(".GIF"), nullptr) << "in every locale";
    EXPECT_EQ(GraphicClassForExtension(".GIF"), GraphicClassForExtension("gif"));
  }

  TempDir folder;
  QImage picture(2, 3, QImage::Format_RGB32);
  picture.fill(qRgb(30, 60, 90));
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.file("p.png")), "PNG"));
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.file("p.dat")), "PNG"));
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.file("p.pic")), "PNG"));
  ASSERT_TRUE(picture.save(QString::fromStdString(folder.file("p.BMP")), "BMP"));
  EXPECT_EQ(CreateGraphicFromFile(folder.file("p.dat")), nullptr) << "no class claims .dat";
  for (const char* name : {"p.png", "p.BMP"}) {
    std::unique_ptr<QImage> read = CreateGraphicFromFile(folder.file(name));
    ASSERT_NE(read, nullptr) << name;
    EXPECT_EQ(read->pixel(1, 2), qRgb(30, 60, 90)) << name;
  }
  EXPECT_EQ(CreateGraphicFromFile(folder.file("p.pic")), nullptr);
  RegisterTGraphicClassFileExtension(".PIC", png);
  EXPECT_EQ(RegisteredGraphicClass(".pic"), png);
  EXPECT_NE(CreateGraphicFromFile(folder.file("p.pic")), nullptr);
}
