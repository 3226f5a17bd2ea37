// The model-to-window seam on Qt: message boxes, questions and input queries.
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
  void set_caption(const std::string& text) override;

 private:
  QWidget* owner_;
};
