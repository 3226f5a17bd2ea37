// The pieces of PDF syntax: strings that read back unchanged, dates, and the
// zlib stream fed piece by piece.
#include "output/pdf_text.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "output/deflate_stream.h"
#include "pdf_inspection.h"

TEST(PdfTextString, AsciiStaysLiteralWithItsDelimitersEscaped) {
  EXPECT_EQ(pdf_text_string(""), "()");
  EXPECT_EQ(pdf_text_string("titolo"), "(titolo)");
  EXPECT_EQ(pdf_text_string("(a)\\"), "(\\(a\\)\\\\)");
  EXPECT_EQ(pdf_text_string("x\ry\n"), "(x\\ry\\n)");
}

TEST(PdfTextString, OtherUtf8BecomesUtf16WithByteOrderMark) {
  EXPECT_EQ(pdf_text_string("Müller"), "<FEFF004D00FC006C006C00650072>");
  EXPECT_EQ(pdf_text_string("€"), "<FEFF20AC>");
  EXPECT_EQ(pdf_text_string("\xF0\x9F\x98\x80"), "<FEFFD83DDE00>");  // beyond 16 bits: a surrogate pair
}

TEST(PdfTextString, BytesThatAreNotUtf8StayLiteral) {
  EXPECT_EQ(pdf_text_string("a\xE9(b"), "(a\xE9\\(b)");
  EXPECT_EQ(pdf_text_string("\xC3"), "(\xC3)");          // cut short
  EXPECT_EQ(pdf_text_string("\xC0\xAF"), "(\xC0\xAF)");  // overlong
}

TEST(PdfSyntax, DateDigitsAreZeroPadded) {
  std::tm time{};
  time.tm_year = 2026 - 1900;
  time.tm_mon = 0;
  time.tm_mday = 5;
  time.tm_hour = 7;
  time.tm_min = 3;
  time.tm_sec = 9;
  EXPECT_EQ(pdf_date_digits(time), "20260105070309");
}

TEST(DeflateStream, PiecesMakeTheSameStreamAsCompress2OfTheWhole) {
  std::string rows = drawn_page(300, 200).rgb_rows();
  DeflateStream stream;
  for (std::size_t at = 0; at < rows.size(); at += 900) stream.append(std::string_view(rows).substr(at, 900));
  std::string pieces = stream.finish();

  uLongf size = compressBound(rows.size());
  std::string whole(size, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(whole.data()), &size, reinterpret_cast<const Bytef*>(rows.data()),
                      rows.size(), Z_DEFAULT_COMPRESSION),
            Z_OK);
  whole.resize(size);
  EXPECT_EQ(pieces, whole);
}
