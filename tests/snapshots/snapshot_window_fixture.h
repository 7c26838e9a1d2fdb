#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QTimer>
#include <QVBoxLayout>
#include <QImage>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "app/ui/progress_window.h"
#include "core/page_list.h"
#include "render/browser_profile.h"
#include "render/browser_view.h"
#include "scripted_prompter.h"
#include "settings/program_settings.h"
#include "temp_folder.h"

namespace vistrel::testing {

// The active page's list as the main window hands it over: real files, some selected.
class ListedPages : public PageList {
 public:
  ListedPages(QStringList files, std::vector<int> selected)
      : files_(std::move(files)), selected_(std::move(selected)) {}
  int ItemCount() const override { return files_.size(); }
  int SelectedCount() const override { return static_cast<int>(selected_.size()); }
  bool IsSelected(int index) const override;
  QString FileOfItem(int index, bool onlySelected) const override;
  QString CurrentFile() const override { return files_.value(0); }

 private:
  QStringList files_;
  std::vector<int> selected_;
};

// The real progress window, with the texts it showed kept and a hook after each step (a
// test presses the stop button there, as a user would during a batch).
class WatchedProgress : public BatchProgress {
 public:
  WatchedProgress() : window_(abort_) {}
  void Begin(int maximum) override { window_.Begin(maximum); }
  void SetText(const QString& text) override;
  void Step() override;
  bool AbortRequested() override { return window_.AbortRequested(); }
  void End() override { window_.End(); }

  ProgressWindow& window() { return window_; }
  QStringList texts;
  std::function<void(int steps)> afterStep;
  int ended() const { return steps_; }

 private:
  bool abort_ = false;
  ProgressWindow window_;
  int steps_ = 0;
};

// The save dialog's request is kept so a test can see the proposed name and folder.
class SavePrompter : public ScriptedPrompter {
 public:
  QString SaveFile(const FileDialogRequest& request) override {
    lastSave = request;
    return ScriptedPrompter::SaveFile(request);
  }
  FileDialogRequest lastSave;
};

// A live browser pane in a window of its own, as the viewer holds it.
struct ShownPane {
  QWidget host;
  QVBoxLayout* layout = nullptr;
  BrowserView* view = nullptr;
};

// One browser profile for the binary, as in the program; pages in a temporary folder.
class SnapshotWindowTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() { profile_ = std::make_unique<BrowserProfile>(); }
  static void TearDownTestSuite() { profile_.reset(); }

 protected:
  static BrowserProfile& Profile() { return *profile_; }
  // A page that is one colour all over.
  QString ColouredPage(const QString& name, const char* colour);
  // A pane of that window size that has loaded page.
  std::unique_ptr<ShownPane> ShowPane(QSize size, const QString& page);

  TempFolder folder_;
  SavePrompter prompter_;
  ProgramSettings program_;

 private:
  static std::unique_ptr<BrowserProfile> profile_;
};

inline QColor PixelAt(const QImage& image, int x, int y) { return QColor(image.pixel(x, y)); }

// Scaling with unnormalised Lanczos weights may move a flat colour by a step or two.
inline bool NearColour(const QColor& actual, const QColor& expected, int tolerance = 3) {
  return qAbs(actual.red() - expected.red()) <= tolerance &&
         qAbs(actual.green() - expected.green()) <= tolerance &&
         qAbs(actual.blue() - expected.blue()) <= tolerance;
}

// Runs act; while it blocks in a modal dialog of type T, answer is called with that dialog.
template <typename T>
void WithModal(const std::function<void()>& act, const std::function<void(T*)>& answer) {
  bool answered = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (answered) return;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
        answered = true;
        answer(dialog);
        return;
      }
    }
  });
  poll.start();
  act();
  poll.stop();
  EXPECT_TRUE(answered) << "the dialog never showed";
}

}  // namespace vistrel::testing
