// The "V002" project writer, the load that replaces the open project, and the
// first cell of a new project.
#include "model/files/project_file.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/files/damaged_files.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

class ProjectWriter {
 public:
  std::string write(const Tprv& header, const Tcells& cells, int current_cell, bool full) {
    write_head(header, full);
    out_.integer(static_cast<long long>(cells.size()));
    for (std::size_t c = 0; c < cells.size(); ++c) write_cell(cells[c], c + 1);
    out_.integer(current_cell);
    return out_.take();
  }

 private:
  void write_head(const Tprv& header, bool full) {
    out_.set_record("the quote header");
    out_.line("V002");
    out_.line(cut_short_string(header.date));
    out_.line(cut_short_string(header.number));
    out_.line(cut_short_string(header.customer_ref));
    full ? write_customer(header.customer) : write_blank_customer();
    for (const std::string* text : {&header.from, &header.note1, &header.note2}) out_.line(cut_short_string(*text));
    if (full) {
      out_.number_f(header.discount1, "discount 1");
      out_.number_f(header.discount2, "discount 2");
    } else {
      out_.integer(0);
      out_.integer(0);
    }
    out_.line(cut_short_string(header.drawing));
    out_.number_f(header.discount3, "discount 3");
    out_.number_f(header.discount4, "discount 4");
  }

  void write_customer(const Tcliente& customer) {
    for (const std::string* field : customer_fields(customer)) out_.line(*field);
    out_.integer(static_cast<long long>(customer.notes.size()));
    for (const std::string& note : customer.notes) out_.line(note);
  }

  // The mail copy leaves the customer out.
  void write_blank_customer() {
    for (int i = 0; i < 9; ++i) out_.line("-----------");
    out_.integer(0);
  }

  void write_cell(const Tcell& cell, std::size_t number) {
    const std::string name = "cell " + std::to_string(number) + " \"" + cell.name + "\"";
    out_.line(cell.name);
    out_.integer(static_cast<long long>(cell.walls.size()));
    for (std::size_t w = 0; w < cell.walls.size(); ++w) {
      out_.set_record(name + ", wall " + std::to_string(w + 1));
      write_wall(cell.walls[w]);
    }
    out_.integer(static_cast<long long>(cell.free_modules.size()));
    for (std::size_t m = 0; m < cell.free_modules.size(); ++m) {
      out_.set_record(name + ", free module " + std::to_string(m + 1));
      write_free_module(cell.free_modules[m]);
    }
    out_.set_record(name);
    out_.integer(cell.structure_type);
    out_.number_f0(cell.clearance, "clearance");
    out_.number_f0(cell.wall_thickness, "wall thickness");
  }

  void write_numbers_f(std::initializer_list<std::pair<double, const char*>> fields) {
    for (const auto& [value, field] : fields) out_.number_f(value, field);
  }

  void write_wall(const Tlinea& wall) {
    write_numbers_f({{wall.x1, "x1"},
                     {wall.y1, "y1"},
                     {wall.x2, "x2"},
                     {wall.y2, "y2"},
                     {wall.normal_x, "normal x"},
                     {wall.normal_y, "normal y"}});
    out_.integer(wall.kind);
    out_.character(wall.orientation);
    write_numbers_f({{wall.start_angle, "start angle"}, {wall.end_angle, "end angle"}});
    out_.boolean(wall.show_dimensions);
    out_.integer(wall.module_count);
    write_numbers_f({{wall.module_height, "module height"}, {wall.module_depth, "module depth"}});
    out_.integer(wall.shelf_count);
    write_numbers_f({{wall.start_gap, "start gap"}, {wall.end_gap, "end gap"}});
    out_.integer(wall.priority);
    write_numbers_f({{wall.free_space, "free space"},
                     {wall.start_free, "start free"},
                     {wall.end_free, "end free"},
                     {wall.chain_start, "chain start"}});
    for (bool flag : {wall.start_join_high, wall.end_join_high, wall.start_join_low, wall.end_join_low,
                      wall.start_bounded, wall.end_bounded, wall.laid_out})
      out_.boolean(flag);
    out_.number_f(wall.length, "length");
    out_.integer(static_cast<long long>(wall.forced_lengths.size()));
    for (double length : wall.forced_lengths) out_.number_e(length, "forced length");
    out_.integer(static_cast<long long>(wall.modules.size()));
    for (const Tmodulo& module : wall.modules) write_module(module);
    out_.integer(static_cast<long long>(wall.end_frames.size()));
    for (const Ttestata& frame : wall.end_frames) write_end_frame(frame);
  }

  void write_module(const Tmodulo& module) {
    out_.integer(module.shelf_count);
    write_numbers_f({{module.height, "bay height"},
                     {module.width, "bay width"},
                     {module.length, "bay length"},
                     {module.x, "bay x"},
                     {module.y, "bay y"}});
    out_.line(module.orientation + module.group_code);
    out_.line(module.shelf_pattern);
    out_.integer(module.custom_shelves);
  }

  void write_end_frame(const Ttestata& frame) {
    write_numbers_f({{frame.x, "end frame x"},
                     {frame.y, "end frame y"},
                     {frame.height, "end frame height"},
                     {frame.depth, "end frame depth"}});
    out_.character(frame.orientation);
    out_.line(frame.frame_type);
    out_.integer(frame.module_before);
    out_.integer(frame.module_after);
  }

  void write_free_module(const Tmodulo_agg& module) {
    out_.integer(module.shelf_count);
    out_.number_e(module.height, "height");
    write_numbers_f({{module.width, "width"},
                     {module.length, "length"},
                     {module.x, "x"},
                     {module.y, "y"},
                     {module.extent_x, "extent x"},
                     {module.extent_y, "extent y"}});
    out_.line(module.orientation + module.code);
    out_.line(module.shelf_pattern);
    out_.integer(module.custom_shelves);
    write_numbers_f({{module.clear_n, "north clearance"},
                     {module.clear_s, "south clearance"},
                     {module.clear_e, "east clearance"},
                     {module.clear_o, "west clearance"}});
    for (bool flag : {module.dim_n, module.dim_s, module.dim_e, module.dim_o}) out_.boolean(flag);
    out_.integer(module.coupled_with);
    for (int flag : module.side_flags) out_.integer(flag);
    for (const std::string& text : module.spare_texts) out_.line(text);
  }

  TextWriter out_;
};

}  // namespace

std::string project_file_text(const Tprv& header, const Tcells& cells, int current_cell, bool full) {
  return ProjectWriter().write(header, cells, current_cell, full);
}

void write_project_file(const std::string& path, bool full) {
  const std::string text = project_file_text(QuoteHeader, Cells, AppState.current_cell, full);
  keep_damaged_copy(path);
  write_scrambled_file(path, text);
}

void load_project(const std::string& path) {
  ProjectData project = read_project_file(path);
  QuoteHeader = std::move(project.header);
  Cells = std::move(project.cells);
  AppState.current_cell = project.current_cell;
  if (!project.damage.empty()) ui().show_message(note_damaged_file(path, project.damage));
}

Tcell first_cell() {
  Tcell cell;
  cell.wall_thickness = 60.0;
  cell.name = lang_text(text::cell);
  return cell;
}
