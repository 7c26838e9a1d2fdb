#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "app/ui/folder_panel.h"
#include "main_window_fixture.h"
#include "settings/ini_profile.h"

namespace vistrel::testing {
namespace {

TEST_F(MainWindowTest, ExitWritesEverySectionInOrder) {
  Start();
  Stop();
  const IniProfile ini = IniProfile::Load(folders_.iniFile);
  EXPECT_EQ(ini.SectionNames().join(QLatin1Char(',')),
            QStringLiteral("OPTIONS,POSITION_MAIN,COLORS,THUMBS,PATHS,EDITOR1,EDITOR2,EDITOR3,"
                           "EDITOR4,EDITOR5,EDITOR6"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("PATHS"), QStringLiteral("VIEW_PATH"), {}),
            folders_.program);
}

TEST_F(MainWindowTest, GarbageSettingsStartWithDefaultsAndKeepUnknownLines) {
  dir_.Write(
      QStringLiteral("prog/prg.ini"),
      QByteArray(
          "\x01\x02 binary junk\n[OPTIONS]\nCACHE_MAX=lots\nMine=kept\n[OPTIONS]\nCACHE_MAX=7\n"
          "[PATHS]\nVIEW_PATH=/no/such/place\n[COLORS]\nTagCol=0x0000FF\n") +
          QByteArray("LongKey=") + QByteArray(10000, 'x') + "\n");
  Start();
  EXPECT_EQ(window_->settings().CACHE_MAX, 200);
  EXPECT_EQ(window_->settings().Colours.TagCol, 255);
  EXPECT_EQ(window_->folderPanel()->Folder(), folders_.program);
  Stop();
  const QByteArray written = dir_.Read(QStringLiteral("prog/prg.ini"));
  EXPECT_TRUE(written.startsWith("\x01\x02 binary junk\n[OPTIONS]\n"));
  EXPECT_TRUE(written.contains("Mine=kept\n"));
  EXPECT_TRUE(written.contains("CACHE_MAX=7\n"));  // the duplicate section is left alone
  EXPECT_TRUE(written.contains("TagCol=16711680\n"));
  EXPECT_TRUE(written.contains(QByteArray(QByteArray("LongKey=") + QByteArray(10000, 'x'))));
}

TEST_F(MainWindowTest, FolderInsideThumbnailFolderIsNotRemembered) {
  Start();
  const QString inside = folders_.thumbs + QStringLiteral("=home=web/");
  QDir().mkpath(inside);
  window_->folderPanel()->SetFolder(inside);
  Stop();
  const IniProfile ini = IniProfile::Load(folders_.iniFile);
  EXPECT_EQ(ini.ReadString(QStringLiteral("PATHS"), QStringLiteral("VIEW_PATH"), {}),
            folders_.program);
}

TEST_F(MainWindowTest, UnwritableSettingsFileIsReportedAndLeftIntact) {
  dir_.Write(QStringLiteral("prog/prg.ini"), "[OPTIONS]\nStyleName=THUMBS\n");
  Start();
  // A folder in the way of the temporary file's rename makes the save fail for root too.
  QFile::remove(folders_.iniFile);
  QDir().mkpath(folders_.iniFile + QStringLiteral("/blocker"));
  Stop();
  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts.first().contains(folders_.iniFile));
  EXPECT_TRUE(QFileInfo(folders_.iniFile + QStringLiteral("/blocker")).isDir());
}

// A position off every screen and a size larger than the screen: the window comes up on the
// screen; and what one run writes, the next run writes again (the window does not drift).
TEST_F(MainWindowTest, WindowComesUpOnTheScreenAndKeepsItsPlaceBetweenRuns) {
  dir_.Write(QStringLiteral("prog/prg.ini"),
             "[POSITION_MAIN]\nTop=-9000\nLeft=-9000\nWidth=5000\nHeight=4000\n");
  Start();
  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(room.contains(window_->frameGeometry()));
  Stop();
  auto bounds = [this] {
    const IniProfile ini = IniProfile::Load(folders_.iniFile);
    QStringList values;
    for (const char* key : {"Top", "Left", "Width", "Height"})
      values << ini.ReadString(QStringLiteral("POSITION_MAIN"), QString::fromLatin1(key), {});
    return values;
  };
  const QStringList first = bounds();
  Start();
  Stop();
  EXPECT_EQ(bounds(), first);
}

TEST_F(MainWindowTest, StyleNameIsWrittenBackAsTheStyleLoaded) {
  dir_.Write(QStringLiteral("prog/prg.ini"), "[OPTIONS]\nStyleName=MINE\n");
  Start();
  Stop();
  EXPECT_EQ(IniProfile::Load(folders_.iniFile)
                .ReadString(QStringLiteral("OPTIONS"), QStringLiteral("StyleName"), {}),
            QStringLiteral("THUMBS"));
}

}  // namespace
}  // namespace vistrel::testing
