#include "editor/text_bounds.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QToolTip>
#include <QValidator>
#include <algorithm>

#include "editor/guarded_connection.h"
#include "editor/qt_lang_text.h"
#include "model/base/text_io.h"

namespace {

std::size_t utf8_bytes(const QString& text) { return static_cast<std::size_t>(text.toUtf8().size()); }

// The text within most_bytes: whole characters taken out just before cursor,
// where what was typed or pasted ends, as few as needed; and a text that was
// over its bound before (the program loads none) cut at its end. cursor moves
// to where the characters were taken out.
QString fitted(QString text, int& cursor, std::size_t most_bytes) {
  std::size_t bytes = utf8_bytes(text);
  int start = cursor;
  while (bytes > most_bytes && start > 0) {
    const int units = start >= 2 && text[start - 1].isLowSurrogate() && text[start - 2].isHighSurrogate() ? 2 : 1;
    bytes -= utf8_bytes(text.mid(start - units, units));
    start -= units;
  }
  text.remove(start, cursor - start);
  cursor = start;
  if (bytes > most_bytes) text = QString::fromStdString(cut_text(text.toStdString(), most_bytes));
  cursor = std::min(cursor, static_cast<int>(text.size()));
  return text;
}

// Says the bound beside the field, at a point of it.
void show_bound_hint(QWidget* field, QPoint at, std::size_t most_bytes) {
  if (field->isVisible()) QToolTip::showText(field->mapToGlobal(at), qtext(text_bound_hint(most_bytes)), field);
}

// Every text a line edit takes, typed, pasted or set, passes here.
class ByteBound : public QValidator {
 public:
  ByteBound(QLineEdit* edit, std::size_t most_bytes) : QValidator(edit), edit_(edit), most_bytes_(most_bytes) {}

  State validate(QString& input, int& cursor) const override {
    if (utf8_bytes(input) > most_bytes_) {
      input = fitted(input, cursor, most_bytes_);
      show_bound_hint(edit_, QPoint(0, edit_->height()), most_bytes_);
    }
    return Acceptable;
  }

 private:
  QLineEdit* edit_;
  std::size_t most_bytes_;
};

// Fits the lines a change of the memo touched, once the change is done.
class LineBound : public QObject {
 public:
  LineBound(QPlainTextEdit* memo, std::size_t most_bytes) : QObject(memo), memo_(memo), most_bytes_(most_bytes) {
    guarded_connect(memo->document(), &QTextDocument::contentsChange, this, [this](int from, int, int added) {
      changed_from_ = from;
      changed_to_ = from + added;
    });
    guarded_connect(memo, &QPlainTextEdit::textChanged, this, [this] { fit_changed_lines(); });
  }

 private:
  void fit_changed_lines() {
    if (changed_from_ < 0) return;
    QTextDocument* document = memo_->document();
    const int first = document->findBlock(changed_from_).blockNumber();
    const int to = changed_to_;
    changed_from_ = -1;
    bool cut = false;
    // From the last line up, so that a cut leaves the lines before it where they were.
    for (QTextBlock block = document->findBlock(to); block.isValid() && block.blockNumber() >= first;
         block = block.previous())
      cut = fit_line(block, to) || cut;
    if (!cut) return;
    // Under the cursor's line, within the memo: the cursor of a long line
    // may stand past its right edge.
    const QRect shown = memo_->viewport()->rect();
    const QPoint under = memo_->cursorRect().bottomLeft();
    show_bound_hint(memo_->viewport(),
                    QPoint(std::clamp(under.x(), 0, shown.width() / 2), std::clamp(under.y(), 0, shown.height())),
                    most_bytes_);
  }

  // Fits one line, taking out what was typed or pasted into it up to document
  // position to; true when it had to. One undo step with the change.
  bool fit_line(const QTextBlock& block, int to) {
    const QString text = block.text();
    if (utf8_bytes(text) <= most_bytes_) return false;
    const int end = std::clamp(to - block.position(), 0, static_cast<int>(text.size()));
    int start = end;
    const QString kept = fitted(text, start, most_bytes_);
    // kept is text before start, then text from end on as far as it goes.
    const int at = block.position();
    QTextCursor edit(block);
    edit.joinPreviousEditBlock();
    edit.setPosition(at + end + static_cast<int>(kept.size()) - start);
    edit.setPosition(at + static_cast<int>(text.size()), QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    edit.setPosition(at + start);
    edit.setPosition(at + end, QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    edit.endEditBlock();
    return true;
  }

  QPlainTextEdit* memo_;
  std::size_t most_bytes_;
  int changed_from_ = -1;
  int changed_to_ = -1;
};

class CellBound : public QStyledItemDelegate {
 public:
  CellBound(QObject* parent, std::size_t most_bytes) : QStyledItemDelegate(parent), most_bytes_(most_bytes) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) bound_text_bytes(line, most_bytes_);
    return editor;
  }

 private:
  std::size_t most_bytes_;
};

}  // namespace

void bound_text_bytes(QLineEdit* edit, std::size_t most_bytes) { edit->setValidator(new ByteBound(edit, most_bytes)); }

void bound_line_bytes(QPlainTextEdit* memo, std::size_t most_bytes) { new LineBound(memo, most_bytes); }

void bound_cell_bytes(QAbstractItemView* grid, std::size_t most_bytes) {
  grid->setItemDelegate(new CellBound(grid, most_bytes));
}
