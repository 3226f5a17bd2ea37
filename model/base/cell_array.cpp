#include "model/base/cell_array.h"

#include <stdexcept>

std::span<Tcell> Tcells::edit_all() {
  for (Known& known : known_) known = {};
  return cells_;
}

void Tcells::push_back(Tcell cell) {
  cells_.push_back(std::move(cell));
  known_.emplace_back();
}

Tcells::const_iterator Tcells::erase(const_iterator at) {
  const auto index = at - cells_.begin();
  known_.erase(known_.begin() + index);
  // The cells after it move to lower indices, which their derived codes name.
  for (auto later = known_.begin() + index; later != known_.end(); ++later) later->inputs = 0;
  return cells_.erase(at);
}

void Tcells::clear() {
  cells_.clear();
  known_.clear();
}

void Tcells::resize(std::size_t count) {
  cells_.resize(count);
  known_.resize(count);
}

void Tcells::assign(std::size_t count, const Tcell& cell) {
  cells_.assign(count, cell);
  known_.assign(count, Known{});
}

void Tcells::reorder(const std::vector<int>& order) {
  if (order.size() != cells_.size()) throw std::invalid_argument("cell order of another length");
  std::vector<bool> taken(cells_.size());
  for (int from : order) {
    if (from < 0 || static_cast<std::size_t>(from) >= cells_.size() || taken[static_cast<std::size_t>(from)])
      throw std::invalid_argument("cell order is not a permutation");
    taken[static_cast<std::size_t>(from)] = true;
  }
  std::vector<Tcell> cells;
  std::vector<Known> known;
  cells.reserve(order.size());
  known.reserve(order.size());
  for (std::size_t to = 0; to < order.size(); ++to) {
    const auto from = static_cast<std::size_t>(order[to]);
    cells.push_back(std::move(cells_[from]));
    known.push_back(std::move(known_[from]));
    if (from != to) known.back().inputs = 0;  // its derived codes name its index
  }
  cells_ = std::move(cells);
  known_ = std::move(known);
}
