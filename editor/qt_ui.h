// The model-to-window seam on Qt: message boxes, questions, input queries and
// the standard file and colour dialogs. Calls whose windows do not exist yet
// (wait box, gauge, tool bar, tabs, plan, 3-D view) do nothing.
#pragma once

#include <QWidget>

#include "model/state/ui_seam.h"

class QtModelUi : public ModelUi {
 public:
  explicit QtModelUi(QWidget* owner) : owner_(owner) {}

  void show_message(const std::string& text) override;
  bool ask_yes_no(const std::string& text) override;
  Answer ask_yes_no_cancel(const std::string& text) override;
  bool input_query(const std::string& caption, const std::string& prompt, std::string& value) override;
  int ask_language() override;
  bool ask_open_file_name(const std::string& caption, const std::string& filter, std::string& path) override;
  bool ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) override;
  bool ask_colour(int& rgb) override;
  void open_with_desktop(const std::string& path_or_address) override;
  void show_wait_box() override {}
  void hide_wait_box() override {}
  void progress_begin(int) override {}
  void progress_step(int) override {}
  void progress_end() override {}
  void set_caption(const std::string& text) override;
  void set_tool_button_down(int, bool) override {}
  bool tool_button_down(int) override { return false; }
  void set_tool_button_enabled(int, bool) override {}
  void reset_cell_tabs(const std::vector<std::string>&, int) override {}
  void refresh_side_panel() override {}
  void draw_plan() override {}
  void fit_plan_to_view(int) override {}
  void rebuild_3d_if_visible() override {}

 private:
  QWidget* owner_;
};
