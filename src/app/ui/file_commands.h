#pragma once

#include <QStringList>

class QWidget;

namespace vistrel {

class BrowserProfile;
class BrowserView;
class FileListsPage;
class FolderPanel;
class FolderViewPage;
class PageList;
class PopupMenu;
class PreviewController;
class ProgressWindow;
class Prompter;
class ThumbnailPage;
class WindowLink;
struct MainWindowState;
struct ProgramSettings;
struct SnapshotRequest;

// What the file commands work on: the main window's record, pages and windows.
struct FileCommandParts {
  ProgramSettings& settings;
  Prompter& prompter;
  MainWindowState& state;
  FolderPanel& panel;
  FolderViewPage& folderView;
  FileListsPage& fileLists;
  ProgressWindow& progress;
  PreviewController& preview;
};

// The commands on the current file or the active page's selection: the pop-up menu's items,
// the Delete key, double click, snapshots and dropped files. owner is the main window, which
// batches disable and dialogs sit on.
class FileCommands {
 public:
  FileCommands(const FileCommandParts& parts, WindowLink& window, QWidget& owner);

  // The Thumbnail View page, once it exists; thumbnail commands do nothing before.
  void SetThumbnails(ThumbnailPage* thumbs) { thumbs_ = thumbs; }
  // The shared browser, once the viewer window exists; snapshots need it.
  void SetBrowser(BrowserProfile& profile, BrowserView& browser);

  // The pop-up menu with its items tied to these commands, child of the owner.
  PopupMenu* BuildPopupMenu();

  // "&Create Snapshot(s)" (menu and pop-up item) and the viewer's Snap View button.
  void CreateSnapshots();
  void SnapViewerPage();
  // "Make/Update Thumbnail(s)" and "Clear Thumbnail(s)" on the active page's selection.
  void MakeOrClearThumbs(bool make);
  // The pop-up menu's commands on the current file.
  void ViewInDefaultBrowser();
  void JumpToCurrentFolder();
  void LaunchApplication(int k);  // 0..5
  // Double click or Enter on a page's list: opens the viewer window on the current file.
  void OpenCurrentInViewer();
  // Delete key and "Copy file(s) to": on the selection of the active page.
  void DeleteSelection();
  void CopySelection();
  // Re-reads the folder view's list (after files were added or removed).
  void RereadFolder();
  // Files dropped onto the window: only the first counts.
  void HandleDroppedFiles(const QStringList& files);
  // The names of the latest drop, as the platform reported them.
  const QStringList& droppedNames() const { return droppedNames_; }

 private:
  void RunSnapshotWindow(const SnapshotRequest& request, const PageList* page,
                         BrowserView* viewerBrowser);
  void SyncThumbCount();
  void ShowFolderAgain();

  FileCommandParts parts_;
  WindowLink& window_;
  QWidget& owner_;
  ThumbnailPage* thumbs_ = nullptr;
  BrowserProfile* profile_ = nullptr;
  BrowserView* browser_ = nullptr;
  QStringList droppedNames_;
};

}  // namespace vistrel
