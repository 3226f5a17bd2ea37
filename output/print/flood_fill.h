// A scanline flood fill on a page image: the printed plans grey the band
// between a wall and its outer face with it.
#pragma once

#include <QImage>
#include <QRect>

// Turns the 4-connected area of the seed pixel's colour, within clip (and the
// image), into colour. Nothing happens when the seed lies outside or already
// has that colour.
void flood_fill_area(QImage& image, int x, int y, QRgb colour, const QRect& clip);
