#include "output/print/page_headers.h"

#include <tuple>

#include "model/base/text_io.h"
#include "model/files/logo_file.h"
#include "print_fixture.h"
#include "support/print_sample.h"

namespace {

class PageHeaders : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    page.options.drawings_part = false;
    QuoteHeader.customer.name = "Rossi Srl";
    QuoteHeader.customer.city = "Milano";
    QuoteHeader.customer_ref = "Ref 9";
    QuoteHeader.number = "Q-17";
  }
  // The header of the drawing pages alone.
  void drawing_header() {
    page.page_bitmap = QImage(2101, 2971, QImage::Format_RGB32);
    canvas().texts.clear();
    set_page_scales(page, 2100, 2970);
    page.canvas().begin(page.page_bitmap, page.print_font);
    draw_drawing_header(page, 2100, 2970);
    page.canvas().end();
  }
  // The quote pages' second band alone, on a blank page.
  QImage quote_band() {
    QImage image(2101, 2971, QImage::Format_RGB32);
    image.fill(Qt::white);
    canvas().texts.clear();
    set_page_scales(page, 2100, 2970);
    page.canvas().begin(image, page.print_font);
    draw_quote_table_header(page, 2100, 2970);
    page.canvas().end();
    return image;
  }
};

TEST_F(PageHeaders, QuoteHeaderShowsTheCustomerOnlyWhenAsked) {
  render();
  EXPECT_EQ(text("Rossi Srl").left, 1250);
  EXPECT_EQ(text("Rossi Srl").top, 150);
  EXPECT_EQ(text("t149").top, 100);
  page.print_customer_block = false;
  page.canvas().begin(page.preview_pages[0], page.print_font);
  canvas().texts.clear();
  draw_quote_header(page, 2100, 2970);
  page.canvas().end();
  EXPECT_TRUE(canvas().has("t149"));
  EXPECT_FALSE(canvas().has("Rossi Srl"));
}

TEST_F(PageHeaders, DrawingHeaderLeavesTheCustomerOutButKeepsTheOtherValues) {
  page.print_customer_block = false;
  drawing_header();
  EXPECT_FALSE(canvas().has("Rossi Srl"));
  EXPECT_EQ(std::pair(text("Ref 9").top, text("Q-17").top), std::pair(10 + 50 + 110, 10 + 50 + 3 * 110));
  EXPECT_EQ(std::pair(text("t142").left, text("t142").font_height), std::pair(1160, 30));
  EXPECT_EQ(text("Q-17").font_height, 50);
}

// Box k of the quote data spans 10 + 520k .. 10 + 520(k + 1) pixels, from
// 55 to 65 mm; the reference band below it spans the page, from 65 to 75 mm.
TEST_F(PageHeaders, QuoteDataStaysInItsBoxesAndShortValuesAreDrawnAsBefore) {
  QuoteHeader = Tprv{};
  const QImage blank = quote_band();
  std::string long_text;
  while (long_text.size() < 255) long_text += "Scaffalatura metallica è ";
  long_text = cut_short_string(long_text);
  struct Case {
    std::string Tprv::*field;
    std::string value;
    int left, right, top;
  };
  const Case cases[] = {{&Tprv::from, "Ufficio tecnico commerciale", 1050, 1570, 550},
                        {&Tprv::drawing, "Magazzino ricambi - piano terra - rev. 3", 1570, 2090, 550},
                        {&Tprv::drawing, long_text, 1570, 2090, 550},
                        {&Tprv::customer_ref, long_text, 10, 2090, 650}};
  for (const Case& c : cases) {
    QuoteHeader = Tprv{};
    QuoteHeader.*c.field = c.value;
    const QImage drawn = quote_band();
    int inked = 0;
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) {
        if (drawn.pixel(x, y) == blank.pixel(x, y)) continue;
        ++inked;
        ASSERT_TRUE(x > c.left + 2 && x < c.right - 2 && y > c.top && y < c.top + 100)
            << c.value << ": ink at " << x << "," << y;
      }
    EXPECT_GT(inked, 500) << c.value;
    EXPECT_GE(text(c.value).font_height, 25) << "no smaller than half the 5 mm font";
  }

  QuoteHeader = Tprv{};
  std::tie(QuoteHeader.number, QuoteHeader.date, QuoteHeader.from, QuoteHeader.drawing, QuoteHeader.customer_ref) =
      std::tuple("Q-17", "06/12/2026", "Rossi", "D-1", "Ref 9");
  render();
  // Centred in their boxes in the 5 mm font, as they always were.
  for (auto [value, centre, top] : {std::tuple{"Q-17", 270, 585},
                                    {"06/12/2026", 790, 585},
                                    {"Rossi", 1310, 585},
                                    {"D-1", 1830, 585},
                                    {"Ref 9", 1050, 685}}) {
    RecordedText drawn = text(value);
    EXPECT_EQ(std::tuple(drawn.left, drawn.top, drawn.font_height), std::tuple(centre - drawn.width / 2, top, 50))
        << value;
  }
}

// The header lines of the company end 1 mm before the more line of their row
// (more line 6 + i beside header line i), or 1 mm before the line at 115 mm
// where that line holds no text, as the more lines do; the customer block and
// the values of the drawings' title block 1 mm before the frame at 209 mm.
TEST_F(PageHeaders, CompanyCustomerAndTitleBlockStayInTheirBoxes) {
  const std::string long_text = cut_short_string(std::string(300, 'M'));
  Company.header_lines[0] = "Registro Imprese di Torino n. 01234567890 - Cap. Soc. 50.000 i.v.";
  Company.header_lines[1] = "Beside blanks " + long_text;
  Company.more_lines[7] = "  ";
  Company.header_lines[3] = "Header " + long_text;
  Company.more_lines[9] = "More " + long_text;
  QuoteHeader.customer.name = "Name " + long_text;
  QuoteHeader.customer.country = "Country " + long_text;
  QuoteHeader.drawing = "Drawing " + long_text;
  QuoteHeader.number = "Q-2026-" + std::string(50, '0') + "17";
  render();
  EXPECT_EQ(text(Company.header_lines[0]).font_height, 30) << "whole, where no more line stands beside it";
  EXPECT_FALSE(canvas().has("  ")) << "blanks would blank the header line under them";
  for (auto [value, left, right] : {std::tuple{Company.header_lines[3], 20, 490},
                                    {Company.header_lines[1], 20, 1140},
                                    {Company.more_lines[9], 500, 1140},
                                    {QuoteHeader.customer.name, 1250, 2080},
                                    {QuoteHeader.customer.country, 1250, 2080}}) {
    RecordedText drawn = text(value);
    EXPECT_EQ(std::pair(drawn.left, drawn.right()), std::pair(left, right)) << value << ": cut at its box";
    EXPECT_GE(drawn.font_height, 15) << "no smaller than half the 3 or 5 mm font";
  }
  RecordedText quote_number = text(QuoteHeader.number);
  EXPECT_TRUE(quote_number.left >= 20 && quote_number.right() <= 520 && quote_number.font_height < 25 &&
              !quote_number.cut)
      << "the number in the quote data: smaller than other values may get, never cut";

  drawing_header();
  EXPECT_EQ(text(Company.header_lines[1]).right(), 1140) << "on the drawing pages too";
  RecordedText drawing = text(QuoteHeader.drawing);
  RecordedText number = text(QuoteHeader.number);
  EXPECT_EQ(std::tuple(drawing.left, drawing.right(), drawing.font_height), std::tuple(1200, 2080, 25));
  EXPECT_TRUE(number.left == 1200 && number.right() <= 2080 && number.font_height < 50 && !number.cut)
      << "smaller, never cut";
  EXPECT_EQ(std::pair(text("Ref 9").left, text("Ref 9").font_height), std::pair(1200, 50)) << "a value that fits";
}

// The headings of the price table stand in their columns as the item rows
// below them, in every language and with long currencies: none blanks a
// column line, so none covers another. The column lines stand at 26, 131, 156,
// 166, 186 and 209 mm.
TEST_F(PageHeaders, TableHeadingsStayInTheirColumns) {
  const int lines[] = {10, 260, 1310, 1560, 1660, 1860, 2090};
  const std::vector<std::string> numbered_texts = LangTable;
  const std::string program_dir = ProgramDir;
  ProgramDir = print_stage_dir();
  for (const char* language : {"IT", "EN", "FR", "DE", "ES", "FM", "CZ", "PL"})
    for (const char* currency : {"EUR", "EUR IVA esclusa", "Kč bez DPH"}) {
      set_language(language);
      Company.currency = currency;
      const QImage band = quote_band();
      for (int k = 0; k < 6; ++k) {
        const bool left = k < 3;  // 2 mm from the line it is aligned to, 1 mm from the other
        RecordedText drawn = text(k < 5 ? lang_text(150 + k) : lang_text(155) + " " + currency);
        EXPECT_EQ(left ? drawn.left : drawn.right(), left ? lines[k] + 20 : lines[k + 1] - 20) << drawn.text;
        EXPECT_TRUE(drawn.left >= lines[k] + 10 && drawn.right() <= lines[k + 1] - 10 && drawn.font_height >= 20)
            << language << " " << drawn.text << ": " << drawn.left << ".." << drawn.right();
        EXPECT_TRUE(k == 5 || band.pixel(lines[k + 1], 780) != qRgb(255, 255, 255)) << "line " << k + 1;
        EXPECT_TRUE(language != std::string("IT") || currency != std::string("EUR") || drawn.font_height == 40)
            << "as today: " << drawn.text;
      }
    }
  LangTable = numbered_texts;
  ProgramDir = program_dir;
  Company.currency = std::string(60, 'W');
  quote_band();
  RecordedText cut = text("t155 " + Company.currency);
  EXPECT_EQ(std::tuple(cut.left, cut.right(), cut.font_height), std::tuple(1870, 2070, 20)) << "smaller, then cut";
}

// A heading drawn smaller to fit its column keeps the middle of the row the
// others share (76 mm, 4 mm high), not its top.
TEST_F(PageHeaders, ASmallerHeadingIsCentredOnItsRow) {
  LangTable[153] = "Quantit\xC3\xA0 ordinata";
  quote_band();
  const RecordedText quantity = text(LangTable[153]);
  const RecordedText price = text(LangTable[154]);
  ASSERT_LT(quantity.font_height, price.font_height);
  EXPECT_NEAR(quantity.top + quantity.font_height / 2.0, price.top + price.font_height / 2.0, 1);
}

TEST_F(PageHeaders, TitleIsUpperCasedInAsciiOnly) {
  LangTable[143] = "préventivo";
  render();
  RecordedText title = text("PRéVENTIVO");
  EXPECT_TRUE(title.bold);
  EXPECT_EQ(title.font_height, 80);
  EXPECT_EQ(title.top, 460);
  EXPECT_NEAR(title.left + title.width / 2.0, 1050, 1) << "centred on the page";
}

TEST_F(PageHeaders, LogoIsFoundWhateverTheCaseOfItsName) {
  QImage logo(40, 20, QImage::Format_RGB32);
  logo.fill(qRgb(255, 0, 0));
  std::string path = program_dir_.file("user/logo.png");
  ASSERT_TRUE(logo.save(QString::fromStdString(path)));
  for (const char* name : {"Logo.PNG", "logo.png"}) EXPECT_EQ(find_logo_file(name), path) << name;
  // An empty name is no logo, not the folder.
  for (const char* name : {"", "other.png"}) EXPECT_EQ(find_logo_file(name), "") << name;
  std::filesystem::create_directories(program_dir_.path() / "user" / "folder.png");
  EXPECT_EQ(find_logo_file("folder.png"), "") << "only a regular file counts";

  Company.logo = "Logo.PNG";
  render();
  const QImage& first = page.preview_pages[0];
  // 2 mm from the top left, 27 mm high, twice as wide: 20..560 x 20..290.
  for (auto [x, y, inside] : {std::tuple{25, 25, true}, {555, 285, true}, {565, 200, false}, {200, 295, false}})
    EXPECT_EQ(first.pixel(x, y) == qRgb(255, 0, 0), inside) << x << "," << y;
}

}  // namespace
