#include "model/commands/side_panel_state.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "model/base/rounding.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/state/language.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

namespace {

std::string with_decimal_point(std::string text, char decimal_point) {
  std::replace(text.begin(), text.end(), '.', decimal_point);
  return text;
}

double wall_length(const Tlinea& wall) { return std::hypot(wall.x2 - wall.x1, wall.y2 - wall.y1); }

// The common value rule: the first value is kept while later ones agree;
// any difference leaves nothing.
template <class T>
class Common {
 public:
  void add(const T& value) {
    if (state_ == State::Empty) {
      value_ = value;
      state_ = State::Common;
    } else if (state_ == State::Common && value_ != value) {
      state_ = State::Differ;
    }
  }
  std::optional<T> value() const { return state_ == State::Common ? std::optional<T>(value_) : std::nullopt; }

 private:
  enum class State { Empty, Common, Differ };
  State state_ = State::Empty;
  T value_{};
};

std::string common_text(const Common<std::string>& common) { return common.value().value_or(""); }

// Checked when every item has the flag, unchecked when none, partly otherwise.
Tick tick_of(int with_flag, int count) {
  if (with_flag == 0) return Tick::Unchecked;
  return with_flag == count ? Tick::Checked : Tick::Partly;
}

std::string group_caption(int text_number, int count) {
  return " " + lang_text(text_number) + " (" + std::to_string(count) + ") ";
}

void set_wall_fields(SidePanelState& s, bool enabled) {
  for (FieldState* field :
       {&s.module_count, &s.wall_height, &s.wall_depth, &s.wall_shelves, &s.start_gap, &s.end_gap}) {
    field->enabled = enabled;
  }
}

void no_wall(SidePanelState& s) {
  s.arrows_up_down = s.arrows_left_right = false;
  s.door = s.dimension = TickState{};
  s.wall_length = FieldState{};
  set_wall_fields(s, false);
  for (FieldState* field :
       {&s.module_count, &s.wall_height, &s.wall_depth, &s.wall_shelves, &s.start_gap, &s.end_gap}) {
    field->text.clear();
  }
  s.priority = s.fill_buttons = s.forced_lengths = false;
}

void one_wall(SidePanelState& s, const Tlinea& wall, const Tvar_amb& settings, char point) {
  s.wall_length.text = length_form(wall_length(wall), settings, point);
  if (wall.kind == 0) {
    s.arrows_up_down = s.arrows_left_right = true;
    s.door = {true, Tick::Checked};
    s.wall_length.enabled = true;
    s.forced_lengths = false;
  } else {
    s.arrows_up_down = wall.orientation == 'H';
    s.arrows_left_right = !s.arrows_up_down;
    s.module_count.text = std::to_string(wall.module_count);
    s.wall_height.text = size_form(wall.module_height, true, settings, point);
    s.wall_depth.text = size_form(wall.module_depth, false, settings, point);
    s.wall_shelves.text = std::to_string(wall.shelf_count);
    s.start_gap.text = with_decimal_point(size_key(wall.start_gap), point);
    s.end_gap.text = with_decimal_point(size_key(wall.end_gap), point);
    set_wall_fields(s, true);
    s.fill_buttons = true;
    s.door = {true, Tick::Unchecked};
    s.wall_length.enabled = false;
    s.priority = s.forced_lengths = true;
  }
  s.dimension = {true, wall.show_dimensions ? Tick::Checked : Tick::Unchecked};
}

void several_walls(SidePanelState& s, const Tcell& cell, int count, const Tvar_amb& settings, char point) {
  s.arrows_up_down = s.arrows_left_right = false;
  int openings = 0, dimensioned = 0;
  Common<std::string> length, modules, shelves, start_gap, end_gap;
  Common<double> height, depth;
  for (const Tlinea& wall : cell.walls) {
    if (!wall.selected) continue;
    openings += wall.kind == 0;
    dimensioned += wall.show_dimensions;
    length.add(length_form(wall_length(wall), settings, point));
    modules.add(std::to_string(wall.module_count));
    shelves.add(std::to_string(wall.shelf_count));
    start_gap.add(with_decimal_point(size_key(wall.start_gap), point));
    end_gap.add(with_decimal_point(size_key(wall.end_gap), point));
    height.add(wall.module_height);
    depth.add(wall.module_depth);
  }
  s.door = {false, tick_of(openings, count)};
  s.dimension = {true, tick_of(dimensioned, count)};
  s.wall_length = {false, common_text(length)};
  s.fill_buttons = true;
  set_wall_fields(s, true);
  s.module_count.text = common_text(modules);
  s.wall_shelves.text = common_text(shelves);
  s.start_gap.text = common_text(start_gap);
  s.end_gap.text = common_text(end_gap);
  s.wall_height.text = height.value() ? size_form(*height.value(), true, settings, point) : "";
  s.wall_depth.text = depth.value() ? size_form(*depth.value(), false, settings, point) : "";
  s.priority = s.forced_lengths = false;
}

void modules_part(SidePanelState& s, const Tcell& cell, const Tvar_amb& settings, char point) {
  int wall_modules = 0, free_modules = 0;
  Common<double> height, width;
  Common<int> shelves;
  auto add = [&](int shelf_count, double h, double w) {
    height.add(h);
    width.add(w);
    shelves.add(shelf_count);
  };
  for (const Tlinea& wall : cell.walls) {
    for (const Tmodulo& bay : wall.modules) {
      if (!bay.selected) continue;
      ++wall_modules;
      add(bay.shelf_count, bay.height, bay.width);
    }
  }
  for (const Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    ++free_modules;
    add(module.shelf_count, module.height, module.width);
  }
  int count = wall_modules + free_modules;
  s.module_group_caption = group_caption(text::module_group, count);
  if (count == 0) {
    s.module_height = s.module_width = s.module_shelves = FieldState{};
    return;
  }
  s.module_height = {true, height.value() ? size_form(*height.value(), true, settings, point) : ""};
  s.module_width = {false, width.value() ? size_form(*width.value(), false, settings, point) : ""};
  s.module_shelves = {true, shelves.value() ? std::to_string(*shelves.value()) : ""};
  // Only free modules can change their width here.
  if (free_modules > 0 && wall_modules == 0) s.module_width.enabled = true;
}

void flag_boxes(SidePanelState& s, const Tcell& cell) {
  int count = 0, n = 0, south = 0, e = 0, o = 0, trolleys = 0;
  for (const Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    ++count;
    n += module.dim_n;
    south += module.dim_s;
    e += module.dim_e;
    o += module.dim_o;
    trolleys += module.kind() == ModuleKind::Trolley;
  }
  bool enabled = count > 0;
  s.side_n = {enabled, tick_of(n, count)};
  s.side_s = {enabled, tick_of(south, count)};
  s.side_e = {enabled, tick_of(e, count)};
  s.side_o = {enabled, tick_of(o, count)};
  s.trolley = {enabled, tick_of(trolleys, count)};
}

}  // namespace

std::string length_form(double mm, const Tvar_amb& settings, char decimal_point) {
  return with_decimal_point(format_fixed(mm / settings.unit_factor, settings.decimals), decimal_point);
}

std::string size_form(double mm, bool height, const Tvar_amb& settings, char decimal_point) {
  if (settings.inches) return height ? inch_text_height(mm) : inch_text(mm);
  return with_decimal_point(format_fixed(mm, settings.decimals), decimal_point);
}

SidePanelState side_panel_state(const Tcell& cell, const Tvar_amb& settings, const SidePanelState& previous,
                                char decimal_point) {
  SidePanelState s = previous;
  s.structure_type = cell.structure_type;
  s.clearance = length_form(cell.clearance, settings, decimal_point);
  s.wall_thickness = length_form(cell.wall_thickness, settings, decimal_point);

  int selected_walls = 0;
  int last_wall = -1;
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i) {
    if (!cell.walls[static_cast<std::size_t>(i)].selected) continue;
    ++selected_walls;
    last_wall = i;
  }
  s.door_wall = last_wall;
  s.wall_group_caption = group_caption(text::wall_group, selected_walls);
  if (selected_walls == 0) {
    no_wall(s);
  } else if (selected_walls == 1) {
    one_wall(s, cell.walls[static_cast<std::size_t>(last_wall)], settings, decimal_point);
  } else {
    several_walls(s, cell, selected_walls, settings, decimal_point);
  }
  flag_boxes(s, cell);
  modules_part(s, cell, settings, decimal_point);
  return s;
}
