// Random rooms for the layout's property tests: rectangles, L, T and U rooms,
// some with a wall split in two straight pieces or by a door, a clearance of
// 0-100 mm, the millimetre or the inch catalogue's lengths up to a random
// largest one, and on each wall a random run (often as many bays as fit,
// sometimes fewer, more or none) with its own depth, height, shelves, end
// clearances and priority.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "layout_fixture.h"

// Random numbers for rooms, and the room outlines the generators share.
class RoomDice {
 public:
  enum Shape { rectangle, l_room, t_room, u_room };

 protected:
  explicit RoomDice(unsigned seed) : random_(seed) {}

  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
  double size(double lo, double hi) { return std::round(std::uniform_real_distribution<double>(lo, hi)(random_)); }

  // The corners of a room of that shape in a w x h box, anticlockwise from the
  // origin; name gets the shape's name.
  std::vector<Tvec2> shape_corners(Shape shape, double w, double h, std::string& name) {
    switch (shape) {
      case rectangle:
        name = "rectangle";
        return {{0, 0}, {w, 0}, {w, h}, {0, h}};
      case l_room: {
        name = "L room";
        const double nx = size(1000, w / 2), ny = size(1000, h / 2);
        return {{0, 0}, {w, 0}, {w, h - ny}, {w - nx, h - ny}, {w - nx, h}, {0, h}};
      }
      case t_room: {
        name = "T room";
        const double a = size(1000, w / 3), b = size(w / 2 + 200, w - 1000), foot = size(1500, h - 1000);
        return {{0, 0}, {w, 0}, {w, foot}, {b, foot}, {b, h}, {a, h}, {a, foot}, {0, foot}};
      }
      default: {
        name = "U room";
        const double a = size(1000, w / 3), b = size(w / 2 + 200, w - 1000), depth = size(800, h / 2);
        return {{0, 0}, {w, 0}, {w, h}, {b, h}, {b, h - depth}, {a, h - depth}, {a, h}, {0, h}};
      }
    }
  }

  std::mt19937 random_;
};

class VariedRoom : public RoomDice {
 public:
  explicit VariedRoom(unsigned seed) : RoomDice(seed) {}

  // Builds the room in the current cell (not yet laid out) and names it.
  std::string make() {
    const bool inches = pick(0, 1) == 1;
    LengthList = inches ? std::vector<double>{762, 890, 914.4, 974, 1066.8, 1152, 1219.2, 1524, 1676.4, 1828.8}
                        : std::vector<double>{710, 800, 890, 974, 1062, 1152, 1240};
    AppState.max_length_index = pick(2, static_cast<int>(LengthList.size()) - 1);
    std::string name = outline();
    Tcell& cell = current_cell();
    cell.clearance = pick(0, 100);
    std::vector<int> ranks(cell.walls.size());
    for (std::size_t i = 0; i < ranks.size(); ++i) ranks[i] = static_cast<int>(i);
    std::shuffle(ranks.begin(), ranks.end(), random_);
    for (std::size_t i = 0; i < cell.walls.size(); ++i) give_run(cell.walls[i], ranks[i]);
    return name + (inches ? ", inches" : ", millimetres") + " up to index " +
           std::to_string(AppState.max_length_index) + ", clearance " +
           std::to_string(static_cast<int>(cell.clearance));
  }

 private:
  std::string outline() {
    const double w = size(3000, 9000), h = size(3000, 7000);
    std::string name;
    std::vector<Tvec2> corners = shape_corners(static_cast<Shape>(pick(0, 3)), w, h, name);
    name += " " + std::to_string(static_cast<int>(w)) + " x " + std::to_string(static_cast<int>(h));
    int door = -1;
    switch (pick(0, 3)) {
      case 0:  // the first wall in two straight pieces
        corners.insert(corners.begin() + 1, {size(800, w - 800), 0});
        name += ", split bottom wall";
        break;
      case 1: {  // a door in the first wall
        const double at = size(800, w - 1800);
        corners.insert(corners.begin() + 1, {{at, 0}, {at + size(700, 1000), 0}});
        door = 1;
        name += ", door in the bottom wall";
        break;
      }
      default:
        break;
    }
    make_outline(corners);
    if (door >= 0) current_cell().walls[static_cast<std::size_t>(door)].kind = 0;
    return name;
  }

  void give_run(Tlinea& wall, int rank) {
    const double depths[] = {300, 400, 475, 500, 577}, heights[] = {1400, 1700, 1850, 2000, 2500};
    const int fit = static_cast<int>(wall.length / (LengthList.front() + 400));
    int bays = std::max(0, fit - pick(0, 2));
    if (pick(0, 5) == 0) bays = 0;
    if (pick(0, 7) == 0) bays = fit + pick(1, 3);  // over-filled
    // One pick after the other, in this order, so that every compiler makes
    // the same rooms (the order in which arguments are worked out is not fixed).
    const int shelves = pick(1, 6);
    const double height = heights[pick(0, 4)];
    const double depth = depths[pick(0, 4)];
    set_run(wall, bays, rank, depth, height, shelves);
    wall.start_gap = pick(0, 7) == 0 ? pick(1, 1200) : 0;
    wall.end_gap = pick(0, 7) == 0 ? pick(1, 1200) : 0;
  }
};
