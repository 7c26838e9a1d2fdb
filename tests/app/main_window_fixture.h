#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <memory>

#include "core/program_folder.h"
#include "app/ui/folder_view_page.h"
#include "app/ui/main_window.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace vistrel::testing {

// The main window with its calls to the viewer observable: a test that sets one of the
// functions sees the call instead of the viewer.
class ObservedMainWindow : public MainWindow {
 public:
  using MainWindow::MainWindow;
  std::function<void()> onShowViewerModal;
  std::function<void()> onSaveEditorFile;
  std::function<void(bool force)> onRefreshPreview;

 protected:
  void ShowViewerModal() override {
    if (onShowViewerModal)
      onShowViewerModal();
    else
      MainWindow::ShowViewerModal();
  }
  void SaveEditorFile() override {
    if (onSaveEditorFile)
      onSaveEditorFile();
    else
      MainWindow::SaveEditorFile();
  }
  void RefreshPreview(bool force) override {
    if (onRefreshPreview)
      onRefreshPreview(force);
    else
      MainWindow::RefreshPreview(force);
  }
};

// A main window over a temporary program folder, shown and activated as at program start.
class MainWindowTest : public ::testing::Test {
 protected:
  void Start() {
    folders_ = WorkingFolders::For(dir_.path() + QStringLiteral("prog"));
    window_ = std::make_unique<ObservedMainWindow>(folders_, prompter_);
    window_->show();
    Activate();
  }
  void Activate() {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window_.get(), &activate);
  }
  // Destroys the window, which writes the settings file.
  void Stop() { window_.reset(); }

  QListWidget* FileList() const { return window_->folderViewPage()->fileList(); }
  void Select(std::initializer_list<int> rows) {
    FileList()->clearSelection();
    for (int row : rows) FileList()->item(row)->setSelected(true);
    if (rows.size() > 0) FileList()->setCurrentRow(*rows.begin(), QItemSelectionModel::Select);
    window_->RefreshStatus();
  }
  // Marks the editor as holding unsaved changes of file.
  void EditorHoldsChangesOf(const QString& file) {
    window_->state().EditorFile = file;
    window_->folderViewPage()->saveButton()->setEnabled(true);
  }

  TempFolder dir_;
  WorkingFolders folders_;
  ScriptedPrompter prompter_;
  std::unique_ptr<ObservedMainWindow> window_;
};

}  // namespace vistrel::testing
