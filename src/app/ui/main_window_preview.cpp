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

// The preview area and what the viewer window asks of the main window.

namespace vistrel {

int MainWindow::ActivePage() const { return pages_->CurrentIndex(); }

void MainWindow::SetPreviewSaveButtons(bool save, bool saveAs) {
  folderView_->saveButton()->setEnabled(save);
  folderView_->saveAsButton()->setEnabled(saveAs);
}

QString MainWindow::ShownFolder() const { return folderPanel_->Folder(); }

QString MainWindow::CurrentMask() const { return state_.CurrentMask; }

int MainWindow::FolderEntryCount() const { return folderView_->ItemCount(); }

QString MainWindow::FolderEntryName(int index) const {
  return folderView_->fileList()->item(index)->text();
}

bool MainWindow::StartingUp() const { return state_.StartingUp; }

void MainWindow::SetProgress(int value) {
  progress_->setRange(0, 10);
  progress_->setValue(value);
}

void MainWindow::RereadFolderAndSelect(const QString& name) {
  folderView_->ShowFolder(folderPanel_->Folder(), state_.CurrentMask);
  if (folderView_->SelectName(name) && folderView_->fileList()->isVisible())
    folderView_->fileList()->setFocus();
}

QMenu* MainWindow::FilePopupMenu() const { return popup_; }

void MainWindow::RefreshPreviewNow(bool force) {
  if (!viewer_) return;
  const QString file = CurrentFile();
  if (file.isEmpty()) {
    ClearPreviewNow();
    return;
  }
  if (!force && file == state_.EditorFile) return;
  ShowThumbCorner(file);
  viewer_->LoadPreview(file);
}

void MainWindow::ClearPreviewNow() {
  folderPanel_->ClearCornerPicture();
  if (viewer_) viewer_->ClearPreview();
}

void MainWindow::ShowThumbCorner(const QString& file) {
  const QString thumb = ThumbOfPage(file);
  QPixmap picture;
  if (!thumb.isEmpty() && QFileInfo::exists(thumb) && !picture.load(thumb))
    throw VistrelError(QStringLiteral("JPEG error: cannot decode ") + thumb);
  folderPanel_->ShowCornerPicture(picture);
  folderPanel_->thumbnailCorner()->repaint();
}

void MainWindow::SetPreviewControls(QWidget* browser, QWidget* editor) {
  browser_ = browser;
  editor_ = editor;
  ApplyPreviewToggle();
}

void MainWindow::ReturnPreviewControls() {
  // The viewer window takes the controls back into its own pages when it is shown.
  folderView_->ReleasePreview();
}

void MainWindow::PlacePreviewControl(const QString& control, const QString& place) {
  ReturnPreviewControls();
  QWidget* widget = control == QLatin1String("Browser") ? browser_.data() : editor_.data();
  if (widget && place == QLatin1String("MainWindow")) folderView_->PlacePreview(widget);
}

void MainWindow::ApplyPreviewToggle() {
  if (folderView_->browserButton()->isChecked()) {
    PlacePreviewControl(QStringLiteral("Browser"), QStringLiteral("MainWindow"));
  } else {
    PlacePreviewControl(QStringLiteral("Editor"), QStringLiteral("MainWindow"));
    if (editor_ && editor_->isVisible()) editor_->setFocus();
  }
}

void MainWindow::CheckChangedFile() {
  if (state_.StartingUp) return;
  const QString file = CurrentFile();
  if (pages_->CurrentIndex() != kFolderViewPage || file.isEmpty() || file != state_.EditorFile ||
      state_.EditorFileStamp == 0)
    return;
  const qint64 stamp = FileStamp(file);
  if (stamp == 0 || stamp == state_.EditorFileStamp) return;
  state_.EditorFileStamp = stamp;
  if (prompter_.Question(ChangedFileQuestion(file), QuestionButtons::kYesNo) == kAnswerYes)
    RefreshPreview(true);
}

void MainWindow::ShowViewerModal() {
  if (viewer_) viewer_->exec();
}

void MainWindow::SaveEditorFile() {
  if (viewer_) viewer_->BSaveClick();
}

void MainWindow::RefreshPreview(bool force) {
  if (viewer_) RefreshPreviewNow(force);
}

void MainWindow::ClearPreview() {
  if (viewer_) ClearPreviewNow();
}

QString MainWindow::ThumbOfPage(const QString& page) const {
  return thumbs_ ? ThumbPathOf(folders_.thumbs, page) : QString();
}

void MainWindow::OpenCurrentInViewer() {
  if (CurrentFile().isEmpty()) return;
  if (pages_->CurrentIndex() != kFolderViewPage) RefreshPreview(false);
  if (state_.BrowserBusy) return;
  state_.ViewerOpen = true;
  ShowViewerModal();
  state_.ViewerOpen = false;
  ApplyPreviewToggle();
}

void MainWindow::OnFileListMoved() {
  if (state_.StartingUp) return;
  // The answer only decides whether the old file is saved; the new one is loaded anyway.
  AskSaveChanges();
  RefreshStatus();
  RefreshPreview(false);
}

}  // namespace vistrel
