#pragma once

#include <QString>

namespace vistrel {

class PageList;

// How many files the active page holds and has selected.
struct SelectionInfo {
  int page = 0;
  int selected = 0;
  int total = 0;
};

// What the preview and the command classes ask back of the main window. The calls that reach
// the viewer window pass through here, so that tests can watch them instead.
class WindowLink {
 public:
  virtual ~WindowLink() = default;
  // The current file of the active page.
  virtual QString CurrentFile() const = 0;
  virtual int ActivePage() const = 0;
  virtual SelectionInfo CurrentSelection() const = 0;
  // The active page's items; null while the page holds none.
  virtual PageList* CurrentPageList() const = 0;
  // Offers to save the editor's changes; returns the answer (kAnswerNone when none pend).
  virtual int AskSaveChanges() = 0;
  virtual void RefreshStatus() = 0;
  // Shows the file's folder in the Folder View and selects the file.
  virtual void JumpToFileAndFolder(const QString& file) = 0;
  virtual void RereadFolderAndSelect(const QString& name) = 0;
  // The viewer window, modal, on the current file.
  virtual void ShowViewerModal() = 0;
  // The current file into the preview; force reloads the one already shown.
  virtual void RefreshPreview(bool force) = 0;
};

}  // namespace vistrel
