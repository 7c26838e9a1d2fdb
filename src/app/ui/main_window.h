#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "app/ui/main_menu.h"
#include "app/ui/window_link.h"
#include "app/viewer/viewer_host.h"
#include "core/main_window_state.h"
#include "core/program_folder.h"
#include "settings/ini_profile.h"
#include "settings/program_settings.h"

class QLabel;
class QProgressBar;
class QSplitter;

namespace vistrel {

class BrowserProfile;
class FileCommands;
class FileListsPage;
class FolderPanel;
class FolderViewPage;
class OffscreenCapture;
class PageSwitcher;
class PopupMenu;
class PreviewController;
class ProgressWindow;
class Prompter;
class ThumbCache;
class ThumbnailPage;
class ThumbStore;
class TooltipSwitch;
class ViewerWindow;
class WindowCommands;

// The main window: assembles the left panel, the three pages, the hint line and the menus,
// ties them to the preview and the commands, owns the shared state and the settings record,
// and keeps the status texts current.
class MainWindow : public QMainWindow, public ViewerHost, public WindowLink {
  Q_OBJECT
 public:
  static constexpr const char* kTitle = " Vistrel v1.0a ";

  MainWindow(const WorkingFolders& folders, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;  // writes the settings file

  // The viewer window owns the browser and the editor this window previews with.
  void AttachViewer(ViewerWindow* viewer, BrowserProfile& profile);
  // The parameters the program was started with (program name not included).
  void SetCommandLine(const QStringList& parameters) { commandLine_ = parameters; }
  // Closes the window without a question about unsaved changes being answered by a user
  // (logout or a termination signal): a running batch stops, the settings are written.
  void CloseOrderly();
  bool SaveSettingsNow(QString* error = nullptr);

  // The parts the window is assembled from.
  PreviewController& preview() { return *preview_; }
  FileCommands& fileCommands() { return *fileCommands_; }
  WindowCommands& windowCommands() { return *windowCommands_; }
  MainWindowState& state() { return state_; }
  ProgramSettings& settings() { return settings_; }
  const WorkingFolders& folders() const { return folders_; }
  MainMenu& menu() { return *menu_; }
  FolderPanel* folderPanel() const { return folderPanel_; }
  FolderViewPage* folderViewPage() const { return folderView_; }
  FileListsPage* fileListsPage() const { return fileLists_; }
  ThumbnailPage* thumbnailPage() const { return thumbs_; }
  PageSwitcher* pages() const { return pages_; }
  PopupMenu* popupMenu() const { return popup_; }
  ViewerWindow* viewer() const { return viewer_; }
  ProgressWindow& progressWindow() const { return *progressWindow_; }

  // The status: hint line, tab captions, tooltips.
  QString HintText() const;
  bool HintsShown() const;
  // Runs before a new current file is previewed: the old one may be saved first.
  void OnFileListMoved();

  // ShellHost, ViewerHost and WindowLink
  QString ShownFolder() const override;
  QString CurrentMask() const override;
  int FolderEntryCount() const override;
  QString FolderEntryName(int index) const override;
  QString CurrentFile() const override;
  void ShowThumbCorner(const QString& file) override;
  void RefreshStatus() override;
  bool StartingUp() const override;
  void SetProgress(int value) override;
  int AskSaveChanges() override;
  void ReturnPreviewControls() override;
  int ActivePage() const override;
  void SetHint(const QString& text) override;
  void SetPreviewSaveButtons(bool save, bool saveAs) override;
  void RereadFolderAndSelect(const QString& name) override;
  QRect MainGeometry() const override { return geometry(); }
  QMenu* FilePopupMenu() const override;
  void SnapViewerPage() override;
  void ShowRunProgress(qint64 range, qint64 position) override;
  SelectionInfo CurrentSelection() const override;
  PageList* CurrentPageList() const override;
  void JumpToFileAndFolder(const QString& file) override;

 Q_SIGNALS:
  // The window accepted a close request: the program ends.
  void Closed();

 protected:
  // What the window asks of the viewer that owns the browser and the editor; nothing until
  // one is attached.
  void ShowViewerModal() override;
  virtual void SaveEditorFile();
  void RefreshPreview(bool force) override;

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildLayout();
  void BuildPageConnections();
  void BuildThumbnailPage(BrowserProfile& profile);
  void BuildPopupMenu();
  void AttachPopup(QWidget* widget);
  void FirstShow();
  void PlaceOnScreen();
  void OnActivated();
  bool MayLeavePage(int from, int to);
  void OnPageChanged(int page);
  void OnFolderChanged(const QString& folder);
  void OnPatternsChanged(const QString& patterns);
  bool EditorHoldsChanges() const;
  void DropEditorChanges();
  // After a cancelled change: the entry of the editor's file is current again.
  void KeepEditorEntry();
  void ApplyHints();
  void ApplyOptions();
  void SyncThumbCount();
  PageList* PageListOf(int page) const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  WorkingFolders folders_;
  Prompter& prompter_;
  IniProfile ini_;
  ProgramSettings settings_;
  MainWindowState state_;
  std::unique_ptr<MainMenu> menu_;
  QLabel* hint_ = nullptr;
  QProgressBar* progress_ = nullptr;
  FolderPanel* folderPanel_ = nullptr;
  PageSwitcher* pages_ = nullptr;
  QSplitter* work_ = nullptr;
  FolderViewPage* folderView_ = nullptr;
  QStringList tagHints_;
  QStringList commandLine_;
  TooltipSwitch* tooltips_ = nullptr;
  PopupMenu* popup_ = nullptr;
  ViewerWindow* viewer_ = nullptr;
  FileListsPage* fileLists_ = nullptr;
  ThumbnailPage* thumbs_ = nullptr;
  std::unique_ptr<ProgressWindow> progressWindow_;
  std::unique_ptr<ThumbCache> thumbCache_;
  std::unique_ptr<OffscreenCapture> capture_;
  std::unique_ptr<ThumbStore> thumbStore_;
  std::unique_ptr<PreviewController> preview_;
  std::unique_ptr<FileCommands> fileCommands_;
  std::unique_ptr<WindowCommands> windowCommands_;
  bool shownOnce_ = false;
  bool closingBySignal_ = false;
};

}  // namespace vistrel
