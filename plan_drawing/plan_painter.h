// What the one plan drawing draws on: a painter over a target's surface with
// that target's pixel rules, and the style record in which the screen and
// the printed page differ (pens, texts, and how each rounds a pixel offset).
// The layers of a cell plan are written once against these two.
#pragma once

#include <QColor>
#include <QPoint>
#include <QPolygon>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "model/base/records.h"
#include "plan_drawing/plan_transform.h"

// A pen of a colour and a width in pixels.
struct PlanPen {
  QColor colour;
  int width = 1;
};

// How a target rounds a pixel offset laid off from a pixel: the screen
// rounds the scaled plan vector, the page each scaled term. The two differ
// at .5, and each target keeps its own.
enum class OffsetRounding { ScaledVector, ScaledTerms };

// An end frame: two lines 7 mm to each side of its centre line, line_inset
// mm short of each long side, and two discs of disc_radius mm at 14 mm
// inside each long side.
struct EndFrameStyle {
  double line_inset = 28.0;
  double disc_radius = 16.0;
};

// What a bay or free module shows besides its body and its shelf edges 31 mm
// inside the long sides.
struct BayStyle {
  QColor fill;
  // The shelf edges' pixels: mapped from their plan points, or laid off from
  // the pixels of the body's corners (each rounds its own way).
  bool edges_from_corners = false;
  // Each 4 x 28 mm upright: a one-pixel frame in this colour, or (none) a
  // figure in the pen filled like the body.
  std::optional<QColor> upright_frame;
  // The captions stand inside the figure, before its uprights; else after a
  // module's end frames, and for the bays of the runs in a layer of their own.
  bool captions_in_figure = true;
  // How an orientation letter other than 'H' or 'V' reads.
  char unknown_orientation = 'H';
};

// Whether a bay, free module or wall is drawn in the pen of its selection or
// of its hand-edited shelves.
struct ItemMarks {
  bool custom_shelves = false;
  bool selected = false;
  bool selected2 = false;
};

// The layers of a cell plan. Each target's style lists the layers it draws,
// in the order it draws them; the last three only the printed page has, and
// the page draws the first two of them its own way.
enum class PlanLayer {
  WallFaces,
  WallDimensions,
  WallRuns,
  FreeModules,
  CompactGroups,
  Captions,
  WallBand,
  BayCaptions
};

struct PlanStyle {
  std::vector<PlanLayer> layers;
  OffsetRounding rounding = OffsetRounding::ScaledVector;
  // The outer face of a wall or opening, and the clearance lines inside.
  std::function<PlanPen(const Tlinea&)> face_pen;
  PlanPen clearance_pen;
  // A wall's run: its bays, its end frames, the wall line, and the jambs
  // from an opening's ends to the outer face.
  PlanPen bay_pen;
  BayStyle bays;
  // The pen of a marked bay or free module from its base pen (none: the base pen).
  std::function<PlanPen(const PlanPen&, const ItemMarks&)> marked_pen;
  // The caption lines of a bay and of a free module, centred on it one text
  // height apart (none: no captions).
  std::function<std::vector<QString>(const Tmodulo&)> bay_captions;
  std::function<std::vector<QString>(const Tmodulo_agg&)> module_captions;
  PlanPen frame_pen;
  EndFrameStyle wall_frames, module_frames;
  std::function<PlanPen(const Tlinea&)> wall_pen;
  PlanPen jamb_pen;
  // A selected wall shows its direction with an arrow in this pen (no width: none).
  PlanPen direction_pen{QColor(), 0};
  // Free modules start in this pen; their clearance dimensions take the
  // dimension pen where the style says so, else the pen the module left.
  PlanPen module_pen;
  // A free module's end frames take the pen this gives for an inner frame
  // (true) or a run end (false), else the pen the figure left; an end joined
  // to a neighbour has one only where the style says so.
  std::function<PlanPen(bool)> module_frame_pen;
  bool module_frames_at_joints = false;
  bool clearances_in_dimension_pen = true;
  std::function<QString(double)> clearance_text;
  PlanPen group_pen;
  PlanPen dimension_pen;
  // Pixels the measure text of a dimension line stands off the line's middle.
  int dimension_text_nudge = 0;
  std::function<QString(double)> wall_length_text;
};

class PlanPainter {
 public:
  explicit PlanPainter(const PlanTransform& transform) : transform_(transform) {}
  virtual ~PlanPainter() = default;

  const PlanTransform& transform() const { return transform_; }
  QPoint at(const Tvec2& p) const { return plan_to_screen(transform_, p); }

  virtual void set_pen(const PlanPen& pen) = 0;
  virtual void set_fill(const QColor& colour) = 0;
  // A line between two pixels in the current pen.
  virtual void segment(QPoint a, QPoint b) = 0;
  // A solid disc (the screen fills it in the pen colour, the page in black)
  // and a ring in the pen, of a radius in plan millimetres about a pixel.
  virtual void disc(QPoint centre, double radius_mm) = 0;
  virtual void ring(QPoint centre, double radius_mm) = 0;
  // A one-pixel frame in the fill colour, and a box filled with it, of the
  // pixels between two corners, the right and bottom edges left out.
  virtual void frame(QPoint a, QPoint b) = 0;
  virtual void fill(QPoint a, QPoint b) = 0;
  // A polygon outlined in the pen and filled with the fill colour.
  virtual void polygon(const QPolygon& corners) = 0;

  // Whether a figure of that extent in plan millimetres about a pixel can be
  // seen; the screen skips what lies far out of view.
  virtual bool shows(QPoint centre, double extent_mm) const = 0;
  // A layer that this target draws its own way, or alone.
  virtual void draw_own_layer(PlanLayer layer, const Tcell& cell) = 0;
  // Chooses the font of the plan's measure texts.
  virtual void use_label_font() = 0;
  // Chooses the font of a figure's caption lines; a target may shrink it to
  // the figure's length in plan millimetres.
  virtual void use_caption_font(const std::vector<QString>& lines, double length_mm) = 0;
  // Text centred on the anchor on a box of the background, moved by shift
  // text heights across its line; turned texts read upwards.
  virtual void label(QPoint anchor, const QString& text, double shift, bool turned) = 0;

 private:
  PlanTransform transform_;
};

// The pixel reached from a pixel by along * d + across * p plan millimetres,
// rounded the style's way.
QPoint lay_off(const PlanPainter& painter, const PlanStyle& style, QPoint from, double along, const Tvec2& d,
               double across = 0.0, const Tvec2& p = {});
// Two strokes of an open arrowhead from a pixel, laid off by along * d +- 10 * p.
void draw_arrow_strokes(PlanPainter& painter, const PlanStyle& style, QPoint tip, const Tvec2& d, const Tvec2& p,
                        double along);
