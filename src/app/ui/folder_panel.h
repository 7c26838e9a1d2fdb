#pragma once

#include <QAbstractItemView>
#include <QWidget>

#include "app/ui/filter_choices.h"

class QComboBox;
class QLabel;
class QTreeView;

namespace vistrel {

class FolderTreeModel;
class TitleBar;

// The left-hand panel: "Folder Selection", drive box, folder tree, file-type filter and the
// Thumbnail Corner. It reports the chosen folder and pattern list; the pages follow them.
class FolderPanel : public QWidget {
  Q_OBJECT
 public:
  FolderPanel(bool openOnSingleClick, QWidget* parent = nullptr);

  void SetFilterChoices(const QVector<FilterChoice>& choices);
  QString CurrentPatterns() const;
  // Makes the choice with these patterns current again without reporting a change.
  void KeepPatterns(const QString& patterns);
  void SetFolder(const QString& folder);  // shows and selects it in the tree
  QString Folder() const { return folder_; }
  void SetOpenOnSingleClick(bool on) { openOnSingleClick_ = on; }

  QComboBox* driveBox() const { return driveBox_; }
  QTreeView* folderTree() const { return tree_; }
  QComboBox* filterBox() const { return filterBox_; }
  QLabel* thumbnailCorner() const { return corner_; }
  // The corner shows its caption while it holds no picture.
  void ShowCornerPicture(const QPixmap& picture);
  void ClearCornerPicture();
  bool CornerHasPicture() const;
  TitleBar* titleBar() const { return title_; }

 Q_SIGNALS:
  void FolderChanged(const QString& folder);
  void PatternsChanged(const QString& patterns);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FillDrives();
  void ShowRow(const QModelIndex& index, QAbstractItemView::ScrollHint hint);
  void OnDriveChosen(int index);
  void OnTreeActivated(const QModelIndex& index, bool doubleClick);
  void OnFilterChosen(int index);
  void ShowPatterns(const QString& patterns);

  TitleBar* title_;
  QComboBox* driveBox_;
  QTreeView* tree_;
  FolderTreeModel* model_;
  TitleBar* filterTitle_;
  QComboBox* filterBox_;
  QLabel* corner_;
  QString folder_;
  bool openOnSingleClick_;
};

}  // namespace vistrel
