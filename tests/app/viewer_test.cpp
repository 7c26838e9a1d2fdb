#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "core/program_folder.h"
#include "core/vistrel_error.h"
#include "app/ui/about_window.h"
#include "app/ui/browser_settings_dialog.h"
#include "app/ui/file_commands.h"
#include "app/ui/help_window.h"
#include "app/ui/named_colour_box.h"
#include "app/ui/page_switcher.h"
#include "app/ui/preview_controller.h"
#include "app/ui/status_text.h"
#include "app/ui/window_commands.h"
#include "app/viewer/link_target.h"
#include "app/viewer/viewer_window.h"
#include "editor/source_editor.h"
#include "viewer_fixture.h"
#include "render/browser_profile.h"
#include "render/browser_view.h"
#include "thumbnails/thumb_naming.h"
#include "app/ui/folder_panel.h"
#include "render_fixture.h"

namespace vistrel::testing {
namespace {

TEST(LinkTarget, FragmentsFoldersAndForeignAddresses) {
  EXPECT_EQ(WithoutFragment(QStringLiteral("page.htm#part")), QStringLiteral("page.htm"));
  EXPECT_EQ(WithoutFragment(QStringLiteral("#part")), QString());
  EXPECT_EQ(WithoutFragment(QStringLiteral("a#b#c")), QStringLiteral("a"));
  EXPECT_EQ(LinkedFile(QStringLiteral("/site/index.htm"), QStringLiteral("page.htm#part")),
            QStringLiteral("/site/page.htm"));
  EXPECT_EQ(LinkedFile(QStringLiteral("/site/index.htm"), QStringLiteral("#part")), QString());
  EXPECT_EQ(LinkedFile(QStringLiteral("/site/sub/index.htm"), QStringLiteral("../a%20b.htm")),
            QStringLiteral("/site/a b.htm"));
  EXPECT_EQ(LinkedFile(QStringLiteral("/site/index.htm"), QStringLiteral("file:///x/y.htm")),
            QStringLiteral("/x/y.htm"));
  // A web address names no local file, so the caller beeps.
  EXPECT_FALSE(QFile::exists(
      LinkedFile(QStringLiteral("/site/index.htm"), QStringLiteral("http://example.org/"))));
  EXPECT_EQ(HoverText({}, {}), QString());
  EXPECT_EQ(HoverText(QStringLiteral("main"), QStringLiteral("a.htm")),
            QStringLiteral("URL: a.htm    (Target: main)"));
  EXPECT_EQ(HoverText({}, QStringLiteral("a.htm")), QStringLiteral("URL: a.htm"));
}

TEST_F(ViewerTest, PageGoesIntoTheEditorAndPictureOnlyIntoTheBrowser) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "<p>hello</p>");
  dir_.Write(QStringLiteral("prog/photo.GIF"), "GIF89a");
  StartWithViewer();
  Preview(0);
  EXPECT_EQ(window_->state().EditorFile, page);
  EXPECT_GT(window_->state().EditorFileStamp, 0);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>hello</p>"));
  EXPECT_TRUE(Editor()->isEnabled());
  EXPECT_FALSE(window_->folderViewPage()->saveButton()->isEnabled());
  EXPECT_TRUE(window_->folderViewPage()->saveAsButton()->isEnabled());

  Preview(1);
  EXPECT_EQ(window_->state().EditorFile, QString());
  EXPECT_FALSE(Editor()->isEnabled());
  EXPECT_EQ(Editor()->toPlainText(),
            QStringLiteral("\n  Sorry, pictures cannot be displayed in editor ..."));
  // A picture never asks to be saved.
  EXPECT_EQ(window_->AskSaveChanges(), kAnswerNone);
}

TEST_F(ViewerTest, TypingMarksUnsavedAndSavingWritesTheFile) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "<b>x</b>\r\n");
  StartWithViewer();
  Preview(0);
  EXPECT_EQ(viewer_->windowTitle(), page);
  Editor()->moveCursor(QTextCursor::End);
  Type(QStringLiteral("y"));
  EXPECT_EQ(viewer_->windowTitle(), page + QStringLiteral(" --- UNSAVED ---"));
  EXPECT_TRUE(viewer_->saveButton()->isEnabled());
  EXPECT_TRUE(window_->folderViewPage()->saveButton()->isEnabled());

  QTest::keyClick(Editor(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(viewer_->windowTitle(), page);
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<b>x</b>\r\ny"));
  EXPECT_FALSE(window_->folderViewPage()->saveButton()->isEnabled());

  // Ctrl+S in a clean document does nothing.
  QFile::remove(page);
  QTest::keyClick(Editor(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(QFile::exists(page));
}

TEST_F(ViewerTest, SaveAsWritesACopyAndSaveGoesOnWithTheFirstFile) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "one");
  StartWithViewer();
  Preview(0);
  Editor()->moveCursor(QTextCursor::End);
  Type(QStringLiteral("!"));
  // The copy gets a stamp of its own, two days away from the first file's.
  QFile first(page);
  ASSERT_TRUE(first.open(QIODevice::ReadWrite));
  ASSERT_TRUE(first.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                QFileDevice::FileModificationTime));
  first.close();
  prompter_.AnswerSaveFile(dir_.path() + QStringLiteral("prog/copy.htm"));
  viewer_->SaveEditorFileAs(page);
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Save As")});
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/copy.htm")), QByteArray("one!"));
  EXPECT_EQ(window_->state().EditorFile, page);
  const qint64 copyStamp = FileStamp(dir_.path() + QStringLiteral("prog/copy.htm"));
  EXPECT_NE(copyStamp, FileStamp(page));
  EXPECT_EQ(window_->state().EditorFileStamp, copyStamp);
  EXPECT_EQ(window_->CurrentFile(),
            dir_.path() + QStringLiteral("prog/copy.htm"));  // listed and selected

  Type(QStringLiteral("?"));
  viewer_->BSaveClick();
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("one!?"));
}

TEST_F(ViewerTest, FailedSaveKeepsTheDocumentModifiedAndTheFileIntact) {
  const QString page = dir_.Write(QStringLiteral("prog/sub/a.htm"), "one");
  StartWithViewer();
  window_->JumpToFileAndFolder(page);
  window_->preview().RefreshNow(false);
  Editor()->moveCursor(QTextCursor::End);
  Type(QStringLiteral("!"));
  // A folder standing where the file's temporary copy must go makes the write fail, for root too.
  const QString blocker = dir_.MakeDir(QStringLiteral("prog/sub/a.htm.blocked"));
  QFile::setPermissions(dir_.path() + QStringLiteral("prog/sub"),
                        QFile::ReadOwner | QFile::ExeOwner);
  const bool asRoot = QFileInfo(dir_.path() + QStringLiteral("prog/sub")).isWritable();
  if (asRoot) {
    // Root writes into read-only folders: replace the file by a folder instead.
    QFile::setPermissions(dir_.path() + QStringLiteral("prog/sub"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::remove(page);
    QDir().mkpath(page + QStringLiteral("/x"));
  }
  viewer_->BSaveClick();
  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts.first().startsWith(QStringLiteral("File saving error in:\r\n") + page));
  EXPECT_TRUE(viewer_->windowTitle().endsWith(QStringLiteral(" --- UNSAVED ---")));
  EXPECT_TRUE(window_->folderViewPage()->saveButton()->isEnabled());
  if (!asRoot) {
    EXPECT_EQ(dir_.Read(QStringLiteral("prog/sub/a.htm")), QByteArray("one"));
  }
  QFile::setPermissions(dir_.path() + QStringLiteral("prog/sub"),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  Q_UNUSED(blocker);
}

TEST_F(ViewerTest, SaveAsTakesAnyNameTheDiskTakes) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "one");
  StartWithViewer();
  Preview(0);
  // A name with "?" or ":" is an ordinary name here.
  prompter_.AnswerSaveFile(dir_.path() + QStringLiteral("prog/what?:now.htm"));
  viewer_->SaveEditorFileAs(page);
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Save As")});
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/what?:now.htm")), QByteArray("one"));
}

TEST_F(ViewerTest, MissingFileIsReportedAndTheEditorKeepsItsFile) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "kept");
  const QString gone = dir_.Write(QStringLiteral("prog/b.htm"), "x");
  StartWithViewer();
  Preview(0);
  QFile::remove(gone);
  Select({1});
  try {
    window_->preview().RefreshNow(false);
    ADD_FAILURE() << "no error";
  } catch (const VistrelError& error) {
    EXPECT_EQ(error.message(), QStringLiteral("Can't locate file: ") + gone);
  }
  EXPECT_EQ(window_->state().EditorFile, page);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("kept"));
}

TEST_F(ViewerTest, ChangedOnDiskReloadsWhenTheUserSaysYes) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "old");
  StartWithViewer();
  Preview(0);
  dir_.Write(QStringLiteral("prog/a.htm"), "new text");
  window_->state().EditorFileStamp -= 1000;
  prompter_.AnswerQuestion(kAnswerYes);
  window_->preview().CheckChangedFile();
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("new text"));
}

TEST_F(ViewerTest, FormatReformatsTheWholeTextAndMarksItUnsaved) {
  dir_.Write(QStringLiteral("prog/a.htm"),
             "<html><body><table><tr><td>x</td></tr></table></body></html>");
  StartWithViewer();
  Preview(0);
  const QString before = Editor()->toPlainText();
  viewer_->BFormatClick();
  EXPECT_NE(Editor()->toPlainText(), before);
  EXPECT_TRUE(Editor()->toPlainText().contains(QStringLiteral("<td>")) ||
              Editor()->toPlainText().contains(QStringLiteral("<TD>")));
  EXPECT_TRUE(viewer_->windowTitle().endsWith(QStringLiteral(" --- UNSAVED ---")));
}

TEST_F(ViewerTest, FormatWithoutColouringGivesPlainTextAndShowsProgress) {
  dir_.Write(QStringLiteral("prog/a.htm"), "<table><tr><td>x</td></tr></table>");
  StartWithViewer();
  Preview(0);  // loaded coloured: the first character has the tag colour
  ASSERT_NE(Editor()->ColourAt(0), window_->settings().Colours.TextCol);
  window_->settings().DoColorTags = false;
  auto* bar = window_->findChild<QProgressBar*>(QStringLiteral("ProgressActFile"));
  ASSERT_NE(bar, nullptr);
  int highest = 0;
  QObject::connect(bar, &QProgressBar::valueChanged, bar,
                   [&highest](int value) { highest = qMax(highest, value); });
  viewer_->BFormatClick();
  const QString text = Editor()->toPlainText();
  ASSERT_TRUE(text.contains(QLatin1Char('\n')));
  for (qsizetype i = 0; i < text.size(); ++i)
    ASSERT_EQ(Editor()->ColourAt(i), window_->settings().Colours.TextCol) << i;
  EXPECT_EQ(Editor()->textCursor().position(), 0);
  EXPECT_GT(highest, 0);
  EXPECT_EQ(bar->value(), 0);  // back at rest after the run
}

TEST_F(ViewerTest, ViewerTakesBothPanesAndThePreviewGetsOneBack) {
  dir_.Write(QStringLiteral("prog/a.htm"), "x");
  StartWithViewer();
  Preview(0);
  EXPECT_EQ(window_->folderViewPage()->PreviewControl(), static_cast<QWidget*>(viewer_->browser()));
  window_->folderViewPage()->editorButton()->click();
  EXPECT_EQ(window_->folderViewPage()->PreviewControl(), static_cast<QWidget*>(Editor()));
  bool panesInViewer = false;
  window_->onShowViewerModal = [&] {
    QTimer::singleShot(0, [&] {
      panesInViewer = viewer_->isAncestorOf(Editor()) && viewer_->isAncestorOf(viewer_->browser());
      viewer_->close();
    });
    viewer_->exec();
  };
  window_->fileCommands().OpenCurrentInViewer();
  EXPECT_TRUE(panesInViewer);
  EXPECT_EQ(window_->folderViewPage()->PreviewControl(), static_cast<QWidget*>(Editor()));
}

// The page drivers of the browser tests: load and wait until painted, click like a user.
struct PageDriver : RenderTest {
  using RenderTest::ClickElement;
  using RenderTest::LoadAndWait;
};

// Waits until the browser shows file (or the timeout passes).
bool WaitForPage(BrowserView& view, const QString& file) {
  QElapsedTimer timer;
  timer.start();
  while (view.CurrentFile() != file && timer.elapsed() < 15000) QTest::qWait(20);
  return view.CurrentFile() == file;
}

TEST_F(ViewerTest, LinkClicksFollowLocalPagesAndBeepOtherwise) {
  const QString index = dir_.Write(
      QStringLiteral("prog/index.htm"),
      "<html><body><p><a id=page href='page.htm#x'>page</a> <a id=frag href='#part'>frag</a> "
      "<a id=missing href='missing.htm'>missing</a> <a id=web "
      "href='http://example.org/'>web</a></p>"
      "<div style='height:3000px'></div><p id=part>part</p></body></html>");
  const QString page =
      dir_.Write(QStringLiteral("prog/page.htm"), "<html><body>second</body></html>");
  StartWithViewer();
  BrowserView& browser = *viewer_->browser();
  viewer_->show();
  PageDriver::LoadAndWait(browser, index);

  PageDriver::ClickElement(browser, QStringLiteral("missing"));
  QTest::qWait(300);
  EXPECT_EQ(prompter_.beeps(), 1);
  EXPECT_EQ(window_->HintText(), dir_.path() + QStringLiteral("prog/missing.htm"));
  PageDriver::ClickElement(browser, QStringLiteral("web"));
  QTest::qWait(300);
  EXPECT_EQ(prompter_.beeps(), 2);
  EXPECT_EQ(browser.CurrentFile(), index);

  PageDriver::ClickElement(browser, QStringLiteral("frag"));
  QTest::qWait(300);
  EXPECT_EQ(prompter_.beeps(), 2);
  EXPECT_EQ(browser.CurrentFile(), index);

  PageDriver::LoadAndWait(browser, index);
  PageDriver::ClickElement(browser, QStringLiteral("page"));
  EXPECT_TRUE(WaitForPage(browser, page));
  EXPECT_EQ(prompter_.beeps(), 2);
  EXPECT_TRUE(viewer_->backButton()->isEnabled());
  viewer_->hide();
}

TEST_F(ViewerTest, ThumbnailFromTheFolderViewShowsInTheCorner) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"),
                                  "<html><body style='background:#f80'>x</body></html>");
  StartWithViewer();
  Preview(0);
  EXPECT_FALSE(window_->folderPanel()->CornerHasPicture());
  window_->fileCommands().MakeOrClearThumbs(true);
  const QString thumb = ThumbPathOf(folders_.thumbs, page);
  ASSERT_TRUE(QFile::exists(thumb)) << thumb.toStdString();
  EXPECT_EQ(QImage(thumb).size(), QSize(130, 100));
  EXPECT_TRUE(window_->folderPanel()->CornerHasPicture());
  EXPECT_TRUE(window_->isEnabled());

  window_->fileCommands().MakeOrClearThumbs(false);
  EXPECT_FALSE(QFile::exists(thumb));
  EXPECT_FALSE(window_->folderPanel()->CornerHasPicture());
}

TEST_F(ViewerTest, CreateSnapshotsChecksTheFileThenOpensTheOptions) {
  StartWithViewer();
  window_->fileCommands().CreateSnapshots();  // an empty folder: nothing current, nothing selected
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("No file(s) selected")});

  const QString page = dir_.Write(QStringLiteral("prog/a.htm"), "x");
  window_->fileCommands().RereadFolder();
  Select({0});
  QFile::remove(page);
  window_->fileCommands().CreateSnapshots();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("File: \"") + page + QStringLiteral("\" not found!")});

  dir_.Write(QStringLiteral("prog/a.htm"), "x");
  QString caption;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    caption = modal->windowTitle();
    modal->close();
  });
  window_->fileCommands().CreateSnapshots();
  EXPECT_FALSE(caption.isEmpty());
  EXPECT_TRUE(window_->isEnabled());
}

TEST_F(ViewerTest, BrowserSettingsResetCancelAndOk) {
  StartWithViewer();
  BrowserView& shared = *viewer_->browser();
  const BrowserDisplaySettings opening = shared.DisplaySettings();
  {
    BrowserSettingsDialog dialog(*profile_, shared);
    dialog.show();
    dialog.SetFontSize(18);
    dialog.SetBackground(0x00FFFF);  // yellow
    EXPECT_EQ(dialog.fontSizeEdit()->value(), 18);
    EXPECT_EQ(dialog.sample()->DisplaySettings().Background, 0x00FFFF);
    dialog.Reset();
    EXPECT_EQ(dialog.fontSizeEdit()->value(), opening.FontSize);
    EXPECT_EQ(dialog.sample()->DisplaySettings().Background, opening.Background);
    EXPECT_EQ(dialog.backgroundBox()->Colour(), opening.Background);
    dialog.SetFontSize(20);
    dialog.reject();
  }
  EXPECT_EQ(shared.DisplaySettings(), opening);
  {
    BrowserSettingsDialog dialog(*profile_, shared);
    dialog.show();
    EXPECT_EQ(dialog.SelectedFontName(), opening.FontName);  // the browser's font, selected
    dialog.SetFontSize(9);
    dialog.SetShowImages(false);
    dialog.accept();
  }
  EXPECT_EQ(shared.DisplaySettings().FontName, opening.FontName);  // only the size changed
  EXPECT_EQ(shared.DisplaySettings().FontSize, 9);
  EXPECT_FALSE(shared.DisplaySettings().ShowImages);
}

TEST_F(ViewerTest, HelpWindowsOpenSideBySideAndCloseOnEscape) {
  StartWithViewer();
  QPointer<HelpWindow> first = window_->windowCommands().OpenHelp();
  QPointer<HelpWindow> second = window_->windowCommands().OpenHelp();
  EXPECT_EQ(first->windowTitle(), QStringLiteral("Vistrel - Help"));
  EXPECT_TRUE(first->isVisible() && second->isVisible());
  // Pressed inside the page, where the browser would take the key for itself.
  QWidget* page = first->browser();
  for (QWidget* inner : first->browser()->findChildren<QWidget*>()) page = inner;
  QTest::keyClick(page, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_FALSE(second.isNull());
  QTest::keyClick(second.data(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(second.isNull());
}

TEST_F(ViewerTest, MissingHelpPageIsReportedAndTheWindowStaysEmpty) {
  StartWithViewer();
  QFile::remove(folders_.helpPage);
  EXPECT_THROW(window_->windowCommands().OpenHelp(), VistrelError);
  const QWidgetList windows = QApplication::topLevelWidgets();
  const bool helpOpen = std::any_of(windows.begin(), windows.end(), [](QWidget* w) {
    return qobject_cast<HelpWindow*>(w) && w->isVisible();
  });
  EXPECT_TRUE(helpOpen);
}

TEST(AboutWindow, NamesTheVersionAndClosesOnEscape) {
  QPointer<AboutWindow> about = new AboutWindow;
  EXPECT_EQ(about->windowTitle(), QStringLiteral("About -  Vistrel v1.0a "));
  EXPECT_TRUE(about->Text().contains(QStringLiteral("Vistrel v1.0a")));
  EXPECT_TRUE(about->Text().contains(QStringLiteral("libjpeg-turbo")));
  about->show();
  QTest::keyClick(about.data(), Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(about.isNull());
}

TEST_F(ViewerTest, HistoryOfAPreviewedFileStartsWithIt) {
  dir_.Write(QStringLiteral("prog/a.htm"), "<p>a</p>");
  dir_.Write(QStringLiteral("prog/b.htm"), "<p>b</p>");
  StartWithViewer();
  for (int row : {0, 1}) {
    QSignalSpy loaded(viewer_->browser(), &BrowserView::LoadFinished);
    Preview(row);
    ASSERT_TRUE(loaded.wait(30000));
    QCoreApplication::processEvents();
  }
  EXPECT_FALSE(viewer_->browser()->CanGoBack());
  EXPECT_FALSE(viewer_->backButton()->isEnabled());
  EXPECT_FALSE(viewer_->forwardButton()->isEnabled());
}

TEST_F(ViewerTest, TagSyntaxShowsTheStartOfALongHintAndClearsForTheNextFile) {
  dir_.Write(QStringLiteral("prog/a.htm"), "<table border=1></table>");
  dir_.Write(QStringLiteral("prog/b.htm"), "plain words");
  StartWithViewer();
  const QString hint = QStringLiteral("<TABLE border=n> ") + QString(400, QLatin1Char('x'));
  viewer_->SetTagSyntaxList({QStringLiteral("<TABLE>: ") + hint});
  Preview(0);
  Editor()->moveCursor(QTextCursor::Right);
  EXPECT_EQ(viewer_->hintBox()->text(), hint);
  EXPECT_EQ(viewer_->hintBox()->cursorPosition(), 0);
  Preview(1);
  EXPECT_EQ(viewer_->hintBox()->text(), QString());
}

}  // namespace
}  // namespace vistrel::testing
