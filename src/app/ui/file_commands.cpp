#include "app/ui/file_commands.h"

#include <QDesktopServices>
#include <QListWidget>
#include <QUrl>
#include <QWidget>

#include "app/ui/command_line.h"
#include "app/ui/external_launch.h"
#include "app/ui/folder_panel.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/popup_menu.h"
#include "app/ui/preview_controller.h"
#include "app/ui/progress_window.h"
#include "app/ui/status_text.h"
#include "app/ui/window_link.h"
#include "core/disk_name.h"
#include "core/main_window_state.h"
#include "core/page_list.h"
#include "core/pattern_match.h"
#include "core/prompter.h"
#include "core/render_guard.h"
#include "filelists/file_lists_page.h"
#include "filelists/file_operations.h"
#include "render/browser_view.h"
#include "settings/program_settings.h"
#include "snapshots/snapshot_options_window.h"
#include "thumbnails/thumbnail_page.h"

namespace vistrel {

namespace {
const char kSnapshotAction[] = "Create Snapshot";
}  // namespace

FileCommands::FileCommands(const FileCommandParts& parts, WindowLink& window, QWidget& owner)
    : parts_(parts), window_(window), owner_(owner) {}

void FileCommands::SetBrowser(BrowserProfile& profile, BrowserView& browser) {
  profile_ = &profile;
  browser_ = &browser;
}

PopupMenu* FileCommands::BuildPopupMenu() {
  auto* popup = new PopupMenu(parts_.settings, &owner_);
  popup->SetAvailable(PopupMenu::kCreateSnapshots, browser_ != nullptr);
  QObject::connect(popup->item(PopupMenu::kCreateSnapshots), &QAction::triggered, popup,
                   [this] { CreateSnapshots(); });
  popup->SetAvailable(PopupMenu::kMakeThumbs, thumbs_ != nullptr);
  popup->SetAvailable(PopupMenu::kClearThumbs, thumbs_ != nullptr);
  QObject::connect(popup->item(PopupMenu::kMakeThumbs), &QAction::triggered, popup,
                   [this] { MakeOrClearThumbs(true); });
  QObject::connect(popup->item(PopupMenu::kClearThumbs), &QAction::triggered, popup,
                   [this] { MakeOrClearThumbs(false); });
  QObject::connect(popup->item(PopupMenu::kCopyFiles), &QAction::triggered, popup,
                   [this] { CopySelection(); });
  popup->ContextProvider = [this] {
    const SelectionInfo info = window_.CurrentSelection();
    return PopupMenu::Context{window_.CurrentFile(), info.page, info.selected,
                              parts_.state.ViewerOpen};
  };
  QObject::connect(popup->item(PopupMenu::kViewInBrowser), &QAction::triggered, popup,
                   [this] { ViewInDefaultBrowser(); });
  QObject::connect(popup->item(PopupMenu::kJumpToFolder), &QAction::triggered, popup,
                   [this] { JumpToCurrentFolder(); });
  for (int k = 0; k < 6; ++k)
    QObject::connect(popup->item(PopupMenu::kLaunchBase + k + 1), &QAction::triggered, popup,
                     [this, k] { LaunchApplication(k); });
  return popup;
}

void FileCommands::CreateSnapshots() {
  const SelectionInfo info = window_.CurrentSelection();
  SnapshotRequest request;
  request.FileName = window_.CurrentFile();
  request.SourcePage = info.page;
  request.SelCount = info.selected;
  request.ItemCount = info.total;
  request.Batch = info.selected > 1;
  if (!request.FileName.isEmpty() && KindOf(request.FileName) == FileKind::kMissing) {
    parts_.prompter.Information(QStringLiteral("File: \"") + PrintableName(request.FileName) +
                                QStringLiteral("\" not found!"));
    return;
  }
  if (request.FileName.isEmpty() && !request.Batch) {
    parts_.prompter.Information(QStringLiteral("No file(s) selected"));
    return;
  }
  RunSnapshotWindow(request, window_.CurrentPageList(), nullptr);
}

void FileCommands::SnapViewerPage() {
  SnapshotRequest request;
  request.FileName = window_.CurrentFile();
  RunSnapshotWindow(request, nullptr, browser_);
}

void FileCommands::RunSnapshotWindow(const SnapshotRequest& request, const PageList* page,
                                     BrowserView* viewerBrowser) {
  // The window renders while it is open; it must not start inside a running batch.
  if (RenderGuard::Shared().Refuse(QLatin1String(kSnapshotAction))) return;
  const RenderGuard::Hold running(RenderGuard::Shared(), QLatin1String(kSnapshotAction));
  const SnapshotServices services{parts_.settings, parts_.prompter, *profile_,
                                  browser_->DisplaySettings(), parts_.progress};
  SnapshotOptionsWindow window(services, page, request, viewerBrowser, &owner_);
  window.SetRenderTimeout(RenderTimeoutMs(parts_.settings));
  window.exec();
}

void FileCommands::SyncThumbCount() {
  if (thumbs_) thumbs_->SyncThumbCount();
}

void FileCommands::ShowFolderAgain() {
  parts_.folderView.ShowFolder(parts_.panel.Folder(), parts_.state.CurrentMask);
}

void FileCommands::MakeOrClearThumbs(bool make) {
  const PageList* page = window_.CurrentPageList();
  if (!thumbs_ || !page) return;
  thumbs_->MakeOrClearSelection(*page, make);
  owner_.setEnabled(true);
}

void FileCommands::ViewInDefaultBrowser() {
  const QString file = window_.CurrentFile();
  if (!file.isEmpty()) QDesktopServices::openUrl(FileUrl(AbsolutePath(file)));
}

void FileCommands::JumpToCurrentFolder() {
  const QString file = window_.CurrentFile();
  if (file.isEmpty()) return;
  if (KindOf(FolderOfPath(AbsolutePath(file))) == FileKind::kDirectory)
    window_.JumpToFileAndFolder(file);
  else
    parts_.prompter.Information(QStringLiteral("Folder \"") + PrintableName(file) +
                                QStringLiteral("\" not found."));
}

void FileCommands::LaunchApplication(int k) {
  const QString file = window_.CurrentFile();
  if (file.isEmpty()) return;
  const int answer = window_.AskSaveChanges();
  if (answer == kAnswerCancel) return;
  if (answer == kAnswerNo) window_.RefreshPreview(true);
  LaunchExternal(parts_.settings.Applications[k], file);
}

void FileCommands::OpenCurrentInViewer() {
  const QString file = window_.CurrentFile();
  if (file.isEmpty()) return;
  if (window_.ActivePage() != kFolderViewPage) {
    // The viewer shows this file: the editor's unsaved text of another one is asked about.
    if (file != parts_.state.EditorFile && window_.AskSaveChanges() == kAnswerCancel) return;
    window_.RefreshPreview(false);
  }
  if (parts_.state.BrowserBusy) return;
  parts_.state.ViewerOpen = true;
  window_.ShowViewerModal();
  parts_.state.ViewerOpen = false;
  parts_.preview.ApplyToggle();
}

void FileCommands::RereadFolder() {
  QListWidget* list = parts_.folderView.fileList();
  const int row = list->currentRow();
  ShowFolderAgain();
  if (row >= 0 && row < parts_.folderView.ItemCount())
    list->setCurrentRow(row, QItemSelectionModel::NoUpdate);
}

void FileCommands::DeleteSelection() {
  PageList* page = window_.CurrentPageList();
  if (!page) return;
  const DeleteOutcome outcome =
      DeleteSelectedFiles(*page, parts_.panel.Folder(), parts_.settings, parts_.prompter);
  if (!outcome.confirmed) return;
  switch (window_.ActivePage()) {
    case kFolderViewPage: {
      ShowFolderAgain();
      parts_.preview.RefreshNow(false);
      const int last = parts_.folderView.ItemCount() - 1;
      if (last >= 0)
        parts_.folderView.fileList()->setCurrentRow(qMin(outcome.lastDeletedIndex, last),
                                                    QItemSelectionModel::ClearAndSelect);
      SyncThumbCount();
      break;
    }
    case kThumbnailViewPage:
      ShowFolderAgain();
      SyncThumbCount();
      break;
    case kFileListsPage:
      parts_.fileLists.AfterFilesDeleted(outcome);
      if (outcome.anyInShownFolder) {
        ShowFolderAgain();
        SyncThumbCount();
      }
      break;
  }
  window_.RefreshStatus();
}

void FileCommands::CopySelection() {
  PageList* page = window_.CurrentPageList();
  if (!page) return;
  const CopyOutcome outcome = CopySelectedFiles(*page, parts_.panel.Folder(), parts_.settings,
                                                parts_.prompter, parts_.progress);
  owner_.setEnabled(true);
  if (outcome.singleTargetInShownFolder) {
    window_.RereadFolderAndSelect(NameOfPath(outcome.singleTarget));
    SyncThumbCount();
  }
}

void FileCommands::HandleDroppedFiles(const QStringList& files) {
  if (files.isEmpty()) return;
  droppedNames_ = files;
  owner_.raise();
  owner_.activateWindow();
  const QString first = LongPathOf(files.first());
  const FileKind kind = KindOf(first);
  if (kind == FileKind::kOther) {
    // Named like a page but a FIFO or device: it would never be listed or loaded.
    parts_.prompter.Beep();
    parts_.prompter.Information(PrintableName(first) + QStringLiteral(" is not a regular file"));
    return;
  }
  if (MatchesPatternList(first, QString::fromLatin1(kAcceptedTypes)) &&
      kind != FileKind::kDirectory) {
    window_.JumpToFileAndFolder(first);
    return;
  }
  parts_.prompter.Beep();
  parts_.prompter.Information(FileNotAcceptedMessage(first));
}

}  // namespace vistrel
