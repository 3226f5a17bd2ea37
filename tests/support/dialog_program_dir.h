// A program folder for the dialog stories: a small catalogue, translations in
// Italian and German and an empty code table, and helpers to answer the modal
// windows a dialog opens.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "model/base/file_io.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/text/translations.h"
#include "support/program_dir.h"

class DialogProgramDir : public TempProgramDir {
 public:
  DialogProgramDir() {
    write_catalogue_file(file("data/data.dat"), {"1700\n2000", "300-600", "400", "1000\n1300", "AAAB\nAABB"},
                         {{300, 301, 302, 303, "", 0}});
    write_catalogue_file(file("data/data_in.dat"), {"1700", "300", "400", "1000", "AAAB"},
                         {{300, 301, 302, 303, "", 0}});
    write_scrambled_file(file("data/lang.dat"), language_file_text({{"IT", texts("IT")}, {"DE", texts("DE")}}, false));
    write_codes_table_file(file("user/codici.dat"), {});
  }

 private:
  // Text n of a language is "<code> n", enough to tell the languages apart.
  static std::vector<std::string> texts(const std::string& code) {
    std::vector<std::string> result;
    for (int n = 0; n < 410; ++n) result.push_back(code + " " + std::to_string(n));
    return result;
  }
};

// Runs answer on the modal window the next call opens, once it is shown.
inline void when_modal_opens(std::function<void(QWidget*)> answer) {
  QTimer::singleShot(0, [answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
  });
}
