#include "model/state/ui_seam.h"

#include <iostream>

void ModelUi::show_message(const std::string& text) { std::cerr << text << '\n'; }
bool ModelUi::ask_yes_no(const std::string&) { return false; }
Answer ModelUi::ask_yes_no_cancel(const std::string&) { return Answer::Cancel; }
bool ModelUi::input_query(const std::string&, const std::string&, std::string&) { return false; }
int ModelUi::ask_language() { return -1; }
bool ModelUi::ask_open_file_name(const std::string&, const std::string&, std::string&) { return false; }
bool ModelUi::ask_save_file_name(const std::string&, const std::string&, std::string&) { return false; }
bool ModelUi::ask_colour(int&) { return false; }
void ModelUi::open_with_desktop(const std::string&) {}
void ModelUi::show_wait_box() {}
void ModelUi::hide_wait_box() {}
void ModelUi::progress_begin(int) {}
void ModelUi::progress_step(int) {}
void ModelUi::progress_end() {}
void ModelUi::set_caption(const std::string&) {}
void ModelUi::set_tool_button_down(int, bool) {}
bool ModelUi::tool_button_down(int) { return false; }
void ModelUi::set_tool_button_enabled(int, bool) {}
void ModelUi::reset_cell_tabs(const std::vector<std::string>&, int) {}
void ModelUi::refresh_side_panel() {}
void ModelUi::draw_plan() {}
void ModelUi::fit_plan_to_view(int) {}
void ModelUi::rebuild_3d_if_visible() {}

namespace {
ModelUi headless_default;
ModelUi* current = &headless_default;
}  // namespace

ModelUi& ui() { return *current; }

void set_ui(ModelUi* implementation) { current = implementation ? implementation : &headless_default; }
