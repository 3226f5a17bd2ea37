#include "support/scripted_ui.h"

namespace {
template <typename T>
T take(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = queue.front();
  queue.pop_front();
  return value;
}
}  // namespace

void ScriptedUi::show_message(const std::string& text) {
  messages.push_back(text);
  if (while_message_shown) while_message_shown(text);
}

bool ScriptedUi::ask_yes_no(const std::string& text) {
  questions.push_back(text);
  return take(yes_no_answers, false);
}

Answer ScriptedUi::ask_yes_no_cancel(const std::string& text) {
  questions.push_back(text);
  return take(yes_no_cancel_answers, Answer::Cancel);
}

bool ScriptedUi::input_query(const std::string& query_caption, const std::string& prompt, std::string& value) {
  questions.push_back(query_caption + ": " + prompt);
  query_defaults.push_back(value);
  if (input_answers.empty()) return false;
  value = take(input_answers, std::string());
  return true;
}

int ScriptedUi::ask_language() {
  questions.push_back("language");
  return take(language_answers, -1);
}

bool ScriptedUi::ask_open_file_name(const std::string& caption, const std::string&, std::string& path) {
  questions.push_back(caption);
  if (file_answers.empty()) return false;
  path = take(file_answers, std::string());
  return true;
}

bool ScriptedUi::ask_save_file_name(const std::string& caption, const std::string& filter, std::string& path) {
  return ask_open_file_name(caption, filter, path);
}

bool ScriptedUi::ask_colour(int& rgb) {
  if (colour_answers.empty()) return false;
  rgb = take(colour_answers, 0);
  return true;
}

void ScriptedUi::progress_begin(int maximum) {
  progress_maximum = maximum;
  progress_position = 0;
}

void ScriptedUi::progress_step(int position) { progress_position = position; }

bool ScriptedUi::tool_button_down(int button) {
  auto it = buttons_down.find(button);
  return it != buttons_down.end() && it->second;
}

void ScriptedUi::reset_cell_tabs(const std::vector<std::string>& names, int selected) {
  tab_names = names;
  selected_tab = selected;
}
