#include "thumbnails/thumbnail_model.h"

#include <memory>

#include "core/disk_name.h"
#include "core/shell_host.h"
#include "thumbnails/busy_cursor.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"

namespace vistrel {

ThumbnailModel::ThumbnailModel(const ShellHost& host, const QString& thumbFolder, ThumbCache& cache,
                               QObject* parent)
    : QAbstractListModel(parent), host_(host), thumbFolder_(thumbFolder), cache_(cache) {}

void ThumbnailModel::SetItemCount(int count) {
  beginResetModel();
  count_ = qMax(0, count);
  endResetModel();
}

int ThumbnailModel::EntryCount() const { return host_.FolderEntryCount(); }

QString ThumbnailModel::EntryName(int i) const {
  if (i < 0 || i >= EntryCount()) return {};
  return host_.FolderEntryName(i);
}

QString ThumbnailModel::Folder() const { return host_.ShownFolder(); }

QString ThumbnailModel::ThumbOfEntry(int i) const {
  const QString name = EntryName(i);
  return name.isEmpty() ? QString() : ThumbPath(thumbFolder_, Folder(), name);
}

QString ThumbnailModel::Caption(int i) const {
  return QString::number(i + 1) + QStringLiteral(": ") + PrintableName(EntryName(i));
}

int ThumbnailModel::ImageIndex(int i) const {
  const QString thumb = ThumbOfEntry(i);
  return thumb.isEmpty() ? -1 : cache_.CacheLookup(thumb);
}

void ThumbnailModel::CacheHint(int first, int last) {
  const int entries = EntryCount();
  if (first < 0 || last < first || last >= entries) return;
  std::unique_ptr<BusyCursor> busy;  // only when something is decoded
  const QString folder = Folder();
  for (int i = first; i <= last; ++i) {
    const QString thumb = ThumbPath(thumbFolder_, folder, EntryName(i));
    if (cache_.CacheLookup(thumb) >= 0 || KindOf(thumb) != FileKind::kRegular) continue;
    if (!busy) busy = std::make_unique<BusyCursor>();
    cache_.CacheLoad(thumb);
  }
}

int ThumbnailModel::FindByText(const QString& text, int start, bool wrap) const {
  const int entries = EntryCount();
  if (entries == 0) return -1;
  int i = qBound(0, start, entries);
  for (int compared = 0; compared < entries; ++compared, ++i) {
    if (i >= entries) {
      if (!wrap) return -1;
      i = 0;
    }
    if (EntryName(i).startsWith(text, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

int ThumbnailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : count_;
}

QVariant ThumbnailModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
    return {};
  switch (role) {
    case Qt::DisplayRole:
      return Caption(index.row());
    case kImageIndexRole:
      return ImageIndex(index.row());
    case kFileNameRole:
      return EntryName(index.row());
    default:
      return {};
  }
}

Qt::ItemFlags ThumbnailModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QModelIndexList ThumbnailModel::match(const QModelIndex& start, int role, const QVariant& value,
                                      int hits, Qt::MatchFlags flags) const {
  Q_UNUSED(role);
  Q_UNUSED(hits);
  const int found = FindByText(value.toString(), start.isValid() ? start.row() : 0,
                               flags.testFlag(Qt::MatchWrap));
  if (found < 0 || found >= count_) return {};
  return {this->index(found, 0)};
}

}  // namespace vistrel
