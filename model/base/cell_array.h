// The cells of a project. Besides the cells it keeps, for each one, what the
// cell is known to equal without looking at it: the undo step's stored copy
// of it, and whether what it derives from its own content (compact groups,
// frame heights, load marks) is up to date. Reading a cell keeps both; every
// way to change one in place (the non-const [] and at, edit_all) forgets them
// first. So an undo step shares each untouched cell, and a rebuild skips it,
// at a cost that does not grow with the number of cells.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "model/base/records.h"

class Tcells {
 public:
  using value_type = Tcell;
  using size_type = std::size_t;
  using const_iterator = std::vector<Tcell>::const_iterator;
  using iterator = const_iterator;  // iteration only reads: edit_all() changes every cell

  Tcells() = default;
  explicit Tcells(std::size_t count) : cells_(count), known_(count) {}
  Tcells(std::initializer_list<Tcell> cells) : cells_(cells), known_(cells.size()) {}

  std::size_t size() const { return cells_.size(); }
  bool empty() const { return cells_.empty(); }
  const_iterator begin() const { return cells_.begin(); }
  const_iterator end() const { return cells_.end(); }
  const Tcell& operator[](std::size_t i) const { return cells_[i]; }
  const Tcell& at(std::size_t i) const { return cells_.at(i); }
  const Tcell& front() const { return cells_.front(); }
  const Tcell& back() const { return cells_.back(); }
  const Tcell* data() const { return cells_.data(); }

  // A cell to change. (Called on a non-const array even only to read; read
  // through a const reference to keep what is known.)
  Tcell& operator[](std::size_t i) {
    known_[i] = {};
    return cells_[i];
  }
  Tcell& at(std::size_t i) {
    Tcell& cell = cells_.at(i);
    known_[i] = {};
    return cell;
  }
  Tcell& front() { return (*this)[0]; }
  Tcell& back() { return (*this)[size() - 1]; }
  std::span<Tcell> edit_all();

  void push_back(Tcell cell);
  template <typename... Args>
  Tcell& emplace_back(Args&&... args) {
    known_.emplace_back();
    return cells_.emplace_back(std::forward<Args>(args)...);
  }
  void pop_back() {
    cells_.pop_back();
    known_.pop_back();
  }
  const_iterator erase(const_iterator at);
  void clear();
  void resize(std::size_t count);
  void assign(std::size_t count, const Tcell& cell);
  // Puts the cells in the order of their present indices given, each once;
  // every cell keeps its stored copy. Throws std::invalid_argument otherwise.
  void reorder(const std::vector<int>& order);

  // The 3-D picture is no part of an undo step, so setting it changes nothing known.
  void set_picture(std::size_t i, std::shared_ptr<const Tpicture> picture) {
    cells_.at(i).picture = std::move(picture);
  }

  // The undo step's stored copy that cell i equals, or null.
  const std::shared_ptr<const Tcell>& stored(std::size_t i) const { return known_.at(i).stored; }
  void set_stored(std::size_t i, std::shared_ptr<const Tcell> copy) { known_.at(i).stored = std::move(copy); }

  // Whether cell i's derived content was brought up to date for these inputs
  // (a number the caller changes whenever what the derivation reads besides
  // the cell changes; 0 is never up to date) and the cell has not changed since.
  bool derived_up_to_date(std::size_t i, unsigned inputs) const { return inputs != 0 && known_.at(i).inputs == inputs; }
  // Runs update on cell i to bring its derived content up to date; a cell
  // that equalled its stored copy keeps it when the update changed nothing.
  template <typename Update>
  void refresh_derived(std::size_t i, unsigned inputs, Update&& update) {
    Tcell& cell = cells_.at(i);
    update(cell);
    Known& known = known_[i];
    if (known.stored && !(*known.stored == cell)) known.stored.reset();
    known.inputs = inputs;
  }

  bool operator==(const Tcells& other) const { return cells_ == other.cells_; }

 private:
  struct Known {
    std::shared_ptr<const Tcell> stored;
    unsigned inputs = 0;
  };
  std::vector<Tcell> cells_;
  std::vector<Known> known_;  // one per cell
};
