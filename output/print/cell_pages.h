// The cell-drawing part of the printed document: the plans of all cells in a
// grid of rows x columns slots per page, at one common scale, each with its
// 3-D picture in the lower half of the slot when the pictures are asked for.
#pragma once

#include "output/print/page_context.h"
#include "output/print/plan_slot.h"

// Draws every cell's plan from the current page on, opening pages as the grid fills.
void draw_cell_pages(PageContext& page, int W, int H, int mode);
// Sets the page font, the text band and the plan scale for slots of that size.
void compute_plan_scale(PageContext& page, int slot_width, int slot_height);
// A picture of no pixels, or fewer bytes than its size needs, counts as none.
bool has_picture(const Tcell& cell);
// The target rectangle of a picture of pw x ph pixels in the lower half of a slot.
QRect picture_rect(const SlotGrid& grid, double px_per_mm_y, int row, int column, int pw, int ph);
