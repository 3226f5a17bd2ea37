// Drawings keep "." as their decimal point in a program whose Qt locale, and
// the C locale Qt takes from the environment, write numbers with a comma.
#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <string>

#include "output/dxf/dxf_entities.h"

namespace {

TEST(DxfQtLocaleTest, AnItalianLocaleLeavesThePoint) {
  const QLocale previous;
  const std::string previous_c = std::setlocale(LC_NUMERIC, nullptr);
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  ASSERT_NE(std::setlocale(LC_NUMERIC, "it_IT.UTF-8"), nullptr) << "the test needs the it_IT locale (locales-all)";
  ASSERT_EQ(QLocale().toString(1.5), "1,5");
  DxfEntities out;
  out.dxf_line("0", 1770.4, 0.5, 914.4, -12.25);
  out.dxf_dimension(32, "0", 0.5, 1.5, 0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 90);
  out.dxf_text("x", "0", 0.5, 0, 90);
  std::setlocale(LC_NUMERIC, previous_c.c_str());
  QLocale::setDefault(previous);
  EXPECT_NE(out.text().find("\r\n1770.4\r\n"), std::string::npos);
  EXPECT_NE(out.text().find("\r\n 9.00000000000000E+0001\r\n"), std::string::npos);
  EXPECT_EQ(out.text().find(','), std::string::npos);
}

}  // namespace
