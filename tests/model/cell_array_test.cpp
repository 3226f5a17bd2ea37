// What the cell array knows of each cell without looking at it: forgotten by
// every way to change the cell, kept by reading it, by moving it and by a
// refresh that changes nothing.
#include "model/base/cell_array.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::shared_ptr<const Tcell>> store_all(Tcells& cells) {
  std::vector<std::shared_ptr<const Tcell>> stored;
  const Tcells& read = cells;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    stored.push_back(std::make_shared<const Tcell>(read[c]));
    cells.set_stored(c, stored.back());
  }
  return stored;
}

std::string names(const Tcells& cells) {
  std::string all;
  for (const Tcell& cell : cells) all += cell.name;
  return all;
}

TEST(CellArray, EveryWayToChangeACellForgetsItsStoredCopyReadingDoesNot) {
  Tcells cells(3);
  store_all(cells);
  const Tcells& read = cells;
  std::size_t walls = read[0].walls.size() + read.at(1).walls.size() + read.back().walls.size();
  for (const Tcell& cell : cells) walls += cell.walls.size();  // iteration only reads
  cells.set_picture(2, std::make_shared<Tpicture>());
  EXPECT_EQ(walls, 0u);
  for (std::size_t c = 0; c < 3; ++c) EXPECT_TRUE(cells.stored(c)) << c;

  const struct {
    std::function<Tcell&(Tcells&)> change;
    std::size_t index;
  } changes[] = {
      {[](Tcells& all) -> Tcell& { return all[1]; }, 1},
      {[](Tcells& all) -> Tcell& { return all.at(1); }, 1},
      {[](Tcells& all) -> Tcell& { return all.back(); }, 2},
      {[](Tcells& all) -> Tcell& { return all.front(); }, 0},
  };
  for (const auto& [change, index] : changes) {
    store_all(cells);
    change(cells);
    for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(!cells.stored(c), c == index) << index << " " << c;
  }
  store_all(cells);
  cells.edit_all();
  for (std::size_t c = 0; c < 3; ++c) EXPECT_FALSE(cells.stored(c));
}

TEST(CellArray, MovedCellsKeepTheirStoredCopiesButNotTheirDerivedIndexState) {
  Tcells cells{Tcell{}, Tcell{}, Tcell{}, Tcell{}};
  for (std::size_t c = 0; c < 4; ++c) cells[c].name = std::string(1, static_cast<char>('A' + c));
  const auto stored = store_all(cells);
  for (std::size_t c = 0; c < 4; ++c) cells.refresh_derived(c, 1, [](Tcell&) {});

  cells.reorder({2, 0, 1, 3});
  EXPECT_EQ(names(cells), "CABD");
  EXPECT_EQ(cells.stored(0), stored[2]);
  EXPECT_EQ(cells.stored(2), stored[1]);
  EXPECT_TRUE(cells.derived_up_to_date(3, 1)) << "kept its place";
  EXPECT_FALSE(cells.derived_up_to_date(0, 1)) << "moved: its derived codes name its index";

  cells.erase(cells.begin() + 1);  // A
  EXPECT_EQ(names(cells), "CBD");
  EXPECT_EQ(cells.stored(1), stored[1]);
  EXPECT_EQ(cells.stored(2), stored[3]);
  EXPECT_FALSE(cells.derived_up_to_date(2, 1));

  cells.emplace_back().name = "E";
  cells.push_back(Tcell{});
  EXPECT_FALSE(cells.stored(3) || cells.stored(4)) << "new cells are copied into the next step";

  for (const std::vector<int>& wrong : {std::vector<int>{0, 0, 1, 2, 3}, std::vector<int>{0, 1}, {4, 3, 2, 1, 5}})
    EXPECT_THROW(cells.reorder(wrong), std::invalid_argument);
  EXPECT_EQ(names(cells), "CBDE");
}

TEST(CellArray, ARefreshKeepsTheStoredCopyOnlyWhenItChangedNothing) {
  Tcells cells(2);
  store_all(cells);
  EXPECT_FALSE(cells.derived_up_to_date(0, 0)) << "0 names no inputs";
  cells.refresh_derived(0, 7, [](Tcell&) {});
  cells.refresh_derived(1, 7, [](Tcell& cell) { cell.compact_groups.emplace_back(); });
  EXPECT_TRUE(cells.stored(0));
  EXPECT_FALSE(cells.stored(1));
  EXPECT_TRUE(cells.derived_up_to_date(0, 7) && cells.derived_up_to_date(1, 7));
  EXPECT_FALSE(cells.derived_up_to_date(0, 8)) << "other inputs";
  cells[0].clearance = 5;
  EXPECT_FALSE(cells.derived_up_to_date(0, 7)) << "changed since";
}

}  // namespace
