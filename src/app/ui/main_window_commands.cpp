#include "app/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QDir>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "core/pattern_match.h"
#include "core/prompter.h"
#include "core/vistrel_error.h"
#include "core/text_file.h"
#include "core/text_paths.h"
#include "app/ui/progress_window.h"
#include "app/ui/about_window.h"
#include "app/ui/browser_settings_dialog.h"
#include "app/ui/command_line.h"
#include "app/ui/help_window.h"
#include "app/ui/folder_panel.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/external_launch.h"
#include "app/ui/page_switcher.h"
#include "app/ui/popup_menu.h"
#include "app/ui/placeholder_page.h"
#include "app/ui/status_text.h"
#include "app/ui/title_bar.h"
#include "app/viewer/viewer_window.h"
#include "editor/source_editor.h"
#include "filelists/file_lists_page.h"
#include "filelists/file_operations.h"
#include "snapshots/snapshot_options_window.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumb_store.h"
#include "thumbnails/thumbnail_page.h"
#include "formatter/style.h"
#include "render/browser_view.h"
#include "app/ui/tooltip_switch.h"
#include "settings/general_options_dialog.h"

// The commands of the menus, the pop-up menu and dropped files.

namespace vistrel {

void MainWindow::CreateSnapshots() {
  const SelectionInfo info = CurrentSelection();
  SnapshotRequest request;
  request.FileName = CurrentFile();
  request.SourcePage = info.page;
  request.SelCount = info.selected;
  request.ItemCount = info.total;
  request.Batch = info.selected > 1;
  if (!request.FileName.isEmpty() && !QFileInfo::exists(request.FileName)) {
    prompter_.Information(QStringLiteral("File: \"") + request.FileName +
                          QStringLiteral("\" not found!"));
    return;
  }
  if (request.FileName.isEmpty() && !request.Batch) {
    prompter_.Information(QStringLiteral("No file(s) selected"));
    return;
  }
  const SnapshotServices services{settings_, prompter_, *profile_,
                                  viewer_->browser()->DisplaySettings(), *progressWindow_};
  SnapshotOptionsWindow window(services, PageListOf(info.page), request, nullptr, this);
  window.exec();
}

void MainWindow::SnapViewerPage() {
  SnapshotRequest request;
  request.FileName = CurrentFile();
  const SnapshotServices services{settings_, prompter_, *profile_,
                                  viewer_->browser()->DisplaySettings(), *progressWindow_};
  SnapshotOptionsWindow window(services, nullptr, request, viewer_->browser(), this);
  window.exec();
}

void MainWindow::SyncThumbCount() {
  if (thumbs_) thumbs_->SyncThumbCount();
}

void MainWindow::MakeOrClearThumbs(bool make) {
  const PageList* page = PageListOf(pages_->CurrentIndex());
  if (!thumbs_ || !page) return;
  thumbs_->MakeOrClearSelection(*page, make);
  setEnabled(true);
}

HelpWindow* MainWindow::OpenHelp() {
  auto* help = new HelpWindow(*profile_, this);
  help->show();
  help->ShowPage(folders_.helpPage);  // a missing page is reported; the window stays, empty
  return help;
}

void MainWindow::OpenAbout() {
  auto* about = new AboutWindow(this);
  about->exec();
}

void MainWindow::OpenBrowserSettings() {
  BrowserSettingsDialog dialog(*profile_, *viewer_->browser(), this);
  // Thumbnails made from now on use the browser's new values.
  if (dialog.exec() == QDialog::Accepted && capture_)
    capture_->SetDisplaySettings(viewer_->browser()->DisplaySettings());
}

void MainWindow::OpenGeneralOptions() {
  GeneralOptionsDialog dialog(settings_, prompter_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  popup_->SetLaunchCaptions(QStringLiteral("Launch with: "));
  ApplyHints();
  folderView_->SetShowFileIcons(settings_.DoShowFileIcons);
  folderPanel_->SetOpenOnSingleClick(settings_.DoOpenOnSingleClick);
  Q_EMIT OptionsChanged();
}

QString MainWindow::LaunchCaption(int k) const {
  return popup_->item(PopupMenu::kLaunchBase + k + 1)->text();
}

void MainWindow::BuildPopupMenu() {
  popup_ = new PopupMenu(settings_, this);
  popup_->SetAvailable(PopupMenu::kCreateSnapshots, viewer_ != nullptr);
  connect(popup_->item(PopupMenu::kCreateSnapshots), &QAction::triggered, this,
          &MainWindow::CreateSnapshots);
  popup_->SetAvailable(PopupMenu::kMakeThumbs, thumbs_ != nullptr);
  popup_->SetAvailable(PopupMenu::kClearThumbs, thumbs_ != nullptr);
  connect(popup_->item(PopupMenu::kMakeThumbs), &QAction::triggered, this,
          [this] { MakeOrClearThumbs(true); });
  connect(popup_->item(PopupMenu::kClearThumbs), &QAction::triggered, this,
          [this] { MakeOrClearThumbs(false); });
  connect(popup_->item(PopupMenu::kCopyFiles), &QAction::triggered, this,
          &MainWindow::CopySelectedFilesCommand);
  popup_->ContextProvider = [this] {
    const SelectionInfo info = CurrentSelection();
    return PopupMenu::Context{CurrentFile(), info.page, info.selected, state_.ViewerOpen};
  };
  connect(popup_->item(PopupMenu::kViewInBrowser), &QAction::triggered, this,
          &MainWindow::ViewInDefaultBrowser);
  connect(popup_->item(PopupMenu::kJumpToFolder), &QAction::triggered, this,
          &MainWindow::JumpToCurrentFolder);
  for (int k = 0; k < 6; ++k)
    connect(popup_->item(PopupMenu::kLaunchBase + k + 1), &QAction::triggered, this,
            [this, k] { LaunchApplication(k); });
  AttachPopup(folderView_->fileList());
  fileLists_->SetPopupMenu(popup_);
  if (thumbs_) thumbs_->SetPopupMenu(popup_);
  AttachPopup(folderPanel_->thumbnailCorner());
}

void MainWindow::AttachPopup(QWidget* widget) {
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(widget, &QWidget::customContextMenuRequested, this,
          [this, widget](const QPoint& at) { popup_->popup(widget->mapToGlobal(at)); });
}

void MainWindow::ViewInDefaultBrowser() {
  const QString file = CurrentFile();
  if (!file.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

void MainWindow::JumpToCurrentFolder() {
  const QString file = CurrentFile();
  if (file.isEmpty()) return;
  if (QFileInfo(file).absoluteDir().exists())
    JumpToFileAndFolder(file);
  else
    prompter_.Information(QStringLiteral("Folder \"") + file + QStringLiteral("\" not found."));
}

void MainWindow::LaunchApplication(int k) {
  const QString file = CurrentFile();
  if (file.isEmpty()) return;
  const int answer = AskSaveChanges();
  if (answer == kAnswerCancel) return;
  if (answer == kAnswerNo) RefreshPreview(true);
  LaunchExternal(settings_.Applications[k], file);
}

void MainWindow::RereadFolder() {
  const int row = folderView_->fileList()->currentRow();
  folderView_->ShowFolder(folderPanel_->Folder(), state_.CurrentMask);
  if (row >= 0 && row < folderView_->ItemCount())
    folderView_->fileList()->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void MainWindow::DeleteSelectedFilesCommand() {
  PageList* page = PageListOf(pages_->CurrentIndex());
  if (!page) return;
  const DeleteOutcome outcome =
      DeleteSelectedFiles(*page, folderPanel_->Folder(), settings_, prompter_);
  if (!outcome.confirmed) return;
  switch (pages_->CurrentIndex()) {
    case kFolderViewPage: {
      folderView_->ShowFolder(folderPanel_->Folder(), state_.CurrentMask);
      RefreshPreviewNow(false);
      const int last = folderView_->ItemCount() - 1;
      if (last >= 0)
        folderView_->fileList()->setCurrentRow(qMin(outcome.lastDeletedIndex, last),
                                               QItemSelectionModel::ClearAndSelect);
      SyncThumbCount();
      break;
    }
    case kThumbnailViewPage:
      folderView_->ShowFolder(folderPanel_->Folder(), state_.CurrentMask);
      SyncThumbCount();
      break;
    case kFileListsPage:
      fileLists_->AfterFilesDeleted(outcome);
      if (outcome.anyInShownFolder) {
        folderView_->ShowFolder(folderPanel_->Folder(), state_.CurrentMask);
        SyncThumbCount();
      }
      break;
  }
  RefreshStatus();
}

void MainWindow::CopySelectedFilesCommand() {
  PageList* page = PageListOf(pages_->CurrentIndex());
  if (!page) return;
  const CopyOutcome outcome =
      CopySelectedFiles(*page, folderPanel_->Folder(), settings_, prompter_, *progressWindow_);
  setEnabled(true);
  if (outcome.singleTargetInShownFolder) {
    RereadFolderAndSelect(QFileInfo(outcome.singleTarget).fileName());
    SyncThumbCount();
  }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  QStringList files;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  event->acceptProposedAction();
  HandleDroppedFiles(files);
}

void MainWindow::HandleDroppedFiles(const QStringList& files) {
  if (files.isEmpty()) return;
  droppedNames_ = files;
  raise();
  activateWindow();
  const QString first = LongPathOf(files.first());
  if (MatchesPatternList(first, QString::fromLatin1(kAcceptedTypes)) && !QFileInfo(first).isDir()) {
    JumpToFileAndFolder(first);
    return;
  }
  prompter_.Beep();
  prompter_.Information(FileNotAcceptedMessage(first));
}

}  // namespace vistrel
