#include "output/print/page_canvas.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <map>
#include <utility>

#include "model/base/rounding.h"
#include "output/print/flood_fill.h"

namespace {

QString qtext(const std::string& text) { return QString::fromStdString(text); }

QFont font_fitting(int height, bool bold) {
  QFont font;
  font.setFamilies({"Arial", "Liberation Sans"});
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  for (int size = height; size > 1; --size) {
    font.setPixelSize(size);
    if (QFontMetrics(font).height() <= height) return font;
  }
  font.setPixelSize(1);
  return font;
}

}  // namespace

const QFont& page_qfont(const PageFont& font) {
  // Measuring a font is slow next to drawing with it; pages ask for few sizes.
  static std::map<std::pair<int, bool>, QFont> cache;
  int height = font.height < 1 ? 1 : font.height;
  auto key = std::make_pair(height, font.bold);
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.emplace(key, font_fitting(height, font.bold)).first;
  return found->second;
}

PageCanvas::~PageCanvas() { end(); }

void PageCanvas::begin(QImage& image, PageFont font) {
  end();
  image_ = &image;
  painter_.begin(image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  pen_width_ = 0;
  pen_colour_ = qRgb(0, 0, 0);
  brush_colour_ = qRgb(255, 255, 255);
  brush_solid_ = true;
  apply_pen();
  apply_brush();
  set_font(font);
}

void PageCanvas::end() {
  if (painter_.isActive()) painter_.end();
  image_ = nullptr;
}

void PageCanvas::apply_pen() {
  QPen pen{QColor(pen_colour_)};
  pen.setWidth(pen_width_);
  bool wide = pen_width_ > 1;
  pen.setCapStyle(wide ? Qt::RoundCap : Qt::FlatCap);
  pen.setJoinStyle(wide ? Qt::RoundJoin : Qt::MiterJoin);
  painter_.setPen(pen);
}

void PageCanvas::apply_brush() {
  painter_.setBrush(brush_solid_ ? QBrush(QColor(brush_colour_)) : QBrush(Qt::NoBrush));
}

void PageCanvas::set_pen_width(int width) {
  pen_width_ = width < 0 ? 0 : width;
  apply_pen();
}

void PageCanvas::set_pen_colour(QRgb colour) {
  pen_colour_ = colour;
  apply_pen();
}

void PageCanvas::set_brush(QRgb colour, bool solid) {
  brush_colour_ = colour;
  brush_solid_ = solid;
  apply_brush();
}

void PageCanvas::set_font(PageFont font) {
  font_ = font;
  if (font_.height < 1) font_.height = 1;
  painter_.setFont(page_qfont(font_));
}

void PageCanvas::set_bold(bool bold) {
  PageFont font = font_;
  font.bold = bold;
  set_font(font);
}

int PageCanvas::text_width(const std::string& text) const {
  return QFontMetrics(page_qfont(font_)).horizontalAdvance(qtext(text));
}

int PageCanvas::text_height(const std::string& text) const {
  return text.empty() ? 0 : QFontMetrics(page_qfont(font_)).height();
}

void PageCanvas::line(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

void PageCanvas::polyline(const QPolygon& points) { painter_.drawPolyline(points); }

void PageCanvas::polygon(const QPolygon& points) { painter_.drawPolygon(points, Qt::OddEvenFill); }

void PageCanvas::rectangle(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void PageCanvas::ellipse(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  painter_.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void PageCanvas::fill_rect(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top || !brush_solid_) return;
  painter_.fillRect(QRect(left, top, right - left, bottom - top), QColor(brush_colour_));
}

void PageCanvas::frame_rect(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  painter_.save();
  painter_.setPen(QPen(QColor(brush_colour_), 0));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
  painter_.restore();
}

void PageCanvas::draw_text_box(int left, int top, int width, int height, const std::string& text, bool cut) {
  if (width <= 0 || height <= 0) return;
  if (brush_solid_) painter_.fillRect(QRect(left, top, width, height), QColor(brush_colour_));
  painter_.save();
  // Only a cut text is clipped: a whole one keeps any ink beyond its advance.
  if (cut) painter_.setClipRect(QRect(left, top, width, height));
  painter_.setPen(QColor(Qt::black));
  painter_.drawText(left, top + QFontMetrics(page_qfont(font_)).ascent(), qtext(text));
  painter_.restore();
}

void PageCanvas::draw_turned_text_box(int left, int top, int width, int height, const std::string& text) {
  if (width <= 0 || height <= 0) return;
  // The text is laid out as it would stand horizontally and turned pixel by
  // pixel, so turned and horizontal texts show the same glyphs.
  if (horizontal_.width() < width || horizontal_.height() < height)
    horizontal_ = QImage(std::max(width, horizontal_.width()), std::max(height, horizontal_.height()),
                         QImage::Format_ARGB32_Premultiplied);
  horizontal_.fill(brush_solid_ ? QColor(brush_colour_) : QColor(Qt::transparent));
  {
    QPainter text_painter(&horizontal_);
    text_painter.setRenderHint(QPainter::TextAntialiasing, false);
    text_painter.setFont(page_qfont(font_));
    text_painter.setPen(QColor(Qt::black));
    text_painter.drawText(0, QFontMetrics(page_qfont(font_)).ascent(), qtext(text));
  }
  if (turned_.width() < height || turned_.height() < width)
    turned_ = QImage(std::max(height, turned_.width()), std::max(width, turned_.height()),
                     QImage::Format_ARGB32_Premultiplied);
  for (int j = 0; j < height; ++j) {
    const QRgb* row = reinterpret_cast<const QRgb*>(horizontal_.constScanLine(j));
    for (int i = 0; i < width; ++i) reinterpret_cast<QRgb*>(turned_.scanLine(width - 1 - i))[j] = row[i];
  }
  painter_.drawImage(QPoint(left, top), turned_, QRect(0, 0, height, width));
}

void PageCanvas::text_out(int left, int top, const std::string& text) {
  draw_text_box(left, top, text_width(text), text_height(text), text);
}

void PageCanvas::text_out_cut(int left, int top, const std::string& text, int right) {
  draw_text_box(left, top, std::min(text_width(text), right - left), text_height(text), text, true);
}

void PageCanvas::text_out_turned(int left, int top, const std::string& text) {
  draw_turned_text_box(left, top, text_width(text), text_height(text), text);
}

void PageCanvas::stretch_draw(const QRect& target, const QImage& picture) {
  if (target.isEmpty() || picture.isNull()) return;
  painter_.drawImage(target, picture);
}

void PageCanvas::flood_fill(int x, int y, const QRect& clip) {
  if (image_ == nullptr) return;
  // Pixels are changed directly, so the painter lets go of the image meanwhile.
  QImage* image = image_;
  PageFont font = font_;
  painter_.end();
  flood_fill_area(*image, x, y, brush_colour_, clip);
  painter_.begin(image);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, false);
  apply_pen();
  apply_brush();
  set_font(font);
}

namespace {

// Measure texts always stand on white, whatever brush the drawing has set.
void draw_on_white(PageCanvas& canvas, int x, int y, const std::string& text, double shift, bool turned) {
  int width = canvas.text_width(text);
  int height = canvas.text_height(text);
  if (width <= 0 || height <= 0) return;
  QRgb brush = canvas.brush_colour();
  bool solid = canvas.brush_solid();
  canvas.set_brush(qRgb(255, 255, 255));
  int across = static_cast<int>(Round(height * shift));
  if (turned)
    canvas.text_out_turned(x - height / 2 + across, y - width / 2, text);
  else
    canvas.text_out(x - width / 2, y - height / 2 + across, text);
  canvas.set_brush(brush, solid);
}

}  // namespace

void draw_page_text_horizontal(PageCanvas& canvas, int x, int y, const std::string& text, double shift) {
  draw_on_white(canvas, x, y, text, shift, false);
}

void draw_page_text_vertical(PageCanvas& canvas, int x, int y, const std::string& text, double shift) {
  draw_on_white(canvas, x, y, text, shift, true);
}
