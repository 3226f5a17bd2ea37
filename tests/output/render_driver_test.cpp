#include "output/print/render_driver.h"

#include "output/print/page_canvas.h"
#include "print_fixture.h"

namespace {

using RenderDriver = PrintTest;

TEST_F(RenderDriver, PensAndFontFollowThePageHeight) {
  set_page_scales(page, 459, 614);
  EXPECT_EQ((std::array<int, 4>{page.pen_thin, page.pen_thick, page.pen_medium, page.print_font.height}),
            (std::array<int, 4>{0, 1, 1, 6}));
  set_page_scales(page, 2099, 2969);
  EXPECT_EQ((std::array<int, 4>{page.pen_thin, page.pen_thick, page.pen_medium, page.print_font.height}),
            (std::array<int, 4>{1, 4, 2, 30}));
  EXPECT_DOUBLE_EQ(page.px_per_mm_x, 2099 / 210.0);
  EXPECT_DOUBLE_EQ(page.px_per_mm_y, 2969 / 297.0);
}

TEST_F(RenderDriver, NoPartGivesOneBlankPage) {
  page.options.quote_part = false;
  page.options.drawings_part = false;
  ASSERT_EQ(render(), 1);
  EXPECT_TRUE(canvas().texts.empty());
  EXPECT_TRUE(canvas().shapes.empty()) << "not even a header";
  const QImage& blank = page.preview_pages[0];
  EXPECT_EQ(blank.copy(), [&] {
    QImage white(blank.size(), blank.format());
    white.fill(Qt::white);
    return white;
  }());
}

TEST_F(RenderDriver, DrawingsAloneStartOnTheFirstPageWithTheTitleBlock) {
  page.options.quote_part = false;
  Cells.resize(2);
  page.options.columns = 2;
  ASSERT_EQ(render(), 1);
  EXPECT_EQ(page.first_drawing_page, 0);
  EXPECT_TRUE(canvas().has("t142")) << "the drawing title block";
  EXPECT_FALSE(canvas().has("t149"));
}

TEST_F(RenderDriver, DrawingsFollowTheQuoteOnAFreshPage) {
  Cells.resize(1);
  QuoteDetails.resize(1);
  ASSERT_EQ(render(), 2);
  EXPECT_EQ(page.first_drawing_page, 1);
  EXPECT_EQ(text("t149").page, 0);
  EXPECT_EQ(text("t142").page, 1);
}

class PageTexts : public ::testing::Test {
 protected:
  PageTexts() : image_(300, 200, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    canvas_.begin(image_, PageFont{30, false});
  }
  QImage finished() {
    canvas_.end();
    return image_;
  }
  QImage image_;
  PageCanvas canvas_;
};

TEST_F(PageTexts, TurnedTextIsTheHorizontalTextTurnedAQuarterCounterClockwise) {
  const std::string word = "Lj7 Bay";
  int w = canvas_.text_width(word);
  int h = canvas_.text_height(word);
  ASSERT_GT(w, 0);
  ASSERT_LT(w, 150);
  canvas_.text_out(0, 0, word);
  canvas_.text_out_turned(200, 0, word);
  QImage image = finished();
  int differing = 0;
  for (int i = 0; i < w; ++i)
    for (int j = 0; j < h; ++j)
      if (image.pixel(i, j) != image.pixel(200 + j, w - 1 - i)) ++differing;
  EXPECT_EQ(differing, 0) << "of " << w * h << " pixels";
}

TEST_F(PageTexts, TextBoxBlanksWhatLiesUnderIt) {
  canvas_.set_brush(qRgb(0, 0, 0));
  canvas_.fill_rect(0, 0, 300, 200);
  draw_page_text_horizontal(canvas_, 100, 100, "Il", 0);
  int h = canvas_.text_height("Il");
  int w = canvas_.text_width("Il");
  draw_page_text_vertical(canvas_, 250, 100, "Il", -0.5);
  EXPECT_EQ(canvas_.brush_colour(), qRgb(0, 0, 0)) << "the brush stays as it was";
  QImage image = finished();
  // The box's corners are white, outside them the black stays.
  EXPECT_EQ(image.pixel(100 - w / 2, 100 - h / 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(100 - w / 2 - 1, 100 - h / 2), qRgb(0, 0, 0));
  // Shift -0.5 puts the turned box just left of the point.
  EXPECT_EQ(image.pixel(249, 100), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(250 + 1, 100), qRgb(0, 0, 0));
}

TEST_F(PageTexts, EmptyTextDrawsNothing) {
  draw_page_text_horizontal(canvas_, 100, 100, "", 0);
  draw_page_text_vertical(canvas_, 100, 100, "", 0);
  QImage image = finished();
  QImage white(image.size(), image.format());
  white.fill(Qt::white);
  EXPECT_EQ(image, white);
}

TEST_F(PageTexts, FontsFitTheirCellHeight) {
  for (int height : {1, 6, 30, 50}) {
    canvas_.set_font(PageFont{height, false});
    EXPECT_LE(canvas_.text_height("X"), height);
    EXPECT_GE(canvas_.text_height("X"), height * 3 / 4);
  }
}

}  // namespace
