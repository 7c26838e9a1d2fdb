#pragma once

#include <QTest>
#include <memory>

#include "app/ui/preview_controller.h"
#include "app/viewer/viewer_window.h"
#include "editor/source_editor.h"
#include "main_window_fixture.h"
#include "render/browser_profile.h"

namespace vistrel::testing {

// The main window with its viewer, as the program assembles them.
class ViewerTest : public MainWindowTest {
 protected:
  static void SetUpTestSuite() { profile_ = new BrowserProfile; }
  static void TearDownTestSuite() {
    delete profile_;
    profile_ = nullptr;
  }
  void StartWithViewer() {
    folders_ = WorkingFolders::For(dir_.path() + QStringLiteral("prog"));
    window_ = std::make_unique<ObservedMainWindow>(folders_, prompter_);
    viewer_ = std::make_unique<ViewerWindow>(window_->settings(), window_->state(), prompter_,
                                             *profile_, *window_, window_.get());
    window_->AttachViewer(viewer_.get(), *profile_);
    window_->show();
    Activate();
  }
  void TearDown() override {
    viewer_.reset();
    window_.reset();
  }
  void Preview(int row) {
    Select({row});
    window_->preview().RefreshNow(false);
  }
  SourceEditor* Editor() const { return viewer_->editor(); }
  void Type(const QString& text) {
    Editor()->setFocus();
    QTest::keyClicks(Editor(), text);
  }

  static inline BrowserProfile* profile_ = nullptr;
  std::unique_ptr<ViewerWindow> viewer_;
};

}  // namespace vistrel::testing
