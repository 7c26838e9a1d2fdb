#pragma once

#include <QAbstractListModel>
#include <QString>

namespace vistrel {

class ShellHost;
class ThumbCache;

// The thumbnail grid's items, worked out on demand from the file list and the cache: no
// per-item data is kept, only the item count that SetItemCount last set.
class ThumbnailModel : public QAbstractListModel {
  Q_OBJECT
 public:
  enum Role { kImageIndexRole = Qt::UserRole + 1, kFileNameRole };

  // The items come from the folder view's file list, read on demand through host.
  ThumbnailModel(const ShellHost& host, const QString& thumbFolder, ThumbCache& cache,
                 QObject* parent = nullptr);

  void SetItemCount(int count);
  int EntryCount() const;
  // Name of entry i of the file list; "" beyond it (the list changed meanwhile).
  QString EntryName(int i) const;
  QString Folder() const;
  QString ThumbOfEntry(int i) const;
  // "3: index.htm" for item 2.
  QString Caption(int i) const;
  int ImageIndex(int i) const;

  // Decodes the existing thumbnails of items first..last into the cache before they are
  // drawn; a range outside the file list is ignored.
  void CacheHint(int first, int last);

  // First entry from start on whose name begins with text (any case), wrapping to entry 0
  // when wrap; -1 without a match.
  int FindByText(const QString& text, int start, bool wrap) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Typing in the grid: the view asks for entries starting with the typed text.
  QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits,
                        Qt::MatchFlags flags) const override;

 private:
  const ShellHost& host_;
  QString thumbFolder_;
  ThumbCache& cache_;
  int count_ = 0;
};

}  // namespace vistrel
