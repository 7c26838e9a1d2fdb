#include "app/ui/command_line.h"

#include <QDir>

#include "main_window_fixture.h"

namespace vistrel::testing {
namespace {

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

TEST_F(MainWindowTest, DroppedFilesJumpToTheFirstOrAreRefused) {
  const QString first = dir_.Write(QStringLiteral("site/one.htm"));
  const QString second = dir_.Write(QStringLiteral("other/two.htm"));
  Start();
  window_->HandleDroppedFiles({first, second, second});
  EXPECT_EQ(window_->CurrentFile(), first);

  const QString photo = dir_.Write(QStringLiteral("site/photo.jpeg"));
  window_->HandleDroppedFiles({photo});
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("Vistrel:\r\nFile not accepted.\r\n") + photo});
  EXPECT_EQ(prompter_.beeps(), 1);

  const QString folder = dir_.MakeDir(QStringLiteral("folder.htm"));
  window_->HandleDroppedFiles({folder});
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(window_->CurrentFile(), first);
}

}  // namespace
}  // namespace vistrel::testing
