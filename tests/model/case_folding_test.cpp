#include "model/base/case_folding.h"

#include <gtest/gtest.h>

TEST(CaseFolding, EveryAlphabetFoldsToItsSmallLettersAndOtherBytesStay) {
  EXPECT_EQ(fold_case("ŽLUŤOUČKÝ KŮŇ Ěšč"), "žluťoučký kůň ěšč");
  EXPECT_EQ(fold_case("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"), "zażółć gęślą jaźń");
  EXPECT_EQ(fold_case("ÇÀ ÊTRE ŒUVRE Ÿ"), "çà être œuvre ÿ");
  EXPECT_EQ(fold_case("ΣΟΦΊΑ σοφίας"), "σοφία σοφίασ");  // the final sigma folds too
  EXPECT_EQ(fold_case("СКЛАД ЁЖ Ї"), "склад ёж ї");
  EXPECT_EQ(fold_case("ǄǅǆȺ"), "ǆǆǆⱥ");  // Latin Extended-B, a small letter of three bytes
  EXPECT_EQ(fold_case("ẞ 10×20 Ⅻ"), "ß 10×20 ⅻ");
  EXPECT_EQ(fold_case("A\xC5"
                      "B\xFF"),
            "a\xC5"
            "b\xFF");  // not UTF-8: only the letters a to z fold
}
