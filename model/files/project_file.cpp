// The "V002" project writer, the load that replaces the open project, and the
// first cell of a new project.
#include "model/files/project_file.h"

#include "model/files/customers_file.h"
#include "model/files/file_io.h"
#include "model/files/text_io.h"
#include "model/state/globals.h"
#include "model/text/lang_text.h"

namespace {

class ProjectWriter {
 public:
  std::string write(const Tprv& header, const Tcells& cells, int current_cell, bool full) {
    write_head(header, full);
    out_.integer(static_cast<long long>(cells.size()));
    for (const Tcell& cell : cells) write_cell(cell);
    out_.integer(current_cell);
    return out_.take();
  }

 private:
  void write_head(const Tprv& header, bool full) {
    out_.line("V002");
    out_.line(cut_short_string(header.date));
    out_.line(cut_short_string(header.number));
    out_.line(cut_short_string(header.customer_ref));
    full ? write_customer(header.customer) : write_blank_customer();
    for (const std::string* text : {&header.from, &header.note1, &header.note2}) out_.line(cut_short_string(*text));
    if (full) {
      out_.number_f(header.discount1);
      out_.number_f(header.discount2);
    } else {
      out_.integer(0);
      out_.integer(0);
    }
    out_.line(cut_short_string(header.drawing));
    out_.number_f(header.discount3);
    out_.number_f(header.discount4);
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

  void write_cell(const Tcell& cell) {
    out_.line(cell.name);
    out_.integer(static_cast<long long>(cell.walls.size()));
    for (const Tlinea& wall : cell.walls) write_wall(wall);
    out_.integer(static_cast<long long>(cell.free_modules.size()));
    for (const Tmodulo_agg& module : cell.free_modules) write_free_module(module);
    out_.integer(cell.structure_type);
    out_.number_f0(cell.clearance);
    out_.number_f0(cell.wall_thickness);
  }

  void write_wall(const Tlinea& wall) {
    for (double value : {wall.x1, wall.y1, wall.x2, wall.y2, wall.normal_x, wall.normal_y}) out_.number_f(value);
    out_.integer(wall.kind);
    out_.character(wall.orientation);
    out_.number_f(wall.start_angle);
    out_.number_f(wall.end_angle);
    out_.boolean(wall.show_dimensions);
    out_.integer(wall.module_count);
    out_.number_f(wall.module_height);
    out_.number_f(wall.module_depth);
    out_.integer(wall.shelf_count);
    out_.number_f(wall.start_gap);
    out_.number_f(wall.end_gap);
    out_.integer(wall.priority);
    for (double value : {wall.free_space, wall.start_free, wall.end_free, wall.chain_start}) out_.number_f(value);
    for (bool flag : {wall.start_join_high, wall.end_join_high, wall.start_join_low, wall.end_join_low,
                      wall.start_bounded, wall.end_bounded, wall.laid_out})
      out_.boolean(flag);
    out_.number_f(wall.length);
    out_.integer(static_cast<long long>(wall.forced_lengths.size()));
    for (double length : wall.forced_lengths) out_.number_e(length);
    out_.integer(static_cast<long long>(wall.modules.size()));
    for (const Tmodulo& module : wall.modules) write_module(module);
    out_.integer(static_cast<long long>(wall.end_frames.size()));
    for (const Ttestata& frame : wall.end_frames) write_end_frame(frame);
  }

  void write_module(const Tmodulo& module) {
    out_.integer(module.shelf_count);
    for (double value : {module.height, module.width, module.length, module.x, module.y}) out_.number_f(value);
    out_.line(module.orientation + module.group_code);
    out_.line(module.shelf_pattern);
    out_.integer(module.custom_shelves);
  }

  void write_end_frame(const Ttestata& frame) {
    for (double value : {frame.x, frame.y, frame.height, frame.depth}) out_.number_f(value);
    out_.character(frame.orientation);
    out_.line(frame.frame_type);
    out_.integer(frame.module_before);
    out_.integer(frame.module_after);
  }

  void write_free_module(const Tmodulo_agg& module) {
    out_.integer(module.shelf_count);
    out_.number_e(module.height);
    for (double value : {module.width, module.length, module.x, module.y, module.extent_x, module.extent_y})
      out_.number_f(value);
    out_.line(module.orientation + module.code);
    out_.line(module.shelf_pattern);
    out_.integer(module.custom_shelves);
    for (double value : {module.clear_n, module.clear_s, module.clear_e, module.clear_o}) out_.number_f(value);
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
  write_scrambled_file(path, project_file_text(QuoteHeader, Cells, AppState.current_cell, full));
}

void load_project(const std::string& path) {
  ProjectData project = read_project_file(path);
  QuoteHeader = std::move(project.header);
  Cells = std::move(project.cells);
  AppState.current_cell = project.current_cell;
}

Tcell first_cell() {
  Tcell cell;
  cell.wall_thickness = 60.0;
  cell.name = lang_text(39);
  return cell;
}
