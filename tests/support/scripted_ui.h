// A user interface for tests: answers come from queues set up by the test, and
// everything the model shows or changes is recorded for the test to check.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/state/ui_seam.h"

class ScriptedUi : public ModelUi {
 public:
  // Answers, used in order; an empty queue answers No / Cancel / cancelled / -1.
  std::deque<bool> yes_no_answers;
  std::deque<Answer> yes_no_cancel_answers;
  std::deque<std::string> input_answers;  // each entry typed and confirmed
  std::deque<int> language_answers;
  std::deque<std::string> file_answers;  // each a chosen file name; empty queue = cancelled
  std::deque<int> colour_answers;

  // Runs while each message is shown, with its text: what a test does here
  // happens behind the open box (a repaint, a resize).
  std::function<void(const std::string&)> while_message_shown;

  // What the model did.
  std::vector<std::string> messages;   // message boxes shown
  std::vector<std::string> questions;  // every question asked, in order
  std::string caption;
  std::vector<std::string> query_defaults;  // the value each input query offered
  std::map<int, bool> buttons_down;
  std::vector<std::pair<int, bool>> button_down_changes;  // every set up or down, in order
  std::map<int, bool> buttons_enabled;
  std::vector<std::string> tab_names;
  int selected_tab = -1;
  int progress_maximum = -1;
  int progress_position = -1;
  int side_panel_refreshes = 0;
  int plan_draws = 0;
  int fits = 0;
  int rebuilds_3d = 0;
  std::vector<std::string> opened_with_desktop;
  int beeps = 0;
  int wait_box_shows = 0;
  bool wait_box_shown = false;

  void show_message(const std::string& text) override;
  bool ask_yes_no(const std::string& text) override;
  Answer ask_yes_no_cancel(const std::string& text) override;
  bool input_query(const std::string& caption, const std::string& prompt, std::string& value) override;
  int ask_language() override;
  bool ask_open_file_name(const std::string& caption, const std::string& filter, std::string& path) override;
  bool ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) override;
  bool ask_colour(int& rgb) override;
  void open_with_desktop(const std::string& target) override { opened_with_desktop.push_back(target); }
  void beep() override { ++beeps; }
  void show_wait_box() override {
    ++wait_box_shows;
    wait_box_shown = true;
  }
  void hide_wait_box() override { wait_box_shown = false; }
  void progress_begin(int maximum) override;
  void progress_step(int position) override;
  void progress_end() override {}
  void set_caption(const std::string& text) override { caption = text; }
  void set_tool_button_down(int button, bool down) override {
    buttons_down[button] = down;
    button_down_changes.emplace_back(button, down);
  }
  bool tool_button_down(int button) override;
  void set_tool_button_enabled(int button, bool enabled) override { buttons_enabled[button] = enabled; }
  void reset_cell_tabs(const std::vector<std::string>& names, int selected) override;
  void refresh_side_panel() override { ++side_panel_refreshes; }
  void draw_plan() override { ++plan_draws; }
  void fit_plan_to_view(int) override { ++fits; }
  void rebuild_3d_if_visible() override { ++rebuilds_3d; }
};

// Installs a ScriptedUi for the lifetime of a test and restores the default after.
class ScopedScriptedUi {
 public:
  ScopedScriptedUi() { set_ui(&ui_); }
  ~ScopedScriptedUi() { set_ui(nullptr); }
  ScopedScriptedUi(const ScopedScriptedUi&) = delete;
  ScopedScriptedUi& operator=(const ScopedScriptedUi&) = delete;
  ScriptedUi* operator->() { return &ui_; }
  ScriptedUi& operator*() { return ui_; }

 private:
  ScriptedUi ui_;
};
