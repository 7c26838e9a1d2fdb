#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "filelists/list_entry.h"
#include "filelists/list_sort.h"

namespace vistrel {

// The rows of the File Lists page: five cells per row, always kept in the order of the sort
// column and direction. A "Filename" of a start page (index, default, start, welcome) is red.
class ListReportModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit ListReportModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const std::vector<ListRow>& rows() const { return rows_; }
  const ListRow& row(int index) const { return rows_[size_t(index)]; }

  // Replaces every row and sorts them.
  void SetRows(std::vector<ListRow> rows);
  // Removes the rows whose flag is set.
  void RemoveRows(const std::vector<bool>& remove);

  int sortColumn() const { return sortColumn_; }
  bool ascending() const { return ascending_; }
  ListCompareMode compareMode() const { return mode_; }
  // Sets the order without sorting (restoring a stored state).
  void SetSortState(int column, bool ascending, ListCompareMode mode);
  // Puts the rows in order, keeping selections and the current row on their rows.
  void SortBy(int column, bool ascending, ListCompareMode mode);

  static bool IsStartPageName(const QString& fileName);

 private:
  std::vector<ListRow> rows_;
  int sortColumn_ = kFieldFolder;
  bool ascending_ = true;
  ListCompareMode mode_ = ListCompareMode::kText;
};

}  // namespace vistrel
