// The screen's canvas of the plan: the transform of its surface, the plan
// colours and the label font, and the lines, rectangles, markers and texts
// the plan view is made of. Pixel rules follow the classic raster API the
// drawing was designed on: rectangles exclude their right and bottom edges,
// texts stand on a box of background colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

#include "model/base/records.h"
#include "plan_drawing/plan_transform.h"

// What a drawing needs besides the painter: its mapping, its surface size and
// the eleven plan colours.
struct PlanCanvas {
  QPainter& painter;
  PlanTransform transform;
  QRect bounds;  // the surface in pixels, (0, 0) to (W, H)
  std::array<QColor, 11> colours;
};

// A palette value r + g * 256 + b * 65536 as a colour.
QColor palette_colour(int value);
std::array<QColor, 11> palette_colours(const std::array<int, 11>& palette);

// A plan font of the given height in plan millimetres at the given scale:
// at least 1 pixel, and at most a size the text rasteriser handles quickly.
QFont plan_label_font(double height_mm, double scale);

// Pen and brush: a cosmetic pen of the colour and width; a solid brush or none.
void set_pen(PlanCanvas& canvas, const QColor& colour, int width = 1, Qt::PenStyle style = Qt::SolidLine);
void set_brush(PlanCanvas& canvas, const QColor& colour);
void clear_brush(PlanCanvas& canvas);

// True when a pixel lies within margin pixels beyond the surface's edges.
bool near_view(const PlanCanvas& canvas, QPoint p, double margin);
// True when the pixel lies strictly inside the surface.
bool strictly_inside(const PlanCanvas& canvas, QPoint p);

// A line between two pixels, clipped to the surface first so that far-off
// points cost nothing.
void draw_segment(PlanCanvas& canvas, QPoint a, QPoint b);
// A rectangle through two opposite corners, outlined with the pen and filled
// with the brush, the right and bottom edges left out.
void draw_rectangle(PlanCanvas& canvas, QPoint a, QPoint b);
// A one-pixel frame of the rectangle in the given colour, no fill.
void draw_frame(PlanCanvas& canvas, QPoint a, QPoint b, const QColor& colour);
// Filled disc (pen colour) and ring of radius_mm plan millimetres centred on a pixel.
void draw_disc(PlanCanvas& canvas, QPoint centre, double radius_mm);
void draw_ring(PlanCanvas& canvas, QPoint centre, double radius_mm);

// Text centred on a pixel, in the painter's font, colour slot 4 on a box of
// slot 0, moved by f text heights down (horizontal) or f text heights right
// (vertical: turned to read upwards). Skipped when the anchor is not
// strictly inside the surface.
void draw_text_horizontal(PlanCanvas& canvas, QPoint at, const QString& text, double f);
void draw_text_vertical(PlanCanvas& canvas, QPoint at, const QString& text, double f);
