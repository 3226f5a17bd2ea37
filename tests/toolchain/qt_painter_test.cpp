// QPainter on a QImage draws exact pixels without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

TEST(QtPainter, FillsAndDrawsExactPixels) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRect(10, 5, 10, 10), QColor(255, 0, 0));
  painter.setPen(QPen(QColor(0, 0, 255), 1));
  painter.drawLine(0, 25, 39, 25);
  painter.end();

  EXPECT_EQ(image.pixel(15, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(9, 10), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(20, 10), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(0, 25), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(39, 25), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(5, 24), qRgb(255, 255, 255));
}
