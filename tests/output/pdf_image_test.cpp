// The image objects: rows top to bottom as R G B without padding, whatever the
// source's layout, raw or deflated.
#include <gtest/gtest.h>

#include "output/pdf_writer.h"
#include "pdf_inspection.h"

namespace {

constexpr int kImageObject = 21;  // the object number of a one-page document's image

}  // namespace

TEST(PdfImage, RowsComeBackRawOrInflatedWithTheirFilterOnlyWhenDeflated) {
  TestImage page = drawn_page(210, 297);
  for (bool compress : {true, false}) {
    ParsedPdf file = image_pages_pdf(page, 1, compress);
    std::string object = file.object(kImageObject);
    EXPECT_NE(object.find("/Width 210\r\n/Height 297\r\n/ColorSpace /DeviceRGB\r\n/BitsPerComponent 8\r\n"),
              std::string::npos);
    EXPECT_NE(object.find(compress ? "/Name /Im1\r\n/Filter [/FlateDecode]\r\n>>\r\nstream\r\n"
                                   : "/Name /Im1\r\n>>\r\nstream\r\n"),
              std::string::npos);
    std::string data = file.stream_data(kImageObject);
    EXPECT_EQ(compress ? inflate_bytes(data) : data, page.rgb_rows());
  }
}

TEST(PdfImage, PaddedRowsAreWrittenWithoutTheirPadding) {
  TestImage image(5, 3, kRgb24, 16);  // 15 bytes of pixels in rows of 16
  for (unsigned char& byte : image.bytes) byte = 0xAB;
  image.set(4, 2, 1, 2, 3);
  ParsedPdf file = image_pages_pdf(image, 1, false);
  EXPECT_EQ(file.stream_length(kImageObject), 45u);
  EXPECT_EQ(file.stream_data(kImageObject), std::string(42, '\xAB') + "\x01\x02\x03");
}

TEST(PdfImage, PixelsComeOutRedGreenBlueWhateverTheSourceOrder) {
  for (PixelLayout layout : {kRgb24, kBgr24, kBgrx32}) {
    TestImage image(2, 1, layout);
    image.set(0, 0, 0xFF, 0, 0);
    image.set(1, 0, 0x10, 0x20, 0x30);
    EXPECT_EQ(image_pages_pdf(image, 1, false).stream_data(kImageObject), std::string("\xFF\x00\x00\x10\x20\x30", 6));
  }
}

TEST(PdfImage, EmptyOrMalformedImagesAreRefused) {
  TPrintPDF pdf;
  pdf.BeginDoc();
  TestImage image(4, 4);
  RgbRasterView empty = image.view();
  empty.height = 0;
  RgbRasterView short_rows = image.view();
  short_rows.bytes_per_row = 11;
  RgbRasterView no_pixels = image.view();
  no_pixels.rows = nullptr;
  RgbRasterView bad_layout = image.view();
  bad_layout.layout = PixelLayout{3, 0, 1, 3};
  for (const RgbRasterView& view : {empty, short_rows, no_pixels, bad_layout})
    EXPECT_THROW(pdf.Draw(0, 0, view), std::invalid_argument);
}
