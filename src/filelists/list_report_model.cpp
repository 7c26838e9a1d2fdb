#include "filelists/list_report_model.h"

#include <QColor>

#include "core/disk_name.h"

namespace vistrel {

namespace {

const char* const kColumnCaptions[kFieldCount] = {"Folder", "Filename", "Ext", "Size", "Date"};

}  // namespace

ListReportModel::ListReportModel(QObject* parent) : QAbstractTableModel(parent) {}

int ListReportModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : int(rows_.size());
}

int ListReportModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kFieldCount;
}

bool ListReportModel::IsStartPageName(const QString& fileName) {
  const QString upper = fileName.toUpper();
  return upper == QLatin1String("INDEX") || upper == QLatin1String("DEFAULT") ||
         upper == QLatin1String("START") || upper == QLatin1String("WELCOME");
}

QVariant ListReportModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= int(rows_.size()) || index.column() >= kFieldCount)
    return {};
  const QString& cell = rows_[size_t(index.row())][index.column()];
  switch (role) {
    case Qt::DisplayRole:
      return index.column() <= kFieldExt ? PrintableName(cell) : cell;
    case Qt::TextAlignmentRole:
      if (index.column() == kFieldSize) return int(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    case Qt::ForegroundRole:
      // Selected rows are drawn in the selection colours by the view.
      if (index.column() == kFieldFilename && IsStartPageName(cell)) return QColor(255, 0, 0);
      return QColor(0, 0, 0);
    default:
      return {};
  }
}

QVariant ListReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kFieldCount) return {};
  if (role == Qt::DisplayRole) return QString::fromLatin1(kColumnCaptions[section]);
  if (role == Qt::ForegroundRole) return QColor(0, 0, 0);
  if (role == Qt::TextAlignmentRole && section == kFieldSize)
    return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

void ListReportModel::SetRows(std::vector<ListRow> rows) {
  beginResetModel();
  const std::vector<size_t> order = SortedRowOrder(rows, sortColumn_, ascending_, mode_);
  rows_.clear();
  rows_.reserve(rows.size());
  for (size_t i : order) rows_.push_back(std::move(rows[i]));
  endResetModel();
}

void ListReportModel::RemoveRows(const std::vector<bool>& remove) {
  beginResetModel();
  size_t kept = 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (i < remove.size() && remove[i]) continue;
    if (kept != i) rows_[kept] = std::move(rows_[i]);
    ++kept;
  }
  rows_.resize(kept);
  endResetModel();
}

void ListReportModel::SetSortState(int column, bool ascending, ListCompareMode mode) {
  sortColumn_ = (column >= 0 && column < kFieldCount) ? column : kFieldFolder;
  ascending_ = ascending;
  mode_ = mode;
}

void ListReportModel::SortBy(int column, bool ascending, ListCompareMode mode) {
  SetSortState(column, ascending, mode);
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const std::vector<size_t> order = SortedRowOrder(rows_, sortColumn_, ascending_, mode_);
  std::vector<int> newPlace(rows_.size());
  std::vector<ListRow> sorted;
  sorted.reserve(rows_.size());
  for (size_t i = 0; i < order.size(); ++i) {
    newPlace[order[i]] = int(i);
    sorted.push_back(std::move(rows_[order[i]]));
  }
  rows_ = std::move(sorted);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before)
    after.append(this->index(newPlace[size_t(index.row())], index.column()));
  changePersistentIndexList(before, after);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace vistrel
