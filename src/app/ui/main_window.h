#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "core/program_folder.h"
#include "app/viewer/viewer_host.h"
#include "app/ui/main_menu.h"
#include "core/main_window_state.h"
#include "settings/ini_profile.h"
#include "settings/program_settings.h"

class QLabel;
class QProgressBar;
class QSplitter;

namespace vistrel {

class FolderPanel;
class FolderViewPage;
class PageList;
class BrowserProfile;
class FileListsPage;
class OffscreenCapture;
class ThumbCache;
class ThumbnailPage;
class ThumbStore;
class PopupMenu;
class ProgressWindow;
class ViewerWindow;
class PageSwitcher;
class Prompter;

struct SelectionInfo {
  int page = 0;
  int selected = 0;
  int total = 0;
};

// The main window: assembles the left panel, the three pages, the hint line and the menus,
// owns the shared state and the settings record, and keeps the status texts current.
class MainWindow : public QMainWindow, public ViewerHost {
  Q_OBJECT
 public:
  static constexpr const char* kTitle = " Vistrel v1.0a ";

  MainWindow(const WorkingFolders& folders, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;  // writes the settings file

  // The viewer window owns the browser and the editor this window previews with.
  void AttachViewer(ViewerWindow* viewer, BrowserProfile& profile);
  // The "&Help" and "&Options" windows that need the browser.
  class HelpWindow* OpenHelp();
  void OpenAbout();
  void OpenBrowserSettings();
  static constexpr const char* kHomepage = "https://vistrel.org/";
  ViewerWindow* viewer() const { return viewer_; }

  // Operations the pages and dialogs call.
  QString CurrentFile() const override;
  SelectionInfo CurrentSelection() const;
  void RefreshStatus() override;
  int AskSaveChanges() override;
  void JumpToFileAndFolder(const QString& file);
  void PlacePreviewControl(const QString& control, const QString& place);
  void ReturnPreviewControls() override;
  void ApplyPreviewToggle();
  void CheckChangedFile();  // run when the program becomes active again
  // Closes the window without a question about unsaved changes being answered by a user
  // (logout or a termination signal): unsaved editor text is kept out of the way, not saved.
  void CloseOrderly();
  // "&General Options": edits the settings and applies the switches at once on OK.
  void OpenGeneralOptions();
  // Caption of the pop-up item that launches external application k (0..5).
  QString LaunchCaption(int k) const;
  PopupMenu* popupMenu() const { return popup_; }
  // The pop-up menu's commands on the current file.
  void ViewInDefaultBrowser();
  void JumpToCurrentFolder();
  void LaunchApplication(int k);  // 0..5
  // Double click or Enter on a page's list: opens the viewer window on the current file.
  void OpenCurrentInViewer();
  // Delete key and "Copy file(s) to": on the selection of the active page.
  void DeleteSelectedFilesCommand();
  void CopySelectedFilesCommand();
  // Re-reads the folder view's list (after files were added or removed).
  void RereadFolder();
  FileListsPage* fileListsPage() const { return fileLists_; }
  ThumbnailPage* thumbnailPage() const { return thumbs_; }
  void SyncThumbCount();
  // "Make/Update Thumbnail(s)" and "Clear Thumbnail(s)" on the active page's selection.
  void MakeOrClearThumbs(bool make);
  // "&Create Snapshot(s)" (menu and pop-up item) and the viewer's Snap View button.
  void CreateSnapshots();
  void SnapViewerPage() override;
  ProgressWindow* progressWindow() const { return progressWindow_; }
  // Runs before a new current file is previewed: the old one may be saved first.
  void OnFileListMoved();
  bool HintsShown() const;
  // Files dropped onto the window: only the first counts.
  void HandleDroppedFiles(const QStringList& files);
  // The parameters the program was started with (program name not included).
  void SetCommandLine(const QStringList& parameters) { commandLine_ = parameters; }

  // The shared browser and editor, lent by the viewer window; null until they exist.
  void SetPreviewControls(QWidget* browser, QWidget* editor);

  MainWindowState& state() { return state_; }
  ProgramSettings& settings() { return settings_; }
  const WorkingFolders& folders() const { return folders_; }
  Prompter& prompter() { return prompter_; }
  MainMenu& menu() { return *menu_; }
  FolderPanel* folderPanel() const { return folderPanel_; }
  FolderViewPage* folderViewPage() const { return folderView_; }
  PageSwitcher* pages() const { return pages_; }
  PageList* PageListOf(int page) const;
  QString HintText() const;
  void SetHint(const QString& text) override;
  // ShellHost
  QString CurrentMask() const override;
  int FolderEntryCount() const override;
  QString FolderEntryName(int index) const override;
  bool StartingUp() const override;
  void SetProgress(int value) override;
  // ViewerHost
  int ActivePage() const override;
  void SetPreviewSaveButtons(bool save, bool saveAs) override;
  QString ShownFolder() const override;
  void RereadFolderAndSelect(const QString& name) override;
  QRect MainGeometry() const override { return geometry(); }
  QMenu* FilePopupMenu() const override;

  // The preview: the current file into the browser and the editor, its thumbnail beside.
  void RefreshPreviewNow(bool force);
  void ClearPreviewNow();
  void ShowThumbCorner(const QString& file) override;
  QProgressBar* progressBar() const { return progress_; }
  const QStringList& tagHints() const { return tagHints_; }
  bool SaveSettingsNow(QString* error = nullptr);

 Q_SIGNALS:
  // The General Options were confirmed: hints, icons and colouring may have changed.
  void OptionsChanged();

 protected:
  // What the window asks of the viewer that owns the browser and the editor; nothing until
  // one is attached.
  virtual void ShowViewerModal();
  virtual void SaveEditorFile();
  virtual void RefreshPreview(bool force);
  void ClearPreview();
  // Where a page's thumbnail lies; none before the thumbnail page exists.
  QString ThumbOfPage(const QString& page) const;

  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildLayout();
  void FirstShow();
  void OnActivated();
  bool MayLeavePage(int from, int to);
  void OnPageChanged(int page);
  void OnFolderChanged(const QString& folder);
  void OnPatternsChanged(const QString& patterns);
  void ApplyHints();
  void BuildPopupMenu();
  void AttachPopup(QWidget* widget);
  void BuildThumbnailPage(BrowserProfile& profile);
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
  QPointer<QWidget> browser_;
  QPointer<QWidget> editor_;
  QStringList tagHints_;
  QStringList commandLine_;
  QStringList droppedNames_;
  class TooltipSwitch* tooltips_ = nullptr;
  PopupMenu* popup_ = nullptr;
  ViewerWindow* viewer_ = nullptr;
  BrowserProfile* profile_ = nullptr;
  FileListsPage* fileLists_ = nullptr;
  ThumbnailPage* thumbs_ = nullptr;
  std::unique_ptr<ThumbCache> thumbCache_;
  std::unique_ptr<OffscreenCapture> capture_;
  std::unique_ptr<ThumbStore> thumbStore_;
  ProgressWindow* progressWindow_ = nullptr;
  bool shownOnce_ = false;
  bool closingBySignal_ = false;
};

}  // namespace vistrel
