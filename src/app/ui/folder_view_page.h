#pragma once

#include <QPointer>
#include <QWidget>

#include "core/page_list.h"

class QLabel;
class QListWidget;
class QPushButton;
class QStackedLayout;

namespace vistrel {

class TitleBar;

// The "Folder View" page: the file list of the shown folder and the preview area where the
// shared browser or editor is placed.
class FolderViewPage : public QWidget, public PageList {
  Q_OBJECT
 public:
  explicit FolderViewPage(QWidget* parent = nullptr);

  // Lists the folder's non-hidden files that match the pattern list, sorted by name. The list
  // shows each name printable (raw bytes as \xE9); the pages work with the name itself.
  void ShowFolder(const QString& folder, const QString& patterns);
  QString Folder() const { return folder_; }
  QStringList Names() const { return names_; }
  // The name of entry index as on disk; "" beyond the list.
  QString NameAt(int index) const;
  // Why the folder could not be read at the last ShowFolder; "" when it could.
  QString ListError() const { return listError_; }
  void SetShowFileIcons(bool on);
  // Makes the entry named name (any case) current and selected; false when not listed.
  bool SelectName(const QString& name);

  // PageList
  int ItemCount() const override;
  int SelectedCount() const override;
  bool IsSelected(int index) const override;
  QString FileOfItem(int index, bool onlySelected) const override;
  QString CurrentFile() const override;

  // The preview area holds at most one control; the caption shows while it holds none.
  void PlacePreview(QWidget* control);
  void ReleasePreview();
  QWidget* PreviewControl() const { return placed_; }

  QListWidget* fileList() const { return list_; }
  TitleBar* titleBar() const { return title_; }
  QPushButton* browserButton() const { return browserButton_; }
  QPushButton* editorButton() const { return editorButton_; }
  QPushButton* saveAsButton() const { return saveAsButton_; }
  QPushButton* saveButton() const { return saveButton_; }

 Q_SIGNALS:
  // The user moved in the list (mouse released, key released): status and preview follow.
  void UserMoved();
  void ActivatedItem();  // double click or Enter
  void DeleteRequested();
  void ToggleChanged();  // Browser/Editor toggle clicked

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetIcons(bool on);

  TitleBar* title_;
  QListWidget* list_;
  QWidget* previewArea_;
  QStackedLayout* previewStack_;
  QLabel* previewCaption_;
  QPointer<QWidget> placed_;
  QPushButton* browserButton_;
  QPushButton* editorButton_;
  QPushButton* saveAsButton_;
  QPushButton* saveButton_;
  QString folder_;
  QStringList names_;  // entry i's name as on disk, beside the printable one the list shows
  QString listError_;
  bool showIcons_ = true;
};

}  // namespace vistrel
