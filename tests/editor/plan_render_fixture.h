// Renders cells without a window, for the pixel probes of the plan drawing.
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <vector>

#include "editor/plan/plan_renderer.h"
#include "editor/plan/plan_zoom.h"
#include "model/base/cell_extents.h"
#include "model/state/colour_palette.h"
#include "model/state/globals.h"

// Drawing state at a zoom, on the white or the black background, the plan
// origin at the centre of the view.
inline Tvar_amb plan_state(double zoom, bool black = false) {
  const Tvar_amb saved = AppState;
  AppState = Tvar_amb{};
  AppState.black_background = black;
  set_colour_palette();
  Tvar_amb state = AppState;
  AppState = saved;
  state.zoom = zoom;
  return state;
}

struct RenderedPlan {
  QImage image;
  double surface = 0.0;

  QColor at(int x, int y) const { return image.pixelColor(x, y); }
  // The pixels of a colour within a rectangle of the image.
  std::vector<QPoint> pixels_of(const QColor& colour, QRect area = {}) const {
    if (area.isNull()) area = image.rect();
    std::vector<QPoint> found;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (image.pixelColor(x, y) == colour) found.emplace_back(x, y);
    return found;
  }
};

// Draws the cell as the plan view does, its extents computed first.
inline RenderedPlan render_cell(const Tcell& cell, Tvar_amb state, int width = 200, int height = 200) {
  state.cell_extents = compute_cell_extents(cell);
  RenderedPlan rendered{QImage(width, height, QImage::Format_RGB32)};
  QPainter painter(&rendered.image);
  PlanCanvas canvas{painter, view_transform(state, width, height), rendered.image.rect(),
                    palette_colours(state.palette)};
  rendered.surface = render_plan(canvas, cell, state);
  return rendered;
}

inline const QColor White(255, 255, 255), Black(0, 0, 0), Silver(192, 192, 192), Grey(128, 128, 128);
inline const QColor Blue(0, 0, 255), Cyan(0, 255, 255), Magenta(255, 0, 255), Red(255, 0, 0);
