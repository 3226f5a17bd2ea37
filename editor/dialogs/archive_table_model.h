// The rows of the project archive grid: the entries of an ArchiveView, newest
// first, six columns, and one empty row when the view is empty.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include "model/files/project_archive.h"

class ArchiveTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void set_view(ArchiveView view);
  const ArchiveView& view() const { return view_; }
  void set_titles(const QStringList& titles);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  ArchiveView view_;
  QStringList titles_;
};
