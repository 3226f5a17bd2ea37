#include "editor/dialogs/archive_table_model.h"

namespace {
constexpr int kArchiveColumns = 6;
}

void ArchiveTableModel::set_view(ArchiveView view) {
  beginResetModel();
  view_ = std::move(view);
  endResetModel();
}

void ArchiveTableModel::set_titles(const QStringList& titles) {
  titles_ = titles;
  emit headerDataChanged(Qt::Horizontal, 0, kArchiveColumns - 1);
}

int ArchiveTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(view_.size()));
}

int ArchiveTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kArchiveColumns; }

QVariant ArchiveTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole) return {};
  // Asked while painting, also while a message box is open over a view the
  // list has changed under: a row it no longer has is shown empty.
  const std::vector<std::string> texts = archive_row_texts(archive_entry_at_row(view_, index.row()));
  const auto column = static_cast<std::size_t>(index.column());
  return column < texts.size() ? QString::fromStdString(texts[column]) : QString();
}

QVariant ArchiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return {};
  return section < titles_.size() ? titles_[section] : QString();
}
