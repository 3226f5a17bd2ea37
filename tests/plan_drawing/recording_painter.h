// A plan painter that records what the shared plan drawing asks of it: pens,
// own layers and polygons as events in order, and the segments, frames,
// discs and texts with where they land.
#pragma once

#include <QPolygon>
#include <string>
#include <vector>

#include "plan_drawing/plan_painter.h"

struct Segment {
  QPoint a, b;
  int pen_width;
};

struct RecordedLabel {
  std::string text;
  double shift;
  bool turned;
  int frames_before;  // uprights framed before the text was written
};

class RecordingPainter : public PlanPainter {
 public:
  explicit RecordingPainter(const PlanTransform& transform) : PlanPainter(transform) {}

  std::vector<std::string> events;  // pens, own layers and polygons, in order
  std::vector<Segment> segments;
  std::vector<std::string> labels;
  std::vector<RecordedLabel> placed_labels;
  std::vector<QPolygon> polygons;
  std::vector<QColor> frame_colours;
  int discs = 0;
  int rings = 0;
  bool visible = true;

  void set_pen(const PlanPen& pen) override {
    pen_ = pen;
    events.push_back("pen " + pen.colour.name().toStdString());
  }
  void set_fill(const QColor& colour) override { fill_ = colour; }
  void segment(QPoint a, QPoint b) override { segments.push_back({a, b, pen_.width}); }
  void disc(QPoint, double) override { ++discs; }
  void ring(QPoint, double) override { ++rings; }
  void frame(QPoint, QPoint) override { frame_colours.push_back(fill_); }
  void fill(QPoint, QPoint) override {}
  void polygon(const QPolygon& corners) override {
    polygons.push_back(corners);
    events.push_back("polygon");
  }
  void use_label_font() override {}
  void use_caption_font(const std::vector<QString>&, double) override {}
  void label(QPoint, const QString& text, double shift, bool turned) override {
    labels.push_back(text.toStdString());
    placed_labels.push_back({text.toStdString(), shift, turned, static_cast<int>(frame_colours.size())});
  }
  bool shows(QPoint, double) const override { return visible; }
  void draw_own_layer(PlanLayer layer, const Tcell&) override {
    events.push_back("own " + std::to_string(static_cast<int>(layer)));
  }

 private:
  PlanPen pen_;
  QColor fill_;
};
