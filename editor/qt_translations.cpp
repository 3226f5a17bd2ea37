#include "editor/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <map>

namespace {

// Qt's name of each language of the program; English is Qt's own.
QString qt_language(const std::string& code) {
  static const std::map<std::string, QString> names = {{"IT", "it"}, {"FR", "fr"}, {"DE", "de"}, {"ES", "es"},
                                                       {"FM", "nl"}, {"CZ", "cs"}, {"PL", "pl"}};
  const auto found = names.find(code);
  return found == names.end() ? QString() : found->second;
}

// The application owns the translator; a later application starts without one.
QPointer<QTranslator>& installed() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

void load_qt_translations(const std::string& language_code) {
  if (QTranslator* old = installed()) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  const QString language = qt_language(language_code);
  if (language.isEmpty()) return;
  auto* translator = new QTranslator(QCoreApplication::instance());
  // Without Qt's translations installed its texts stay English.
  if (!translator->load("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return;
  }
  QCoreApplication::installTranslator(translator);
  installed() = translator;
}
