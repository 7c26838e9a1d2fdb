#pragma once

#include <QWidget>
#include <functional>

#include "core/page_list.h"
#include "core/program_folder.h"
#include "thumbnails/thumb_store.h"

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;

namespace vistrel {

class BatchProgress;
class Prompter;
class ShellHost;
class ThumbnailDelegate;
class ThumbnailListView;
class ThumbnailModel;
struct ProgramSettings;

// The "Thumbnail View" page: the grid of thumbnails of the folder view's files, the base-size
// box and the Make Thumbs, ClearThumbs and Select All buttons.
class ThumbnailPage : public QWidget, public PageList {
  Q_OBJECT
 public:
  static const char* const kListHint;

  ThumbnailPage(ProgramSettings& settings, Prompter& prompter, const WorkingFolders& folders,
                BatchProgress& progress, ThumbStore& store, ShellHost& host,
                QWidget* parent = nullptr);
  ~ThumbnailPage() override;

  // PageList: items stand for the file list's entries; the selection is the grid's.
  int ItemCount() const override;
  int SelectedCount() const override;
  bool IsSelected(int index) const override;
  QString FileOfItem(int index, bool onlySelected) const override;
  QString CurrentFile() const override;

  // The item count follows the file list's entry count (not while starting up).
  void SyncThumbCount();
  // Entering the page: count synchronised, the first item selected if none is, focus to the
  // grid, the Thumbnail Corner showing the current file.
  void EnterPage();
  void SetTitle(const QString& text);

  // The base-size box: index 0..6, or anything else for no choice (written back as -1).
  void SetBaseIndex(int index);
  void ApplyBaseSize();

  // The seconds a page may take to render, from the settings.
  void ShowRenderTimeout();

  // Make Thumbs / ClearThumbs / the pop-up items / the corner double click, on the selection
  // of list, the active page's list (which may be this page). Refused while a render runs.
  void MakeOrClearSelection(const PageList& list, bool make);
  void SelectAll();
  // The "&Clean" menu: removes orphaned (all false) or all thumbnails and says how many.
  RemoveThumbsResult RemoveThumbs(bool all);
  void RedrawItem(int index);

  void SetPopupMenu(QMenu* menu);

  ThumbnailListView* listView() const { return view_; }
  ThumbnailModel& model() const { return *model_; }
  ThumbnailDelegate& delegate() const { return *delegate_; }
  QComboBox* baseBox() const { return baseBox_; }
  QPushButton* makeButton() const { return makeButton_; }
  QPushButton* clearButton() const { return clearButton_; }
  QPushButton* selectAllButton() const { return selectAllButton_; }
  QSpinBox* timeoutBox() const { return timeoutBox_; }
  QLabel* titleLabel() const { return title_; }

 Q_SIGNALS:
  void OpenFileRequested();  // double click or Enter
  void DeleteRequested();    // Delete key: the main window runs DeleteSelectedFiles()
  // The user changed the render timeout; the settings hold it already.
  void RenderTimeoutChanged(int milliseconds);

 private:
  void BuildLayout();
  void AfterUserMove(bool selectAllFirst);
  void SetTitleFocus(bool focused);
  void OnTimeoutEdited(int seconds);
  bool StartingUp() const;

  ProgramSettings& settings_;
  Prompter& prompter_;
  WorkingFolders folders_;
  BatchProgress& progress_;
  ThumbStore& store_;
  ShellHost& host_;

  ThumbnailModel* model_;
  ThumbnailDelegate* delegate_;
  QLabel* title_ = nullptr;
  ThumbnailListView* view_ = nullptr;
  QComboBox* baseBox_ = nullptr;
  QSpinBox* timeoutBox_ = nullptr;
  QPushButton* makeButton_ = nullptr;
  QPushButton* clearButton_ = nullptr;
  QPushButton* selectAllButton_ = nullptr;
};

}  // namespace vistrel
