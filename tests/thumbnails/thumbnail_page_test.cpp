#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <memory>

#include <sys/stat.h>

#include "app/ui/progress_window.h"
#include "core/render_guard.h"
#include "render/browser_profile.h"
#include "fake_shell.h"
#include "scripted_prompter.h"
#include "settings/program_settings.h"
#include "thumb_fixture.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_commands.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumbnail_delegate.h"
#include "thumbnails/thumbnail_list_view.h"
#include "thumbnails/thumbnail_model.h"
#include "thumbnails/thumbnail_page.h"

namespace vistrel {
namespace {

using testing::FakeShell;
using testing::NearColour;
using testing::ScriptedPrompter;
using testing::TempFolder;
using testing::WriteThumbJpeg;

// The real progress window, stopped as a user would (Esc released) once `after` items are
// done.
class StoppingProgress : public BatchProgress {
 public:
  StoppingProgress(ProgressWindow& window, int after) : window_(window), after_(after) {}
  void Begin(int maximum) override { window_.Begin(maximum); }
  void SetText(const QString& text) override {
    texts << text;
    window_.SetText(text);
  }
  void Step() override {
    window_.Step();
    if (++steps_ == after_) {
      QApplication::postEvent(&window_,
                              new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
    }
  }
  bool AbortRequested() override { return window_.AbortRequested(); }
  void End() override { window_.End(); }
  QStringList texts;

 private:
  ProgressWindow& window_;
  int after_;
  int steps_ = 0;
};

// The page over a real folder of pages, with the folder view's list played by names_.
class ThumbnailPageTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() { profile_ = std::make_unique<BrowserProfile>(); }
  static void TearDownTestSuite() { profile_.reset(); }

 protected:
  ThumbnailPageTest()
      : folders_(WorkingFolders::For(home_.path())),
        cache_(200),
        capture_(*profile_),
        store_(folders_.thumbs, cache_, capture_.AsPageCapture()),
        window_(abort_),
        progress_(window_, 3) {
    window_.SetBatchOwner(&owner_);
  }

  void MakePage(bool stopAfterThree = false) {
    shell_.folder = pages_.path();
    shell_.currentFile = [this] { return page_->CurrentFile(); };
    BatchProgress& progress = stopAfterThree ? static_cast<BatchProgress&>(progress_) : window_;
    page_ = std::make_unique<ThumbnailPage>(settings_, prompter_, folders_, progress, store_,
                                            shell_, &owner_);
    page_->SetBaseIndex(0);
    page_->SyncThumbCount();
  }
  void AddPages(int count) {
    for (int i = 0; i < count; ++i) {
      const QString name = QStringLiteral("p%1.htm").arg(i);
      pages_.Write(name, "<html><body style='margin:0;background:#00ff00'></body></html>");
      names_ << name;
    }
  }
  void Select(const QList<int>& rows) {
    auto* selection = page_->listView()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
      selection->select(page_->model().index(row, 0), QItemSelectionModel::Select);
  }
  QImage PaintItem(int row, bool selected) {
    QStyleOptionViewItem option;
    option.initFrom(page_->listView());
    option.font = page_->listView()->font();
    option.rect = QRect(QPoint(0, 0), ThumbnailDelegate::CellSize(option.font));
    option.state =
        selected ? QStyle::State_Selected | QStyle::State_Enabled : QStyle::State_Enabled;
    QImage image(option.rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page_->delegate().paint(&painter, option, page_->model().index(row, 0));
    return image;
  }
  QRect Picture() const { return ThumbnailDelegate::PictureRect(QRect(0, 0, 1000, 1000), 8); }

  static std::unique_ptr<BrowserProfile> profile_;
  TempFolder home_;
  TempFolder pages_;
  WorkingFolders folders_;
  ProgramSettings settings_;
  ScriptedPrompter prompter_;
  ThumbCache cache_;
  OffscreenCapture capture_;
  ThumbStore store_;
  bool abort_ = false;
  QWidget owner_;
  ProgressWindow window_;
  StoppingProgress progress_;
  FakeShell shell_;
  QStringList& names_ = shell_.names;
  QStringList& corner_ = shell_.corner;
  int& statusRefreshes_ = shell_.statusRefreshes;
  std::unique_ptr<ThumbnailPage> page_;
};
std::unique_ptr<BrowserProfile> ThumbnailPageTest::profile_;

TEST_F(ThumbnailPageTest, ItemsStandForTheFileListEntries) {
  names_ << QStringLiteral("a.htm") << QStringLiteral("logo.gif") << QStringLiteral("c.jpeg");
  MakePage();
  QAbstractItemModelTester tester(&page_->model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(page_->ItemCount(), 3);
  EXPECT_EQ(page_->model().index(1, 0).data().toString(), QStringLiteral("2: logo.gif"));
  EXPECT_EQ(page_->model().index(1, 0).data(ThumbnailModel::kImageIndexRole).toInt(), -1);

  Select({1});
  EXPECT_EQ(page_->SelectedCount(), 1);
  EXPECT_EQ(page_->CurrentFile(), pages_.path() + QStringLiteral("logo.gif"));
  EXPECT_EQ(page_->FileOfItem(1, true), pages_.path() + QStringLiteral("logo.gif"));
  EXPECT_EQ(page_->FileOfItem(2, true), QString());
  EXPECT_EQ(page_->FileOfItem(2, false), pages_.path() + QStringLiteral("c.jpeg"));
  EXPECT_EQ(page_->FileOfItem(3, false), QString());

  // The file list shrank (a new filter) but the grid was not synchronised yet: no crash,
  // empty answers; then the count follows.
  names_.removeLast();
  EXPECT_EQ(page_->FileOfItem(2, false), QString());
  EXPECT_EQ(page_->model().Caption(2), QStringLiteral("3: "));
  page_->SyncThumbCount();
  EXPECT_EQ(page_->ItemCount(), 2);
}

TEST_F(ThumbnailPageTest, EnteringSelectsTheFirstItemAndShowsItsCorner) {
  names_ << QStringLiteral("a.htm") << QStringLiteral("b.htm");
  MakePage();
  page_->EnterPage();
  EXPECT_EQ(page_->SelectedCount(), 1);
  EXPECT_TRUE(page_->IsSelected(0));
  EXPECT_EQ(corner_, QStringList({pages_.path() + QStringLiteral("a.htm")}));
}

TEST_F(ThumbnailPageTest, TypingFindsTheNextNameInAnyCaseAndWraps) {
  names_ << QStringLiteral("index.htm") << QStringLiteral("about.htm")
         << QStringLiteral("Intro.htm");
  MakePage();
  EXPECT_EQ(page_->model().FindByText(QStringLiteral("IN"), 1, false), 2);
  EXPECT_EQ(page_->model().FindByText(QStringLiteral("ind"), 1, false), -1);
  EXPECT_EQ(page_->model().FindByText(QStringLiteral("ind"), 1, true), 0);
  EXPECT_EQ(page_->model().FindByText(QStringLiteral("x"), 0, true), -1);

  page_->listView()->setCurrentIndex(page_->model().index(0, 0));
  page_->listView()->keyboardSearch(QStringLiteral("IN"));
  EXPECT_EQ(page_->listView()->currentIndex().row(), 2);
}

TEST_F(ThumbnailPageTest, ItemsArePaintedAsDesigned) {
  names_ << QStringLiteral("a.htm") << QStringLiteral("logo.gif") << QStringLiteral("pic.JPEG");
  const QString thumb = ThumbPath(folders_.thumbs, pages_.path(), QStringLiteral("a.htm"));
  WriteThumbJpeg(home_, thumb.mid(home_.path().size()), Qt::magenta);
  MakePage();
  page_->model().CacheHint(0, 2);
  const QRect p = Picture();

  const QImage selected = PaintItem(0, true);
  EXPECT_EQ(QColor(selected.pixel(0, 0)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(selected.pixel(1, 1)), QColor(255, 255, 0));
  EXPECT_EQ(QColor(selected.pixel(3, 3)), QColor(0, 0, 128));
  EXPECT_TRUE(NearColour(selected.pixel(p.center().x(), p.center().y()), Qt::magenta));
  EXPECT_EQ(QColor(selected.pixel(p.left() - 1, p.center().y())), QColor(0, 0, 0));

  // A selected caption is drawn in the system's highlight colours, not cream on yellow.
  const QRect label = ThumbnailDelegate::LabelRect(selected.rect(), 8);
  const QPalette palette = page_->listView()->palette();
  int highlight = 0, yellow = 0;
  for (int y = label.top(); y < label.bottom(); ++y)
    for (int x = label.left(); x < label.right(); ++x) {
      highlight += NearColour(selected.pixel(x, y), palette.color(QPalette::Highlight), 10);
      yellow += NearColour(selected.pixel(x, y), QColor(255, 255, 0), 10);
    }
  EXPECT_GT(highlight, 20);
  EXPECT_EQ(yellow, 0);

  const QImage plain = PaintItem(0, false);
  EXPECT_EQ(QColor(plain.pixel(0, 0)), QColor(128, 128, 128));
  EXPECT_EQ(QColor(plain.pixel(3, 3)), QColor(128, 128, 128));

  // Without a thumbnail: the frame in the type colour and the notice in cream on it.
  const QImage gif = PaintItem(1, false);
  EXPECT_EQ(QColor(gif.pixel(p.left(), p.center().y())), QColor(0, 255, 0));
  int cream = 0;
  for (int y = p.top() + 40; y < p.bottom(); ++y)
    for (int x = p.left() + 1; x < p.right(); ++x)
      cream += NearColour(gif.pixel(x, y), ThumbnailDelegate::kFontColour, 60);
  EXPECT_GT(cream, 20);
  EXPECT_EQ(QColor(PaintItem(2, false).pixel(p.left(), p.center().y())), QColor(255, 255, 0));
}

TEST_F(ThumbnailPageTest, TheBaseSizeBoxSetsTheRenderSize) {
  MakePage();
  page_->SetBaseIndex(6);
  EXPECT_EQ(store_.RenderSize(), QSize(1600, 1200));
  EXPECT_EQ(page_->baseBox()->currentText(), QStringLiteral("Thumbs Base: 1600x1200"));
  page_->baseBox()->setCurrentIndex(2);
  EXPECT_EQ(settings_.THUMB_BASEIDX, 2);
  EXPECT_EQ(store_.RenderSize(), QSize(480, 360));
  page_->SetBaseIndex(9);
  EXPECT_EQ(page_->baseBox()->currentIndex(), -1);
  EXPECT_EQ(settings_.THUMB_BASEIDX, -1);
  EXPECT_EQ(store_.RenderSize(), QSize(480, 360));
  EXPECT_EQ(page_->baseBox()->count(), 7);
}

TEST_F(ThumbnailPageTest, NothingSelectedIsRefusedWithAMessage) {
  MakePage();
  page_->makeButton()->click();
  page_->clearButton()->click();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList({QStringLiteral("Cannot create thumbnail.\r\nNo file(s) selected ..."),
                         QStringLiteral("Cannot clear thumbnail.\r\nNo file(s) selected ...")}));
}

TEST_F(ThumbnailPageTest, SelectAllAndMakeThumbsWritesEveryThumbnail) {
  AddPages(4);
  MakePage();
  page_->selectAllButton()->click();
  EXPECT_EQ(page_->SelectedCount(), 4);
  EXPECT_EQ(statusRefreshes_, 1);
  page_->makeButton()->click();
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(QFileInfo::exists(store_.ThumbOf(page_->FileOfItem(i, false)))) << i;
    EXPECT_NE(page_->model().ImageIndex(i), -1) << i;  // shown once written
  }
  EXPECT_TRUE(owner_.isEnabled());
  EXPECT_FALSE(window_.isVisible());

  page_->clearButton()->click();
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(QFileInfo::exists(store_.ThumbOf(page_->FileOfItem(i, false)))) << i;
    EXPECT_EQ(page_->model().ImageIndex(i), -1) << i;
  }
}

TEST_F(ThumbnailPageTest, StoppingABatchOfTenAfterTheThirdKeepsThreeThumbnails) {
  AddPages(10);
  MakePage(/*stopAfterThree=*/true);
  page_->SelectAll();
  page_->MakeOrClearSelection(*page_, true);
  EXPECT_EQ(progress_.texts.size(), 3);
  EXPECT_EQ(progress_.texts.first(),
            QStringLiteral("(1 of 10): ") + pages_.path() + QStringLiteral("p0.htm"));
  int made = 0;
  for (int i = 0; i < 10; ++i)
    made += QFileInfo::exists(store_.ThumbOf(page_->FileOfItem(i, false)));
  EXPECT_EQ(made, 3);
  EXPECT_TRUE(owner_.isEnabled());
  EXPECT_FALSE(window_.isVisible());
}

TEST_F(ThumbnailPageTest, MakeOrClearInsideARunningRenderIsRefusedWithAHint) {
  AddPages(2);
  MakePage();
  Select({0, 1});
  const QString thumb = store_.ThumbOf(page_->FileOfItem(0, false));
  QStringList hints;
  RenderGuard& guard = RenderGuard::Shared();
  guard.SetReporter([&](const QString& text) { hints << text; });
  {
    const RenderGuard::Hold running(guard, QStringLiteral("a batch"));
    page_->makeButton()->click();
    page_->clearButton()->click();
  }
  EXPECT_FALSE(QFileInfo::exists(thumb));
  EXPECT_FALSE(window_.isVisible());
  EXPECT_TRUE(owner_.isEnabled());
  EXPECT_EQ(hints, QStringList({QStringLiteral("Make Thumbs not started: a batch is still running "
                                               "(Esc in the progress window stops it)"),
                                QStringLiteral("ClearThumbs not started: a batch is still running "
                                               "(Esc in the progress window stops it)")}));
  // Once it has ended the same button works, and holds the guard while it runs.
  bool heldWhileMaking = false;
  shell_.currentFile = [&] {
    heldWhileMaking = guard.Running() == QStringLiteral("Make Thumbs");
    return page_->CurrentFile();
  };
  Select({0});  // one page: made at once, the corner shown afterwards
  page_->makeButton()->click();
  EXPECT_TRUE(heldWhileMaking);
  EXPECT_FALSE(guard.Busy());
  EXPECT_TRUE(QFileInfo::exists(thumb));
  guard.SetReporter({});
}

TEST_F(ThumbnailPageTest, TheTimeoutFieldEditsTheSettingInSeconds) {
  settings_.RenderTimeout = 7;
  MakePage();
  EXPECT_EQ(page_->timeoutBox()->value(), 7);
  QSignalSpy changed(page_.get(), &ThumbnailPage::RenderTimeoutChanged);
  page_->timeoutBox()->setValue(12);
  EXPECT_EQ(settings_.RenderTimeout, 12);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.first().at(0).toInt(), 12000);
  // Showing the stored value again is no edit.
  settings_.RenderTimeout = 3;
  page_->ShowRenderTimeout();
  EXPECT_EQ(page_->timeoutBox()->value(), 3);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(ThumbnailPageTest, ABatchNamesThePagesThatTimedOutOrGotNoThumbnail) {
  AddPages(1);
  // Never draws: no thumbnail. Draws green, then loops: taken as painted.
  pages_.Write(QStringLiteral("never.htm"),
               "<body style=\"background:#00f\"><script>for(;;){}</script>");
  pages_.Write(QStringLiteral("hangs.htm"),
               "<body style='margin:0;background:#0f0'><p>x</p><script>"
               "requestAnimationFrame(() => requestAnimationFrame(() => "
               "requestAnimationFrame(() => {for(;;){}})));</script>");
  const QString fifo = pages_.path() + QStringLiteral("pipe.htm");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  names_ << QStringLiteral("never.htm") << QStringLiteral("hangs.htm")
         << QStringLiteral("pipe.htm");
  MakePage();
  page_->SelectAll();
  vistrel::MakeOrClearSelection(store_, prompter_, window_, *page_, true, {}, 1500);
  EXPECT_TRUE(QFileInfo::exists(store_.ThumbOf(page_->FileOfItem(0, false))));
  EXPECT_FALSE(QFileInfo::exists(store_.ThumbOf(pages_.path() + QStringLiteral("never.htm"))));
  EXPECT_TRUE(QFileInfo::exists(store_.ThumbOf(pages_.path() + QStringLiteral("hangs.htm"))));
  EXPECT_FALSE(QFileInfo::exists(store_.ThumbOf(fifo)));
  // Whether hangs.htm answered before its script took over depends on the engine's frames;
  // taken at the timeout, it is named first.
  const QString failed = QStringLiteral("No thumbnail made for:\r\n") + pages_.path() +
                         QStringLiteral(
                             "never.htm: painted nothing of its own before the "
                             "timeout\r\n") +
                         fifo + QStringLiteral(": not a regular file");
  const QString timedOut = QStringLiteral("Taken as painted when the timeout came:\r\n") +
                           pages_.path() + QStringLiteral("hangs.htm\r\n\r\n");
  const QStringList told = prompter_.TakeTexts();
  ASSERT_EQ(told.size(), 1);
  EXPECT_TRUE(told.first() == failed || told.first() == timedOut + failed)
      << told.first().toStdString();
  EXPECT_FALSE(window_.isVisible());

  // One page alone: the FIFO is named, never opened.
  Select({3});
  page_->MakeOrClearSelection(*page_, true);
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{fifo + QStringLiteral(" is not a regular file")});
}

TEST_F(ThumbnailPageTest, OneSelectedItemIsMadeWithoutTheProgressWindow) {
  AddPages(2);
  MakePage();
  Select({1});
  page_->MakeOrClearSelection(*page_, true);
  const QString thumb = store_.ThumbOf(page_->FileOfItem(1, false));
  ASSERT_TRUE(QFileInfo::exists(thumb));
  EXPECT_EQ(corner_.last(), pages_.path() + QStringLiteral("p1.htm"));
  const QRect p = Picture();
  EXPECT_TRUE(NearColour(PaintItem(1, true).pixel(p.center().x(), p.center().y()), Qt::green));
}

TEST_F(ThumbnailPageTest, KeysOpenDeleteAndSelectAll) {
  AddPages(3);
  MakePage();
  Select({0});
  QSignalSpy open(page_.get(), &ThumbnailPage::OpenFileRequested);
  QSignalSpy remove(page_.get(), &ThumbnailPage::DeleteRequested);
  QWidget* view = page_->listView();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(view, &enter);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(view, &del);
  EXPECT_EQ(open.count(), 1);
  EXPECT_EQ(remove.count(), 1);

  corner_.clear();
  QKeyEvent ctrlA(QEvent::KeyRelease, Qt::Key_A, Qt::ControlModifier);
  QApplication::sendEvent(view, &ctrlA);
  EXPECT_EQ(page_->SelectedCount(), 3);
  EXPECT_EQ(corner_, QStringList({QString()}));  // no single current file now
  EXPECT_GE(statusRefreshes_, 2);
}

TEST_F(ThumbnailPageTest, RemovingThumbsReportsAndStopsValidation) {
  settings_.DoValidate = true;
  MakePage();
  const RemoveThumbsResult result = page_->RemoveThumbs(true);
  EXPECT_EQ(result.removed, 0);
  EXPECT_FALSE(settings_.DoValidate);
  EXPECT_EQ(prompter_.TakeTexts(), QStringList({QStringLiteral("0 thumbnails removed.")}));
}

}  // namespace
}  // namespace vistrel
