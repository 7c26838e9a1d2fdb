#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "app/ui/progress_window.h"
#include "core/page_list.h"
#include "core/render_guard.h"
#include "main_window_fixture.h"

namespace vistrel {
namespace {

// A page of five items, some selected.
class FakePage : public PageList {
 public:
  explicit FakePage(std::vector<int> selected) : selected_(std::move(selected)) {}
  int ItemCount() const override { return 5; }
  int SelectedCount() const override { return static_cast<int>(selected_.size()); }
  bool IsSelected(int i) const override {
    return std::find(selected_.begin(), selected_.end(), i) != selected_.end();
  }
  QString FileOfItem(int i, bool onlySelected) const override {
    if (i < 0 || i >= 5 || (onlySelected && !IsSelected(i))) return {};
    return QStringLiteral("/web/") + QChar(u'a' + i) + QStringLiteral(".htm");
  }
  QString CurrentFile() const override { return {}; }

 private:
  std::vector<int> selected_;
};

struct BatchWindows {
  bool abort = false;
  QWidget owner;
  ProgressWindow progress{abort};
  BatchWindows() {
    progress.SetBatchOwner(&owner);
    owner.show();
  }
};

TEST(RunSelectedBatch, WalksSelectedItemsWithNumberedTexts) {
  BatchWindows w;
  FakePage page({1, 3, 4});
  QStringList texts;
  const int done = RunSelectedBatch(page, w.progress, [&](int index, const QString& path) {
    texts << w.progress.textLine()->text();
    EXPECT_FALSE(w.owner.isEnabled());
    EXPECT_TRUE(w.progress.isVisible());
    EXPECT_EQ(path, page.FileOfItem(index, true));
    return true;
  });
  EXPECT_EQ(done, 3);
  EXPECT_EQ(texts, (QStringList{QStringLiteral("(1 of 3): /web/b.htm"),
                                QStringLiteral("(2 of 3): /web/d.htm"),
                                QStringLiteral("(3 of 3): /web/e.htm")}));
  EXPECT_EQ(w.progress.bar()->value(), 3);
  EXPECT_TRUE(w.owner.isEnabled());
  EXPECT_FALSE(w.progress.isVisible());
}

TEST(RunSelectedBatch, WorkRefusingEndsTheBatchAtOnce) {
  BatchWindows w;
  FakePage page({0, 1, 2});
  int calls = 0;
  RunSelectedBatch(page, w.progress, [&](int, const QString&) { return ++calls < 2; });
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(w.owner.isEnabled());
}

TEST(RunSelectedBatch, WindowIsGivenBackWhenWorkFails) {
  BatchWindows w;
  FakePage page({0, 1});
  EXPECT_THROW(RunSelectedBatch(
                   page, w.progress,
                   [&](int, const QString&) -> bool { throw std::runtime_error("codec failure"); }),
               std::runtime_error);
  EXPECT_TRUE(w.owner.isEnabled());
  EXPECT_FALSE(w.progress.isVisible());
}

TEST(ProgressWindow, EscStopsAfterTheItemInHand) {
  BatchWindows w;
  FakePage page({0, 1, 2, 3, 4});
  int calls = 0;
  RunSelectedBatch(page, w.progress, [&](int, const QString&) {
    if (++calls == 2) QTest::keyRelease(&w.progress, Qt::Key_Escape);
    return true;
  });
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(w.abort);
  EXPECT_TRUE(w.owner.isEnabled());
  EXPECT_FALSE(w.progress.isVisible());

  // The next batch starts afresh: showing the window clears the stop request.
  calls = 0;
  RunSelectedBatch(page, w.progress, [&](int, const QString&) { return ++calls > 0; });
  EXPECT_EQ(calls, 5);
}

TEST(ProgressWindow, LooksAsDesigned) {
  bool abort = false;
  ProgressWindow progress(abort);
  EXPECT_EQ(progress.windowTitle(), QStringLiteral("Vistrel Progress"));
  EXPECT_EQ(progress.size(), QSize(420, 87));
  EXPECT_FALSE(progress.windowFlags() & Qt::WindowCloseButtonHint);
  QTest::mouseClick(progress.stopButton(), Qt::LeftButton);
  EXPECT_TRUE(abort);
}

// The program's own progress window, as the main window builds it.
class ProgramBatchTest : public testing::MainWindowTest {};

TEST_F(ProgramBatchTest, EscAndStopReachTheProgressWindowWhileTheMainWindowIsDisabled) {
  Start();
  ProgressWindow& progress = window_->progressWindow();
  FakePage page({0, 1, 2, 3, 4});
  int calls = 0;
  RunSelectedBatch(page, progress, [&](int, const QString&) {
    EXPECT_FALSE(window_->isEnabled());
    EXPECT_TRUE(progress.isEnabled());
    EXPECT_TRUE(RenderGuard::Shared().Busy());
    // Through the window system, as a user's key press comes.
    if (++calls == 2) QTest::keyClick(progress.windowHandle(), Qt::Key_Escape);
    return true;
  });
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(window_->state().AbortRequested);
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_FALSE(RenderGuard::Shared().Busy());

  calls = 0;
  RunSelectedBatch(page, progress, [&](int, const QString&) {
    if (++calls == 3) QTest::mouseClick(progress.stopButton(), Qt::LeftButton);
    return true;
  });
  EXPECT_EQ(calls, 3);
  EXPECT_FALSE(progress.isVisible());
}

TEST_F(ProgramBatchTest, EscReachesTheProgressWindowOverAModalWindow) {
  Start();
  // The viewer and the snapshot window are shown modally and may start batches.
  QDialog modal(window_.get());
  modal.setWindowModality(Qt::ApplicationModal);
  modal.show();
  ProgressWindow& progress = window_->progressWindow();
  FakePage page({0, 1, 2, 3, 4});
  int calls = 0;
  RunSelectedBatch(page, progress, [&](int, const QString&) {
    if (++calls == 2) QTest::keyClick(progress.windowHandle(), Qt::Key_Escape);
    return true;
  });
  EXPECT_EQ(calls, 2);
  EXPECT_TRUE(window_->state().AbortRequested);
}

}  // namespace
}  // namespace vistrel
