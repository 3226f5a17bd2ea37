#include "model/layout/outline_index.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Below this, a point is on a wall and a box side lies along it.
constexpr double kTolerance = 1e-6;

double lowest(const Tcell& cell) {
  double y = cell.walls.empty() ? 0.0 : cell.walls.front().y1;
  for (const Tlinea& w : cell.walls) y = std::min({y, w.y1, w.y2});
  return y;
}

double highest(const Tcell& cell) {
  double y = cell.walls.empty() ? 0.0 : cell.walls.front().y1;
  for (const Tlinea& w : cell.walls) y = std::max({y, w.y1, w.y2});
  return y;
}

}  // namespace

bool wall_crosses_box(const Tlinea& wall, const PlanBox& box) {
  // The segment clipped against the box shrunk by the tolerance.
  double t0 = 0.0, t1 = 1.0;
  const double d[2] = {wall.x2 - wall.x1, wall.y2 - wall.y1};
  const double from[2] = {wall.x1, wall.y1};
  const double lo[2] = {box.x0 + kTolerance, box.y0 + kTolerance};
  const double hi[2] = {box.x1 - kTolerance, box.y1 - kTolerance};
  for (int k = 0; k < 2; ++k) {
    if (d[k] == 0.0) {
      if (from[k] <= lo[k] || from[k] >= hi[k]) return false;
      continue;
    }
    double a = (lo[k] - from[k]) / d[k], c = (hi[k] - from[k]) / d[k];
    if (a > c) std::swap(a, c);
    t0 = std::max(t0, a);
    t1 = std::min(t1, c);
    if (t0 >= t1) return false;
  }
  return true;
}

YBands::YBands(double bottom, double top, std::size_t count)
    : bands_(std::max<std::size_t>(count, 1)),
      bottom_(bottom),
      band_height_(std::max((top - bottom) / static_cast<double>(std::max<std::size_t>(count, 1)), 1.0)) {}

int YBands::band_of(double y) const {
  const double band = std::floor((y - bottom_) / band_height_);
  // Below the bands, or not a number: the first band.
  if (!(band > 0.0)) return 0;
  return static_cast<int>(std::min(band, static_cast<double>(bands_.size()) - 1));
}

void YBands::add(int item, double y0, double y1) {
  const int first = band_of(std::min(y0, y1) - kTolerance), last = band_of(std::max(y0, y1) + kTolerance);
  if (first_band_.size() <= static_cast<std::size_t>(item)) first_band_.resize(static_cast<std::size_t>(item) + 1);
  first_band_[static_cast<std::size_t>(item)] = first;
  for (int b = first; b <= last; ++b) bands_[static_cast<std::size_t>(b)].push_back(item);
}

// About two walls a band: a point meets a few walls, a box a few bands.
OutlineIndex::OutlineIndex(const Tcell& cell)
    : cell_(cell), bands_(lowest(cell), highest(cell), cell.walls.size() / 2) {
  for (std::size_t i = 0; i < cell.walls.size(); ++i)
    bands_.add(static_cast<int>(i), cell.walls[i].y1, cell.walls[i].y2);
}

bool OutlineIndex::contains(double x, double y) const {
  // Ray casting towards +x over the walls near the point; a point on a wall
  // counts as inside.
  bool inside = false, on_wall = false;
  bands_.for_each_near(y, y, [&](int i) {
    const Tlinea& w = cell_.walls[static_cast<std::size_t>(i)];
    const bool on_x = std::min(w.x1, w.x2) - kTolerance <= x && x <= std::max(w.x1, w.x2) + kTolerance;
    const bool on_y = std::min(w.y1, w.y2) - kTolerance <= y && y <= std::max(w.y1, w.y2) + kTolerance;
    const double cross = (w.x2 - w.x1) * (y - w.y1) - (w.y2 - w.y1) * (x - w.x1);
    if (on_x && on_y && std::fabs(cross) <= kTolerance * std::max(1.0, w.length)) on_wall = true;
    if ((w.y1 > y) != (w.y2 > y) && x < w.x1 + (y - w.y1) * (w.x2 - w.x1) / (w.y2 - w.y1)) inside = !inside;
  });
  return on_wall || inside;
}

void OutlineIndex::walls_through(const PlanBox& box, std::vector<const Tlinea*>& walls) const {
  bands_.for_each_near(box.y0, box.y1, [&](int i) {
    const Tlinea& w = cell_.walls[static_cast<std::size_t>(i)];
    if (wall_crosses_box(w, box)) walls.push_back(&w);
  });
}
