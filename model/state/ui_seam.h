// The model's only way to reach the user interface. Every call is pure, so an
// implementation that forgets one does not compile. The editor installs its Qt
// implementation at start; until then the headless one (headless_ui.h) is in
// force, so the whole model runs under tests with no window.
#pragma once

#include <string>
#include <vector>

enum class Answer { Yes, No, Cancel };

class ModelUi {
 public:
  virtual ~ModelUi() = default;

  // Message boxes and questions.
  virtual void show_message(const std::string& text) = 0;
  virtual bool ask_yes_no(const std::string& text) = 0;
  virtual Answer ask_yes_no_cancel(const std::string& text) = 0;
  // Input query: returns false when the user cancels; value holds the default on entry.
  virtual bool input_query(const std::string& caption, const std::string& prompt, std::string& value) = 0;
  // The first-run language question: 0..7, or -1 when none was chosen.
  virtual int ask_language() = 0;
  // File choice: filter as "Dxf 2D (*.dxf)"; path holds the proposed name on
  // entry and the chosen one on return; false when the user cancels.
  virtual bool ask_open_file_name(const std::string& caption, const std::string& filter, std::string& path) = 0;
  virtual bool ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) = 0;
  // Colour choice: rgb holds r + g * 256 + b * 65536 on entry and on return.
  virtual bool ask_colour(int& rgb) = 0;
  // The shell's "open" of a file or an address (a web page, a "mailto:").
  virtual void open_with_desktop(const std::string& path_or_address) = 0;
  // The system's short alert sound, when long work is done.
  virtual void beep() = 0;

  // The wait box of long work: shown and painted at once, closed after.
  virtual void show_wait_box() = 0;
  virtual void hide_wait_box() = 0;

  // Progress gauge of long work.
  virtual void progress_begin(int maximum) = 0;
  virtual void progress_step(int position) = 0;
  virtual void progress_end() = 0;

  // Main window state.
  virtual void set_caption(const std::string& text) = 0;
  virtual void set_tool_button_down(int button, bool down) = 0;
  virtual bool tool_button_down(int button) = 0;
  virtual void set_tool_button_enabled(int button, bool enabled) = 0;
  virtual void reset_cell_tabs(const std::vector<std::string>& names, int selected) = 0;

  // Refreshes after an edit.
  virtual void refresh_side_panel() = 0;
  virtual void draw_plan() = 0;
  virtual void fit_plan_to_view(int margin) = 0;
  // Rebuilds the 3-D view of the current cell when the 3-D window is visible.
  virtual void rebuild_3d_if_visible() = 0;
};

// The interface in force; never null.
ModelUi& ui();
// Installs an interface (nullptr restores the headless one). The caller keeps ownership.
void set_ui(ModelUi* implementation);
