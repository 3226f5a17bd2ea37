// The model-to-window seam on Qt: the model's questions, file and colour
// choices, the desktop's "open", the wait box, the progress gauge and the
// main window's tool buttons, tabs, side panel and plan, on the real windows
// of the registry.
#pragma once

#include "model/state/ui_seam.h"

class QtModelUi : public ModelUi {
 public:
  void show_message(const std::string& text) override;
  bool ask_yes_no(const std::string& text) override;
  Answer ask_yes_no_cancel(const std::string& text) override;
  bool input_query(const std::string& caption, const std::string& prompt, std::string& value) override;
  int ask_language() override;
  bool ask_open_file_name(const std::string& caption, const std::string& filter, std::string& path) override;
  bool ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) override;
  bool ask_colour(int& rgb) override;
  void open_with_desktop(const std::string& path_or_address) override;
  void beep() override;

  void show_wait_box() override;
  void hide_wait_box() override;

  void progress_begin(int maximum) override;
  void progress_step(int position) override;
  void progress_end() override;

  void set_caption(const std::string& text) override;
  void set_tool_button_down(int button, bool down) override;
  bool tool_button_down(int button) override;
  void set_tool_button_enabled(int button, bool enabled) override;
  void reset_cell_tabs(const std::vector<std::string>& names, int selected) override;

  void refresh_side_panel() override;
  void draw_plan() override;
  void fit_plan_to_view(int margin) override;
  void rebuild_3d_if_visible() override;
};
