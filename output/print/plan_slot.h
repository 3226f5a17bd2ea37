// Where a cell plan lands on a printed page: the slot of the page grid, the
// common plan scale and the transform from plan millimetres to page pixels,
// as pure functions of the page size and the cells.
#pragma once

#include <QPoint>

#include "model/base/records.h"
#include "plan_drawing/plan_transform.h"

// Slots of the page grid in page pixels.
struct SlotGrid {
  int slot_width = 0;
  int slot_height = 0;
  int plan_height = 0;  // the upper half when the 3-D pictures take the lower one
};

// One cell's slot with the scale every plan of the rendering shares.
struct PlanSlot {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  double scale = 1.0;  // page pixels per plan millimetre
  int text_band = 0;   // pixels kept free under the plan for its captions
};

// The grid of rows x columns slots below the 45 mm header band of a page of
// W by H pixels; 2 mm of the width and 1 mm under the last row stay free.
SlotGrid slot_grid(int W, int H, int rows, int columns, bool pictures);
// The top left pixel of the slot in that row and column.
QPoint slot_origin(const SlotGrid& grid, double px_per_mm_y, int row, int column);
// The scale at which the box of every cell's walls, widened by the thickest
// wall and 750 mm on each side, fits a slot of that width and height (the
// text band already taken off), with 5 % to spare.
double common_plan_scale(const Tcells& cells, int slot_width, int available_height);
// The plan's mapping onto the page: the plan origin at the slot's middle
// (above its text band), plan y upwards, at the slot's scale.
PlanTransform slot_transform(const PlanSlot& slot);
// The page pixel of a plan point under the slot's mapping.
QPoint plan_to_page(const PlanSlot& slot, double x, double y);
