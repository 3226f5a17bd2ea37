// A page canvas that draws like the real one and also records what it is
// asked to draw (texts with their box, as wide as drawn, and font, lines, rectangles, ellipses),
// with the page each call falls on, so tests read a layout in page pixels.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "output/print/page_canvas.h"

struct RecordedText {
  int page;
  int left, top, width, height;
  int font_height;
  bool bold;
  bool turned;
  std::string text;
  bool cut = false;  // drawn without its end
  int right() const { return left + width; }
};

struct RecordedShape {
  enum Kind { Line, Rectangle, Ellipse, Fill, Frame, Polygon } kind;
  int page;
  int x1, y1, x2, y2;  // end points, or left, top, right, bottom
  int pen_width;
  QRgb pen;
};

class RecordingCanvas : public PageCanvas {
 public:
  int page = -1;
  std::vector<RecordedText> texts;
  std::vector<RecordedShape> shapes;

  void begin(QImage& image, PageFont font) override {
    ++page;
    PageCanvas::begin(image, font);
  }
  void line(int x1, int y1, int x2, int y2) override {
    shape(RecordedShape::Line, x1, y1, x2, y2);
    PageCanvas::line(x1, y1, x2, y2);
  }
  void rectangle(int l, int t, int r, int b) override {
    shape(RecordedShape::Rectangle, l, t, r, b);
    PageCanvas::rectangle(l, t, r, b);
  }
  void ellipse(int l, int t, int r, int b) override {
    shape(RecordedShape::Ellipse, l, t, r, b);
    PageCanvas::ellipse(l, t, r, b);
  }
  void fill_rect(int l, int t, int r, int b) override {
    shape(RecordedShape::Fill, l, t, r, b);
    PageCanvas::fill_rect(l, t, r, b);
  }
  void frame_rect(int l, int t, int r, int b) override {
    shape(RecordedShape::Frame, l, t, r, b);
    PageCanvas::frame_rect(l, t, r, b);
  }
  void polygon(const QPolygon& points) override {
    QRect box = points.boundingRect();
    shape(RecordedShape::Polygon, box.left(), box.top(), box.right(), box.bottom());
    PageCanvas::polygon(points);
  }
  void text_out(int left, int top, const std::string& text) override {
    record_text(left, top, text, false, text_width(text));
    PageCanvas::text_out(left, top, text);
  }
  // A cut text is recorded with the width drawn.
  void text_out_cut(int left, int top, const std::string& text, int right) override {
    record_text(left, top, text, false, std::min(text_width(text), right - left));
    if (!texts.empty() && texts.back().width < text_width(text)) texts.back().cut = true;
    PageCanvas::text_out_cut(left, top, text, right);
  }
  void text_out_turned(int left, int top, const std::string& text) override {
    record_text(left, top, text, true, text_width(text));
    PageCanvas::text_out_turned(left, top, text);
  }

  // The recorded texts equal to text, in drawing order.
  std::vector<RecordedText> find(const std::string& text) const {
    std::vector<RecordedText> found;
    for (const RecordedText& t : texts)
      if (t.text == text) found.push_back(t);
    return found;
  }
  bool has(const std::string& text) const { return !find(text).empty(); }

 private:
  void shape(RecordedShape::Kind kind, int x1, int y1, int x2, int y2) {
    shapes.push_back({kind, page, x1, y1, x2, y2, 0, pen_colour()});
  }
  void record_text(int left, int top, const std::string& text, bool turned, int width) {
    if (text.empty()) return;
    texts.push_back({page, left, top, width, text_height(text), font().height, font().bold, turned, text});
  }
};
