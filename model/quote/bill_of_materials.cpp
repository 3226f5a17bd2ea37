#include "model/quote/bill_of_materials.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "model/base/rounding.h"
#include "model/catalogue/compact_codes.h"
#include "model/layout/compact_groups.h"
#include "model/layout/module_lengths.h"
#include "model/quote/code_lookup.h"
#include "model/state/globals.h"

namespace {

// The lines of one cell, merged per codes-table row.
class CellBill {
 public:
  CellBill(CodeIndex& index, int structure_type) : index_(index), structure_type_(structure_type) {}

  // Adds amount pieces of the component's row; kind names a line this creates.
  // Shelf counts come from the project file as they stand: a damaged one's
  // sum stops at the int's bounds instead of wrapping round.
  void add(const CodeKey& key, bool available_only, int amount, const std::string& kind) {
    Trec_prv* line = line_for(key, available_only, kind);
    if (!line) return;
    const long long sum = static_cast<long long>(line->quantity) + amount;
    line->quantity = static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX));
  }

  // Adds beam length in whole tenths of a metre. A new line counts one piece
  // and keeps that count however many trolleys add to it.
  void add_length(const CodeKey& key, double tenths, const std::string& kind) {
    const std::size_t lines_before = lines_.size();
    Trec_prv* line = line_for(key, false, kind);
    if (!line) return;
    if (lines_.size() > lines_before) line->quantity = 1;
    // Summed in tenths, so that three trolleys of 2.1 m give 6.3 and not 6.300000000000001.
    double& sum = tenths_of_row_[line->code_row];
    sum += tenths;
    line->length_sum = sum / 10.0;
  }

  // The lines in codes-table order.
  Tdett_prv take_sorted() {
    std::stable_sort(lines_.begin(), lines_.end(),
                     [](const Trec_prv& a, const Trec_prv& b) { return a.code_row < b.code_row; });
    return std::move(lines_);
  }

 private:
  Trec_prv* line_for(const CodeKey& key, bool available_only, const std::string& kind) {
    const int row = index_.last_match(key, structure_type_, available_only);
    if (row < 0) return nullptr;
    auto [found, is_new] = line_of_row_.try_emplace(row, lines_.size());
    if (is_new) lines_.push_back(Trec_prv{row, 0, 0.0, kind});
    return &lines_[found->second];
  }

  CodeIndex& index_;
  int structure_type_;
  Tdett_prv lines_;
  std::unordered_map<int, std::size_t> line_of_row_;
  std::unordered_map<int, double> tenths_of_row_;
};

CodeKey key(std::string tipo, std::optional<double> lar, std::optional<double> lung, std::optional<double> alt) {
  auto text = [](std::optional<double> size) { return size ? std::optional(size_key(*size)) : std::nullopt; };
  return CodeKey{std::move(tipo), text(lar), text(lung), text(alt)};
}

void add_wall(CellBill& bill, const Tlinea& wall) {
  for (const Ttestata& frame : wall.end_frames)
    bill.add(key(frame.frame_type, frame.depth, std::nullopt, frame.height), true, 1, "T");
  for (const Tmodulo& bay : wall.modules)
    bill.add(key("R", bay.width, bay.length, std::nullopt), true, bay.shelf_count, "R");
  if (wall.modules.empty()) return;
  const Tmodulo& first = wall.modules.front();
  const Tmodulo& last = wall.modules.back();
  if (wall.start_join_high) bill.add(key("G", first.width, std::nullopt, std::nullopt), true, first.shelf_count, "G");
  if (wall.end_join_high) bill.add(key("G", last.width, std::nullopt, std::nullopt), true, last.shelf_count, "G");
}

// Run-end frames of a mobile compact unit are its own kind of frame.
void add_end_frame(CellBill& bill, const Tmodulo_agg& module, double height) {
  const std::string tipo = is_mobile_compact_code(module.code) ? "TS" : "TE";
  bill.add(key(tipo, module.width, std::nullopt, height), true, 1, tipo);
}

void add_trolley(CellBill& bill, const Tmodulo_agg& trolley) {
  bill.add(key("RG", std::nullopt, std::nullopt, std::nullopt), false, 2, "RG");
  bill.add(key("RGF", std::nullopt, std::nullopt, std::nullopt), false, 2, "RGF");
  bill.add(key("PRG", std::nullopt, std::nullopt, std::nullopt), false, 4, "PRG");
  // Twice the trolley's length plus the two frame gaps, rounded up to a tenth of a metre.
  const double tenths = std::ceil((trolley.length + 2 * kUprightGap) * 2 / 100);
  bill.add_length(key("OV", std::nullopt, std::nullopt, std::nullopt), tenths, "OV");
}

void add_free_module(CellBill& bill, const Tmodulo_agg& module) {
  const auto flag = [&](SideFlag slot) { return module.side_flags[slot] == 1; };
  bill.add(key("R", module.width, module.length, std::nullopt), true, module.shelf_count, "R");
  if (flag(kEndFrameA)) add_end_frame(bill, module, module.frame_height_a);
  if (flag(kEndFrameB)) add_end_frame(bill, module, module.frame_height_b);
  if (flag(kInnerFrameA)) bill.add(key("TI", module.width, std::nullopt, module.frame_height_a), true, 1, "T");
  if (flag(kInnerFrameB)) bill.add(key("TI", module.width, std::nullopt, module.frame_height_b), true, 1, "T");
  if (flag(kJointA)) bill.add(key("G", module.width, std::nullopt, std::nullopt), true, module.shelf_count, "G");
  if (flag(kJointB)) bill.add(key("G", module.width, std::nullopt, std::nullopt), true, module.shelf_count, "G");
  if (module.kind() == ModuleKind::Trolley) add_trolley(bill, module);
}

}  // namespace

Tdett_prv bill_of_cell(CodeIndex& index, const Tcell& cell) {
  CellBill bill(index, cell.structure_type);
  for (const Tlinea& wall : cell.walls) add_wall(bill, wall);
  for (const Tmodulo_agg& module : cell.free_modules) add_free_module(bill, module);
  for (const Tcorvane& group : cell.compact_groups)
    bill.add(key("KG", std::nullopt, group.kit_length, std::nullopt), true, 1, "KG");
  return bill.take_sorted();
}

void build_bill_of_materials() {
  rebuild_derived_values();
  CodeIndex index(CodesTable);
  QuoteDetails.assign(Cells.size(), {});
  const Tcells& cells = Cells;  // read only, so the undo history keeps sharing them
  for (std::size_t c = 0; c < cells.size(); ++c) QuoteDetails[c] = bill_of_cell(index, cells[c]);
}
