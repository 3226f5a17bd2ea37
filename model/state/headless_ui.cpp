#include "model/state/headless_ui.h"

#include <iostream>

void HeadlessUi::show_message(const std::string& text) { std::cerr << text << '\n'; }
bool HeadlessUi::ask_yes_no(const std::string&) { return false; }
Answer HeadlessUi::ask_yes_no_cancel(const std::string&) { return Answer::Cancel; }
bool HeadlessUi::input_query(const std::string&, const std::string&, std::string&) { return false; }
int HeadlessUi::ask_language() { return -1; }
bool HeadlessUi::ask_open_file_name(const std::string&, const std::string&, std::string&) { return false; }
bool HeadlessUi::ask_save_file_name(const std::string&, const std::string&, std::string&) { return false; }
bool HeadlessUi::ask_colour(int&) { return false; }
void HeadlessUi::open_with_desktop(const std::string&) {}
void HeadlessUi::beep() {}
void HeadlessUi::show_wait_box() {}
void HeadlessUi::hide_wait_box() {}
void HeadlessUi::progress_begin(int) {}
void HeadlessUi::progress_step(int) {}
void HeadlessUi::progress_end() {}
void HeadlessUi::set_caption(const std::string&) {}
void HeadlessUi::set_tool_button_down(int, bool) {}
bool HeadlessUi::tool_button_down(int) { return false; }
void HeadlessUi::set_tool_button_enabled(int, bool) {}
void HeadlessUi::reset_cell_tabs(const std::vector<std::string>&, int) {}
void HeadlessUi::refresh_side_panel() {}
void HeadlessUi::draw_plan() {}
void HeadlessUi::fit_plan_to_view(int) {}
void HeadlessUi::rebuild_3d_if_visible() {}
