#include "model/base/text_io.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <clocale>
#include <random>
#include <string>
#include <string_view>
#include <vector>

TEST(NumberForms, ThreeFormsOf1700) {
  EXPECT_EQ(format_f(1700.0), " 1700.00");
  EXPECT_EQ(format_f0(1700.0), "1700.00");
  EXPECT_EQ(format_e(1700.0), " 1.70000000000000E+0003");
  EXPECT_EQ(format_f(123.45), "  123.45");
  EXPECT_EQ(format_f(123456789.5), "123456789.50");
  EXPECT_EQ(format_f0(60.0), "60.00");
  EXPECT_EQ(format_e(-0.00125), "-1.25000000000000E-0003");
  EXPECT_EQ(format_e(0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(format_f0(-0.001), "0.00");
}

TEST(NumberForms, IndependentOfTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "it_IT.UTF-8"))
    GTEST_SKIP() << "no comma locale installed";
  EXPECT_EQ(format_f0(2.5), "2.50");
  double value = 0;
  EXPECT_TRUE(parse_double("2.5", value));
  EXPECT_EQ(value, 2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberForms, CommaSeparatorForTheCodeTable) {
  double value = 0;
  EXPECT_TRUE(parse_double("12,50", value, ','));
  EXPECT_EQ(value, 12.5);
  EXPECT_FALSE(parse_double("12.50", value, ','));
  EXPECT_EQ(format_fixed(12.5, 2, ','), "12,50");
  EXPECT_EQ(format_fixed(1.25, -3), "1");                           // no decimals below zero
  EXPECT_EQ(format_fixed(-1e308, 1000).size(), 1u + 309 + 1 + 40);  // never past the buffer
  EXPECT_FALSE(parse_double("", value));
  EXPECT_FALSE(parse_double("1.5x", value));
  EXPECT_FALSE(parse_double("nan", value));
}

TEST(TextReader, ReadsEveryKindOfLine) {
  TextReader reader("12\r\n-3\n1\n2\nH\n hello \n 1.70000000000000E+0003\n", "test", CodePage::Windows1252);
  EXPECT_EQ(reader.integer(), 12);
  EXPECT_EQ(reader.int32(), -3);
  EXPECT_TRUE(reader.boolean());
  EXPECT_FALSE(reader.boolean());  // "2" is false
  EXPECT_EQ(reader.character(), 'H');
  EXPECT_EQ(reader.line(), " hello ");
  EXPECT_EQ(reader.number(), 1700.0);
  EXPECT_TRUE(reader.at_end());
  EXPECT_THROW(reader.line(), FileError);

  // Fields read in turn, and counts checked against the lines left.
  TextReader counted("7\n8\n2\na\nb\n1\n", "test", CodePage::Windows1252);
  int first = 0, second = 0;
  counted.int32s({&first, &second});
  EXPECT_EQ(std::pair(first, second), std::pair(7, 8));
  EXPECT_THROW(TextReader(counted).count(2), FileError) << "two elements of two lines need four";
  EXPECT_EQ(counted.count(), 2u);
  counted.line();
  counted.line();
  EXPECT_THROW(counted.count(), FileError) << "one element but no line left";
}

TEST(TextReader, WrongContentNamesSourceAndLine) {
  TextReader reader("1\nabc\n", "prv00001.cel", CodePage::Windows1252);
  reader.integer();
  try {
    reader.integer();
    FAIL();
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("prv00001.cel: line 2"), std::string::npos);
  }
}

TEST(TextReader, LineEndsAndShortStrings) {
  EXPECT_EQ(split_lines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(split_lines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(split_lines("\r\n\r\n"), (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(split_lines("").empty());

  std::string long_text(254, 'x');
  long_text += "\xC3\xA8";  // a two-byte character across the 255th byte
  EXPECT_EQ(cut_short_string(long_text), std::string(254, 'x'));
  EXPECT_EQ(cut_short_string(std::string(300, 'y')).size(), 255u);
  EXPECT_EQ(cut_short_string("short"), "short");
}

namespace {

// One byte in a Windows code page as glibc's converter reads it; empty for a
// byte the code page leaves unassigned.
std::string iconv_letter(const char* code_page, char byte) {
  iconv_t converter = iconv_open("UTF-8", code_page);
  char out[8] = {};
  char *in_at = &byte, *out_at = out;
  std::size_t in_left = 1, out_left = sizeof out;
  const bool read = iconv(converter, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  return read ? std::string(out, out_at) : std::string();
}

}  // namespace

// The old program's files hold single-byte texts in the code page of its
// language: each byte becomes that code page's letter, UTF-8 stays as it is,
// and a line that grows past its bound is cut on a whole letter and noted.
TEST(TextReader, SingleByteTextsAreReadInTheirCodePage) {
  for (const auto& [code_page, name] :
       {std::pair(CodePage::Windows1250, "CP1250"), {CodePage::Windows1252, "CP1252"}}) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      const std::string letter = iconv_letter(name, static_cast<char>(byte));
      if (letter.empty()) continue;
      EXPECT_EQ(text_as_utf8(std::string(1, static_cast<char>(byte)), code_page), letter) << name << " " << byte;
    }
  }
  EXPECT_EQ(text_as_utf8("Venerd\xC3\xAC", CodePage::Windows1250), "Venerd\xC3\xAC") << "UTF-8 as it is";
  EXPECT_EQ(text_as_utf8("\xC0\xAF", CodePage::Windows1252), "\xC3\x80\xC2\xAF") << "an overlong form is no UTF-8";

  TextReader reader(std::string(255, '\xE8') + "\r\n", "old", CodePage::Windows1252);
  EXPECT_EQ(reader.short_string(), text_as_utf8(std::string(127, '\xE8'), CodePage::Windows1252));
  EXPECT_EQ(reader.notes(), std::vector<std::string>{"line 1: " + cut_text_note(510, kShortStringBytes)});
}

// The old program wrote its texts one byte a letter: "š" is 0x9A in the
// Central European code page, a byte that in UTF-8 only continues a letter.
TEST(TextCut, SingleByteTextIsCutAtTheBoundAndUtf8AtALetter) {
  EXPECT_TRUE(cut_text(std::string(5000, '\x9A'), 4096) == std::string(4096, '\x9A'));
  EXPECT_EQ(cut_short_string("Caf\xE9 " + std::string(300, '\xE8')).size(), 255u);
  std::string czech;
  for (int i = 0; i < 3000; ++i) czech += "\xC5\xA1";  // "š" in UTF-8
  EXPECT_TRUE(cut_text(czech, 4095) == czech.substr(0, 4094));
  EXPECT_TRUE(cut_text("a" + czech, 4096) == "a" + czech.substr(0, 4094));
  EXPECT_EQ(cut_text("\xE2\x82\xAC" + czech, 4), "\xE2\x82\xAC") << "never inside the euro sign either";
  EXPECT_EQ(cut_text("\xC0\xAF" + czech, 4096).size(), 4096u) << "an overlong form is not UTF-8";
  // The reader reads the line as its letters first, and cuts the UTF-8 after.
  TextReader reader(std::string(5000, '\x9A') + "\r\n", "old.cel", CodePage::Windows1250);
  EXPECT_TRUE(reader.text() == czech.substr(0, 4096));
  EXPECT_EQ(reader.notes().size(), 1u);
}

TEST(TextWriter, CrLfBooleansAndOneLineAValue) {
  TextWriter writer;
  writer.integers({-5});
  writer.boolean(true);
  writer.character('V');
  writer.number_f0(60.0, "thickness");
  writer.line("two\r\nlines\n");
  EXPECT_EQ(writer.take(), "-5\r\n1\r\nV\r\n60.00\r\ntwo  lines \r\n");
}

namespace {

// Random text, most of it the characters numbers and line ends are made of.
std::string random_text(std::mt19937& generator) {
  static constexpr std::string_view number_characters = "0123456789-+.eE \r\n";
  std::string text(generator() % 64, '\0');
  for (char& c : text)
    c = generator() % 2 ? number_characters[generator() % number_characters.size()] : static_cast<char>(generator());
  return text;
}

// The read fails with a FileError whose message starts with where.
template <typename Read>
void expect_refusal(Read read, const std::string& where) {
  try {
    read();
    ADD_FAILURE() << "no error at " << where;
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(where, 0), 0u) << error.what();
  }
}

}  // namespace

// Whatever the bytes, the reader gives the lines split_lines cuts, each typed
// read what the field's parser makes of its line or a FileError naming the
// source and the line, and a read past the last line fails the same way.
TEST(TextReader, RandomBytesGiveTheirLinesOrErrorsNamingTheLine) {
  std::mt19937 generator(42);
  for (int round = 0; round < 2000; ++round) {
    const std::string text = random_text(generator);
    const std::vector<std::string> lines = split_lines(text, CodePage::Windows1252);
    TextReader reader(text, "random", CodePage::Windows1252);
    ASSERT_EQ(reader.remaining(), lines.size()) << round;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string where = "random: line " + std::to_string(i + 1) + ": ";
      long long integer = 0;
      double number = 0.0;
      switch (generator() % 4) {
        case 0:
          EXPECT_EQ(reader.short_string(), cut_short_string(lines[i]));
          break;
        case 1:
          if (parse_integer(lines[i], integer)) {
            EXPECT_EQ(reader.integer(), integer) << lines[i];
          } else {
            expect_refusal([&] { reader.integer(); }, where);
          }
          break;
        case 2:
          if (parse_integer(lines[i], integer)) {
            EXPECT_EQ(reader.boolean(), integer == 1) << lines[i];
          } else {
            expect_refusal([&] { reader.boolean(); }, where);
          }
          break;
        default:
          if (parse_double(lines[i], number)) {
            EXPECT_EQ(reader.number(), number) << lines[i];
          } else {
            expect_refusal([&] { reader.number(); }, where);
          }
          break;
      }
    }
    EXPECT_TRUE(reader.at_end());
    expect_refusal([&] { reader.line(); }, "random: line " + std::to_string(lines.size() + 1) + ": ");
  }
}
