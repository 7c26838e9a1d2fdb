#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace vistrel {

class FolderPanel;
class FolderViewPage;
class Prompter;
class ViewerWindow;
class WindowLink;
struct MainWindowState;

// The Folder View's preview: the current file into the browser and the editor the viewer
// window lends, its thumbnail into the Thumbnail Corner, and the Browser/Editor toggle.
class PreviewController {
 public:
  PreviewController(FolderPanel& panel, FolderViewPage& folderView, MainWindowState& state,
                    Prompter& prompter, WindowLink& window);

  // The viewer window owns the browser and the editor; nothing is previewed before it exists.
  void SetViewer(ViewerWindow* viewer) { viewer_ = viewer; }
  // Where thumbnails lie; empty while the program keeps none.
  void SetThumbFolder(const QString& folder) { thumbFolder_ = folder; }

  // Loads the current file unless it is shown already (force: loads it again).
  void RefreshNow(bool force);
  void ClearNow();
  // The same, doing nothing while no viewer is attached.
  void Refresh(bool force);
  void Clear();
  void ShowThumbCorner(const QString& file);

  // The shared browser and editor; null until they exist.
  void SetControls(QWidget* browser, QWidget* editor);
  // control is "Browser" or "Editor"; place "MainWindow" puts it into the preview area.
  void PlaceControl(const QString& control, const QString& place);
  void ReturnControls();
  void ApplyToggle();
  // Run when the program becomes active again: offers to reload a file changed on disk.
  void CheckChangedFile();

 private:
  // Where a page's thumbnail lies; none while the program keeps no thumbnails.
  QString ThumbOfPage(const QString& page) const;

  FolderPanel& panel_;
  FolderViewPage& folderView_;
  MainWindowState& state_;
  Prompter& prompter_;
  WindowLink& window_;
  ViewerWindow* viewer_ = nullptr;
  QString thumbFolder_;
  QPointer<QWidget> browser_;
  QPointer<QWidget> editor_;
};

}  // namespace vistrel
