// The entity writers: exact lines per entity, handles, numbers and texts.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "output/dxf/dxf_entities.h"

namespace {

// The lines an entity writer appended, CR LF ends checked and removed.
std::vector<std::string> written_lines(const DxfEntities& out) {
  std::vector<std::string> lines;
  const std::string& text = out.text();
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

using Pairs = std::vector<std::string>;

template <class... Pair>
Pairs expected(Pair... pairs) {
  return {pairs...};
}

// The written lines as "code|value" pairs.
Pairs written_pairs(const DxfEntities& out) {
  std::vector<std::string> lines = written_lines(out);
  Pairs pairs;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) pairs.push_back(lines[i] + "|" + lines[i + 1]);
  if (lines.size() % 2 != 0) pairs.push_back(lines.back() + "|(missing)");
  return pairs;
}

TEST(DxfWritersTest, EachEntityHasItsGroupsInOrder) {
  DxfEntities out;
  out.dxf_handle = 10000;
  out.dxf_origin_x = 7000;
  out.dxf_insert("rivetto", "Scaffalatura", "", 1, 2, 3, 90, -1);
  EXPECT_EQ(written_pairs(out),
            expected("  0|INSERT", "  5|2711", "330|21", "100|AcDbEntity", "  8|Scaffalatura", "100|AcDbBlockReference",
                     "  2|rivetto", " 10|7001", " 20|2", " 30|3", " 41|-1", " 42|1", " 43|1", " 50|90"));

  DxfEntities line;
  line.dxf_line("Scaffalatura_muri", 0.1 + 0.2, -0.0, 1770.4, 1000);
  EXPECT_EQ(written_pairs(line),
            expected("  0|LINE", "  5|01", "330|21", "100|AcDbEntity", "  8|Scaffalatura_muri", "100|AcDbLine",
                     " 10|0.3", " 20|0", " 30|0.0", " 11|1770.4", " 21|1000", " 31|0.0"));

  DxfEntities rectangle;
  rectangle.dxf_rectangle("Scaffalatura", 1, 2, 3, 4);
  EXPECT_EQ(written_pairs(rectangle), expected("  0|LWPOLYLINE", "  5|01", "330|21", "100|AcDbEntity",
                                               "  8|Scaffalatura", "100|AcDbPolyline", " 90|  4", " 70|  1", " 43|0.0",
                                               " 10|1", " 20|2", " 10|3", " 20|2", " 10|3", " 20|4", " 10|1", " 20|4"));

  DxfEntities dimension;
  dimension.dxf_dimension(160, "Scaffalatura_quote", 1, 2, 3, 4, 5, 6, 7, 8, 180);
  EXPECT_EQ(
      written_pairs(dimension),
      expected("  0|DIMENSION", "5|01", "330|21", "100|AcDbEntity", "8|Scaffalatura_quote", "100|AcDbDimension",
               "2|*D1", "10|1", "20|2", "30|0", "11|3", "21|4", "31|0", "70|0", "3|ISO-25", "100|AcDbAlignedDimension",
               "13|5", "23|6", "33|0", "14|7", "24|8", "34|0", "50|180", "100|AcDbRotatedDimension"));

  DxfEntities text;
  text.dxf_text("1000x475xh2000", "Scaffalatura_quote", 10, 20, 90);
  EXPECT_EQ(written_pairs(text),
            expected("  0|TEXT", "  5|01", "330|21", "100|AcDbEntity", "  8|Scaffalatura_quote", "100|AcDbText",
                     " 10|10", " 20|20", " 30|0.0", " 40|80.0", "  1|1000x475xh2000", " 50| 9.00000000000000E+0001",
                     " 41|0.8", "  7|stile1", " 72|     1", " 11|10", " 21|20", " 31|0.0", "100|AcDbText"));
}

TEST(DxfWritersTest, AnInsertCarriesItsUrlTwiceAndNoneWhenEmpty) {
  DxfEntities out;
  out.dxf_insert("rivetto", "Scaffalatura", "http://example.com/a", 0, 0, 0, 0, 1);
  std::vector<std::string> lines = written_lines(out);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 10, lines.end()),
            (std::vector<std::string>{"1001", "PE_URL", "1000", "http://example.com/a", "1002", "{", "1000",
                                      "http://example.com/a", "1002", "}"}));
  DxfEntities plain;
  plain.dxf_insert("rivetto", "Scaffalatura", "", 0, 0, 0, 0, 1);
  EXPECT_EQ(written_lines(plain).back(), "0");
  EXPECT_EQ(written_lines(plain).size(), 28u);
}

TEST(DxfWritersTest, HandlesRotationsAndTexts) {
  for (auto [handle, text] : {std::pair{10u, "0A"}, {255u, "FF"}, {65536u, "10000"}})
    EXPECT_EQ(dxf_handle_text(handle), text);
  for (auto [degrees, text] : {std::pair{0.0, " 0.00000000000000E+0000"},
                               {90.0, " 9.00000000000000E+0001"},
                               {180.0, " 1.80000000000000E+0002"},
                               {270.0, " 2.70000000000000E+0002"},
                               {-90.0, "-9.00000000000000E+0001"},
                               {-0.0, " 0.00000000000000E+0000"}})
    EXPECT_EQ(dxf_rotation_text(degrees), text) << degrees;
  EXPECT_EQ(dxf_ascii_text("6 Ripiani"), "6 Ripiani");
  EXPECT_EQ(dxf_ascii_text("5 Fächer \xe2\x82\xac"), "5 F\\U+00E4cher \\U+20AC");
  EXPECT_EQ(dxf_ascii_text("a\xe4"), "a\\U+00E4");  // a stray Latin-1 byte
}

TEST(DxfWritersTest, NumbersUseAPointWhateverTheLocale) {
  const std::string previous_c = std::setlocale(LC_ALL, nullptr);
  const std::locale previous = std::locale();
  ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the test needs the de_DE locale (locales-all)";
  std::locale::global(std::locale("de_DE.UTF-8"));
  DxfEntities out;
  out.dxf_line("0", 1770.4, 0.5, 914.4, -12.25);
  out.dxf_text("x", "0", 0.5, 0, 0);
  std::locale::global(previous);
  std::setlocale(LC_ALL, previous_c.c_str());
  EXPECT_NE(out.text().find("1770.4\r\n"), std::string::npos);
  EXPECT_NE(out.text().find("-12.25\r\n"), std::string::npos);
  EXPECT_EQ(out.text().find(','), std::string::npos);
}

}  // namespace
