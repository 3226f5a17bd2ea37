// The print window's options without the window.
#include "model/quote/print_form.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(PrintForm, ThePicturesAreOfferedAndTickedOnlyWhenEveryCellHasOne) {
  PrintOptions left{false, true, false, true, 3, 4};
  PrintForm form = load_print_form(left, false);
  EXPECT_FALSE(form.pictures_offered);
  EXPECT_FALSE(form.options.pictures) << "no longer offered, so no longer asked for";
  EXPECT_EQ(std::tuple(form.options.quote_part, form.options.rows, form.options.columns), std::tuple(false, 3, 4))
      << "the rest as the window left it";
  left.pictures = false;
  form = load_print_form(left, true);
  EXPECT_TRUE(form.pictures_offered);
  EXPECT_TRUE(form.options.pictures);
}

TEST(PrintForm, MoreThanTwoPlansARowLeaveNoRoomForTheExtendedDescription) {
  for (int columns = 1; columns <= 10; ++columns) {
    PrintForm form;
    form.options.columns = columns;
    check_description_options(form);
    EXPECT_EQ(form.options.extended_description, columns <= 2) << columns;
  }
}
