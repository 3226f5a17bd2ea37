#include "plan_drawing/plan_canvas.h"

#include <QFontMetrics>
#include <QHash>
#include <QPen>
#include <QStaticText>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "model/base/rounding.h"

namespace {

// Text taller than this is clipped by any screen anyway, and the glyph
// rasteriser slows down sharply with the size.
constexpr int kMaxFontPixels = 4096;

// Lines and shapes are clipped to the surface grown by this margin, so their
// clipped edges never show.
constexpr int kClipMargin = 4;

QRect clip_rect(const PlanCanvas& canvas) {
  return canvas.bounds.adjusted(-kClipMargin, -kClipMargin, kClipMargin, kClipMargin);
}

// Liang-Barsky clipping of the segment a-b to the rectangle; false when
// nothing of it is left.
bool clip_segment(QPointF& a, QPointF& b, const QRectF& r) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const QPointF start = a;
  a = start + t0 * QPointF(dx, dy);
  b = start + t1 * QPointF(dx, dy);
  return true;
}

// The pixels a raster rectangle through two corners covers: the smaller
// coordinates included, the larger ones left out; empty when flat.
QRect covered_pixels(QPoint a, QPoint b) {
  const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
  const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Outlines the pixels' rectangle with the painter's pen; the painter draws the
// stroke one pixel beyond the size it is given.
void stroke_pixels(QPainter& painter, const QRect& pixels) {
  painter.drawRect(QRect(pixels.topLeft(), pixels.size() - QSize(1, 1)));
}

void draw_ellipse(PlanCanvas& canvas, QPoint centre, double radius_mm) {
  const double r = radius_mm * canvas.transform.scale;
  const QRect pixels =
      covered_pixels(QPoint(static_cast<int>(Round(centre.x() - r)), static_cast<int>(Round(centre.y() - r))),
                     QPoint(static_cast<int>(Round(centre.x() + r)), static_cast<int>(Round(centre.y() + r))));
  if (pixels.isEmpty() || !pixels.intersects(clip_rect(canvas))) return;
  canvas.painter.drawEllipse(QRect(pixels.topLeft(), pixels.size() - QSize(1, 1)));
}

// A text laid out once for a font: plans repeat the same few size and load
// texts many times, and laying text out costs more than drawing it. Only the
// GUI thread draws plans; the cache is dropped whole when it grows large.
struct LaidOutText {
  QStaticText text;
  int width = 0;
};

const LaidOutText& laid_out(const QString& text, const QFont& font) {
  thread_local QHash<QString, LaidOutText> cache;
  thread_local QFont cache_font;
  if (font != cache_font || cache.size() > 1024) {
    cache.clear();
    cache_font = font;
  }
  auto found = cache.find(text);
  if (found == cache.end()) {
    LaidOutText entry{QStaticText(text), QFontMetrics(font).horizontalAdvance(text)};
    entry.text.setTextFormat(Qt::PlainText);
    entry.text.setPerformanceHint(QStaticText::AggressiveCaching);
    entry.text.prepare(QTransform(), font);
    found = cache.insert(text, entry);
  }
  return *found;
}

// Writes the text on its background box of w x h at the box's top-left corner
// in the painter's current coordinates, keeping the caller's pen.
void draw_text_box(PlanCanvas& canvas, int left, int top, const LaidOutText& text, int height) {
  const QPen pen = canvas.painter.pen();
  canvas.painter.fillRect(QRect(left, top, text.width, height), canvas.colours[0]);
  canvas.painter.setPen(QPen(canvas.colours[4], 1));
  canvas.painter.drawStaticText(left, top, text.text);
  canvas.painter.setPen(pen);
}

}  // namespace

QColor palette_colour(int value) { return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff); }

std::array<QColor, 11> palette_colours(const std::array<int, 11>& palette) {
  std::array<QColor, 11> colours;
  std::transform(palette.begin(), palette.end(), colours.begin(), palette_colour);
  return colours;
}

QFont plan_label_font(double height_mm, double scale) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(static_cast<int>(std::clamp<std::int64_t>(Round(height_mm * scale), 1, kMaxFontPixels)));
  font.setStyleStrategy(QFont::NoAntialias);  // crisp, like every other line of the plan
  return font;
}

void set_pen(PlanCanvas& canvas, const QColor& colour, int width, Qt::PenStyle style) {
  QPen pen(colour, width, style, Qt::SquareCap, Qt::MiterJoin);
  pen.setCosmetic(true);
  canvas.painter.setPen(pen);
}

void set_brush(PlanCanvas& canvas, const QColor& colour) { canvas.painter.setBrush(colour); }

void clear_brush(PlanCanvas& canvas) { canvas.painter.setBrush(Qt::NoBrush); }

bool near_view(const PlanCanvas& canvas, QPoint p, double margin) {
  return -margin < p.x() && p.x() < canvas.bounds.width() + margin && -margin < p.y() &&
         p.y() < canvas.bounds.height() + margin;
}

bool strictly_inside(const PlanCanvas& canvas, QPoint p) {
  return p.x() > 0 && p.x() < canvas.bounds.width() && p.y() > 0 && p.y() < canvas.bounds.height();
}

void draw_segment(PlanCanvas& canvas, QPoint a, QPoint b) {
  const QRect clip = clip_rect(canvas);
  if (clip.contains(a) && clip.contains(b)) {
    canvas.painter.drawLine(a, b);
    return;
  }
  QPointF fa(a), fb(b);
  if (!clip_segment(fa, fb, QRectF(clip))) return;
  canvas.painter.drawLine(fa.toPoint(), fb.toPoint());
}

void draw_rectangle(PlanCanvas& canvas, QPoint a, QPoint b) {
  QRect pixels = covered_pixels(a, b);
  if (pixels.isEmpty() || !pixels.intersects(clip_rect(canvas))) return;
  pixels = pixels.intersected(clip_rect(canvas));
  const QBrush brush = canvas.painter.brush();
  if (brush.style() != Qt::NoBrush) canvas.painter.fillRect(pixels, brush);
  canvas.painter.setBrush(Qt::NoBrush);
  stroke_pixels(canvas.painter, pixels);
  canvas.painter.setBrush(brush);
}

void draw_frame(PlanCanvas& canvas, QPoint a, QPoint b, const QColor& colour) {
  QRect pixels = covered_pixels(a, b);
  if (pixels.isEmpty() || !pixels.intersects(clip_rect(canvas))) return;
  pixels = pixels.intersected(clip_rect(canvas));
  const QPen pen = canvas.painter.pen();
  const QBrush brush = canvas.painter.brush();
  set_pen(canvas, colour);
  canvas.painter.setBrush(Qt::NoBrush);
  stroke_pixels(canvas.painter, pixels);
  canvas.painter.setPen(pen);
  canvas.painter.setBrush(brush);
}

void draw_disc(PlanCanvas& canvas, QPoint centre, double radius_mm) {
  const QBrush brush = canvas.painter.brush();
  canvas.painter.setBrush(canvas.painter.pen().color());
  draw_ellipse(canvas, centre, radius_mm);
  canvas.painter.setBrush(brush);
}

void draw_ring(PlanCanvas& canvas, QPoint centre, double radius_mm) {
  const QBrush brush = canvas.painter.brush();
  canvas.painter.setBrush(Qt::NoBrush);
  draw_ellipse(canvas, centre, radius_mm);
  canvas.painter.setBrush(brush);
}

void draw_text_horizontal(PlanCanvas& canvas, QPoint at, const QString& text, double f) {
  if (text.isEmpty() || !strictly_inside(canvas, at)) return;
  const LaidOutText& laid = laid_out(text, canvas.painter.font());
  const int w = laid.width, h = canvas.painter.fontMetrics().height();
  draw_text_box(canvas, at.x() - w / 2, at.y() - h / 2 + static_cast<int>(Round(h * f)), laid, h);
}

void draw_text_vertical(PlanCanvas& canvas, QPoint at, const QString& text, double f) {
  if (text.isEmpty() || !strictly_inside(canvas, at)) return;
  const LaidOutText& laid = laid_out(text, canvas.painter.font());
  const int w = laid.width, h = canvas.painter.fontMetrics().height();
  const int left = at.x() - h / 2 + static_cast<int>(Round(h * f));
  const int top = at.y() - w / 2;
  // Turned a quarter counter-clockwise: the text's pixel (i, j) lands on (left + j, top + w - 1 - i).
  canvas.painter.save();
  canvas.painter.translate(left, top + w);
  canvas.painter.rotate(-90.0);
  draw_text_box(canvas, 0, 0, laid, h);
  canvas.painter.restore();
}
