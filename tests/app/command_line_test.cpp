#include "app/ui/command_line.h"

#include <QDir>
#include <cstdio>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/ui/file_commands.h"
#include "core/disk_name.h"
#include "core/text_file.h"
#include "hostile_tree.h"
#include "main_window_fixture.h"

namespace vistrel::testing {
namespace {

// Drops files onto the window as the platform does.
void Drop(QWidget& window, const QStringList& files) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& file : files) urls << QUrl::fromLocalFile(file);
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
}

TEST(ReadCommandLine, LastOfOneOrTwoParametersIfAcceptedAndExisting) {
  TempFolder dir;
  const QString page = dir.Write(QStringLiteral("page.htm"));
  dir.Write(QStringLiteral("readme.txt"));
  EXPECT_EQ(ReadCommandLine({page}), page);
  EXPECT_EQ(ReadCommandLine({QStringLiteral("--x"), page}), page);
  EXPECT_EQ(ReadCommandLine({QStringLiteral("a"), QStringLiteral("b"), page}), QString());
  EXPECT_EQ(ReadCommandLine({}), QString());
  EXPECT_EQ(ReadCommandLine({dir.path() + QStringLiteral("readme.txt")}), QString());
  EXPECT_EQ(ReadCommandLine({dir.path() + QStringLiteral("missing.htm")}), QString());
  // A relative or untidy path comes back absolute and clean.
  const QString cwd = QDir::currentPath();
  QDir::setCurrent(dir.path());
  EXPECT_EQ(ReadCommandLine({QStringLiteral("./sub/../page.htm")}), page);
  QDir::setCurrent(cwd);
}

TEST_F(MainWindowTest, StartFileFromTheCommandLineIsShownSelected) {
  const QString page = dir_.Write(QStringLiteral("site/page.htm"));
  dir_.Write(QStringLiteral("site/a.htm"));
  folders_ = WorkingFolders::For(dir_.path() + QStringLiteral("prog"));
  window_ = std::make_unique<ObservedMainWindow>(folders_, prompter_);
  window_->SetCommandLine({QStringLiteral("--x"), page});
  window_->show();
  Activate();
  EXPECT_EQ(window_->state().StartFile, page);
  EXPECT_EQ(window_->CurrentFile(), page);
}

TEST(ReadCommandLine, NamesThatAreNotUtf8AreKeptAndNonFilesRefused) {
  HostileTree tree;
  // Pages named *.htm to pass the accepted types: a Latin-1 name, a FIFO and a device link.
  const QString latin1 = tree.folder() + NameFromDisk("-caf\xE9 [1]?.htm");
  ASSERT_TRUE(WriteFileAtomically(latin1, "<p>x</p>"));
  EXPECT_EQ(ReadCommandLine({latin1}), latin1);
  for (const QString& other : tree.notPages()) {
    const QString renamed = other.chopped(5) + QStringLiteral(".htm");
    ASSERT_EQ(::rename(NameToDisk(other).constData(), NameToDisk(renamed).constData()), 0);
    EXPECT_EQ(ReadCommandLine({renamed}), QString()) << qPrintable(renamed);
  }
}

TEST_F(MainWindowTest, StartFileWithARawNameIsShownSelected) {
  HostileTree tree;
  const QString page = tree.folder() + NameFromDisk("caf\xE9.htm");
  ASSERT_TRUE(WriteFileAtomically(page, "<p>x</p>"));
  folders_ = WorkingFolders::For(dir_.path() + QStringLiteral("prog"));
  window_ = std::make_unique<ObservedMainWindow>(folders_, prompter_);
  window_->SetCommandLine({page});
  window_->show();
  Activate();
  EXPECT_EQ(window_->CurrentFile(), page);
  EXPECT_EQ(FileList()->currentItem()->text(), QStringLiteral("caf\\xE9.htm"));
}

TEST_F(MainWindowTest, DroppedFilesJumpToTheFirstOrAreRefused) {
  const QString first = dir_.Write(QStringLiteral("site/one.htm"));
  const QString second = dir_.Write(QStringLiteral("other/two.htm"));
  Start();
  Drop(*window_, {first, second, second});
  EXPECT_EQ(window_->CurrentFile(), first);
  EXPECT_EQ(window_->fileCommands().droppedNames(), (QStringList{first, second, second}));

  const QString photo = dir_.Write(QStringLiteral("site/photo.jpeg"));
  Drop(*window_, {photo, first});
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("Vistrel:\r\nFile not accepted.\r\n") + photo});
  EXPECT_EQ(prompter_.beeps(), 1);

  const QString folder = dir_.MakeDir(QStringLiteral("folder.htm"));
  Drop(*window_, {folder});
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(window_->CurrentFile(), first);

  Drop(*window_, {});  // nothing local: nothing happens, the names of the last drop stay
  EXPECT_EQ(window_->fileCommands().droppedNames(), QStringList{folder});
  EXPECT_EQ(prompter_.beeps(), 2);
}

}  // namespace
}  // namespace vistrel::testing
