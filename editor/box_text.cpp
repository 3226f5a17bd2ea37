#include "editor/box_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <algorithm>

namespace {

constexpr QChar kBreakAllowed(0x200B);  // a zero-width space

// A message box wraps its text at half the screen's width, at most 500
// pixels, and widens only for a word that is wider.
int line_width(const QWidget& box) { return std::min(box.screen()->availableGeometry().width() / 2, 500); }

// Never inside a letter and its accents.
QString breakable(const QString& word) {
  QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, word);
  QString result;
  qsizetype from = 0;
  for (qsizetype to = letters.toNextBoundary(); to != -1; to = letters.toNextBoundary()) {
    if (from > 0) result += kBreakAllowed;
    result += word.mid(from, to - from);
    from = to;
  }
  return result;
}

QString with_long_words_breakable(const QString& text, const QFontMetrics& metrics, int width) {
  static const QRegularExpression word("\\S+");
  QString result;
  qsizetype done = 0;
  for (const QRegularExpressionMatch& match : word.globalMatch(text)) {
    if (metrics.horizontalAdvance(match.captured()) <= width) continue;
    result += text.mid(done, match.capturedStart() - done) + breakable(match.captured());
    done = match.capturedEnd();
  }
  return result + text.mid(done);
}

QString as_written(QString shown) { return shown.remove(kBreakAllowed); }

// What the user selects or copies of the box holds its text as written: the
// box is modal, so what is copied while it is open comes from it.
void copied_as_written(QMessageBox& box) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const auto as_written_again = [clipboard](QClipboard::Mode mode) {
    const QString copied = clipboard->text(mode);
    if (copied.contains(kBreakAllowed)) clipboard->setText(as_written(copied), mode);
  };
  QObject::connect(clipboard, &QClipboard::dataChanged, &box, [=] { as_written_again(QClipboard::Clipboard); });
  QObject::connect(clipboard, &QClipboard::selectionChanged, &box, [=] { as_written_again(QClipboard::Selection); });
}

}  // namespace

void set_box_text(QMessageBox& box, const QString& text) {
  box.setText(with_long_words_breakable(text, box.fontMetrics(), line_width(box)));
  copied_as_written(box);
}

QString box_text_as_written(const QMessageBox& box) { return as_written(box.text()); }
