// The canvas every printed page is drawn on: a QPainter on the page's QImage
// with the drawing rules the page layout is written for. Antialiasing is off;
// rectangles and ellipses leave out their right and bottom edge; a pen of
// width 0 draws one pixel, wider pens have round caps and joins; polygons fill
// odd-even; a font is asked for by its cell height in pixels. Texts start at
// their top left corner, on an opaque box of the brush colour while the brush
// is solid; turned texts are laid out horizontally and turned pixel by pixel.
// The calls are virtual so that tests can record what a page draws.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <string>

// The text font of a page: Arial of a cell height in pixels.
struct PageFont {
  int height = 1;
  bool bold = false;
};

class PageCanvas {
 public:
  virtual ~PageCanvas();

  // Draws on image from now on, with a black pen of width 0, a solid white
  // brush and the given font. The image must outlive the drawing on it.
  // Virtual so that a recording canvas sees each new page.
  virtual void begin(QImage& image, PageFont font);
  // Finishes the drawing on the current image.
  void end();
  QImage* image() const { return image_; }

  void set_pen_width(int width);
  int pen_width() const { return pen_width_; }
  void set_pen_colour(QRgb colour);
  QRgb pen_colour() const { return pen_colour_; }
  void set_brush(QRgb colour, bool solid = true);
  QRgb brush_colour() const { return brush_colour_; }
  bool brush_solid() const { return brush_solid_; }
  void set_font(PageFont font);
  const PageFont& font() const { return font_; }
  void set_bold(bool bold);

  int text_width(const std::string& text) const;
  int text_height(const std::string& text) const;

  virtual void line(int x1, int y1, int x2, int y2);
  virtual void polyline(const QPolygon& points);
  // Filled with the brush, outlined with the pen.
  virtual void polygon(const QPolygon& points);
  virtual void rectangle(int left, int top, int right, int bottom);
  virtual void ellipse(int left, int top, int right, int bottom);
  // The brush alone, no outline.
  virtual void fill_rect(int left, int top, int right, int bottom);
  // A one-pixel frame in the brush colour.
  virtual void frame_rect(int left, int top, int right, int bottom);
  virtual void text_out(int left, int top, const std::string& text);
  // The same text cut at right: nothing of it is drawn from there on.
  virtual void text_out_cut(int left, int top, const std::string& text, int right);
  // Text turned a quarter turn counter-clockwise (it reads upwards) in the
  // box from (left, top), text height wide and text width tall.
  virtual void text_out_turned(int left, int top, const std::string& text);
  // The picture stretched into the rectangle (right and bottom excluded).
  virtual void stretch_draw(const QRect& target, const QImage& picture);
  // Turns the contiguous area of the seed pixel's colour, within clip, into
  // the brush colour. Nothing happens when the seed lies outside clip or
  // already has the brush colour.
  virtual void flood_fill(int x, int y, const QRect& clip);

 private:
  void apply_pen();
  void apply_brush();
  void draw_text_box(int left, int top, int width, int height, const std::string& text, bool cut = false);
  void draw_turned_text_box(int left, int top, int width, int height, const std::string& text);

  QImage* image_ = nullptr;
  QPainter painter_;
  int pen_width_ = 0;
  QRgb pen_colour_ = qRgb(0, 0, 0);
  QRgb brush_colour_ = qRgb(255, 255, 255);
  bool brush_solid_ = true;
  PageFont font_;
  QImage horizontal_;  // scratch of turned texts, kept for the next one
  QImage turned_;
};

// The Qt font whose line height is the largest that fits the cell height.
const QFont& page_qfont(const PageFont& font);

// Text centred on (x, y) and moved by shift times its height across its line
// (-0.5 puts it just above the point, 0 centres it); an opaque white box
// blanks what lies under it. An empty text draws nothing.
void draw_page_text_horizontal(PageCanvas& canvas, int x, int y, const std::string& text, double shift);
// The same text turned to read upwards; the shift moves it across the turned
// line (-0.5 puts it just left of the point).
void draw_page_text_vertical(PageCanvas& canvas, int x, int y, const std::string& text, double shift);
