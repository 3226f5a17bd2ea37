// Plan questions the layout asks of many footprints at once, answered by
// sorting what they are asked against into bands across y, so that each
// question meets only what lies near it: is this point in the room, which
// walls pass through this box, which runs may overlap this one.
#pragma once

#include <cstddef>
#include <vector>

#include "model/base/records.h"

// An axis-aligned box on the plan.
struct PlanBox {
  double x0, y0, x1, y1;
};

// Whether the wall's segment passes through the inside of the box (an edge
// along one of its sides does not).
bool wall_crosses_box(const Tlinea& wall, const PlanBox& box);

// Numbered items, each spanning a range of y, sorted into bands of equal height.
class YBands {
 public:
  // count bands between bottom and top (at least one, each at least 1 mm high).
  YBands(double bottom, double top, std::size_t count);

  void add(int item, double y0, double y1);

  // Calls visit(item) once for every item whose bands meet those of [y0, y1].
  template <typename Visit>
  void for_each_near(double y0, double y1, Visit visit) const {
    const int first = band_of(y0), last = band_of(y1);
    for (int b = first; b <= last; ++b)
      for (int item : bands_[static_cast<std::size_t>(b)])
        // An item is listed in every band it spans: taken in the first one met.
        if (b == first || first_band_[static_cast<std::size_t>(item)] == b) visit(item);
  }

 private:
  int band_of(double y) const;

  std::vector<std::vector<int>> bands_;
  std::vector<int> first_band_;
  double bottom_;
  double band_height_;
};

// A cell's outline by bands. The outline must be finite.
class OutlineIndex {
 public:
  explicit OutlineIndex(const Tcell& cell);

  // Inside the outline or on it.
  bool contains(double x, double y) const;
  // Appends the walls that pass through the box, each once.
  void walls_through(const PlanBox& box, std::vector<const Tlinea*>& walls) const;

 private:
  const Tcell& cell_;
  YBands bands_;
};
