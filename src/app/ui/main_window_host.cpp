#include "app/ui/main_window.h"

#include <QListWidget>
#include <limits>
#include <QProgressBar>
#include <QPushButton>

#include "app/ui/file_commands.h"
#include "app/ui/folder_panel.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/page_switcher.h"
#include "app/ui/popup_menu.h"
#include "app/ui/preview_controller.h"
#include "app/viewer/viewer_window.h"

// What the pages and the viewer window ask of the main window, and its calls to the viewer.

namespace vistrel {

int MainWindow::ActivePage() const { return pages_->CurrentIndex(); }

void MainWindow::SetPreviewSaveButtons(bool save, bool saveAs) {
  folderView_->saveButton()->setEnabled(save);
  folderView_->saveAsButton()->setEnabled(saveAs);
}

QString MainWindow::ShownFolder() const { return folderPanel_->Folder(); }

QString MainWindow::CurrentMask() const { return state_.CurrentMask; }

int MainWindow::FolderEntryCount() const { return folderView_->ItemCount(); }

QString MainWindow::FolderEntryName(int index) const { return folderView_->NameAt(index); }

void MainWindow::ShowRunProgress(qint64 range, qint64 position) {
  // The bar counts in int; long texts are shown in steps of a larger unit.
  qint64 unit = 1;
  while (range / unit > std::numeric_limits<int>::max()) unit *= 2;
  progress_->setRange(0, static_cast<int>(range / unit));
  progress_->setValue(static_cast<int>(qBound<qint64>(0, position, range) / unit));
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

void MainWindow::ShowThumbCorner(const QString& file) { preview_->ShowThumbCorner(file); }

void MainWindow::ReturnPreviewControls() { preview_->ReturnControls(); }

void MainWindow::SnapViewerPage() { fileCommands_->SnapViewerPage(); }

void MainWindow::ShowViewerModal() {
  if (viewer_) viewer_->exec();
}

void MainWindow::SaveEditorFile() {
  if (viewer_) viewer_->BSaveClick();
}

void MainWindow::RefreshPreview(bool force) { preview_->Refresh(force); }

}  // namespace vistrel
