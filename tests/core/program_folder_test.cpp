#include "core/program_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

class EnvGuard {
 public:
  explicit EnvGuard(const char* name)
      : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {}
  ~EnvGuard() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};

TEST(ResolveProgramFolder, HomeVariableWinsThenMarkedExeFolderThenDataFolder) {
  EnvGuard home("VISTREL_HOME");
  EnvGuard xdg("XDG_DATA_HOME");
  TempFolder dir;
  qputenv("VISTREL_HOME", (dir.path() + QStringLiteral("h//")).toLocal8Bit());
  EXPECT_EQ(ResolveProgramFolder(QStringLiteral("/usr/bin")), dir.path() + QStringLiteral("h/"));

  qunsetenv("VISTREL_HOME");
  qputenv("XDG_DATA_HOME", (dir.path() + QStringLiteral("data")).toLocal8Bit());
  // A writable folder of an installed program (root running /usr/local/bin/vistrel) is
  // never the program folder: only the marker makes it one.
  dir.Write(QStringLiteral("bin/vistrel"), "");
  EXPECT_EQ(ResolveProgramFolder(dir.path() + QStringLiteral("bin")),
            dir.path() + QStringLiteral("data/vistrel/"));
  dir.Write(QStringLiteral("bin/") + QLatin1String(kPortableMarker), "");
  EXPECT_EQ(ResolveProgramFolder(dir.path() + QStringLiteral("bin")),
            dir.path() + QStringLiteral("bin/"));
  EXPECT_EQ(ResolveProgramFolder(dir.path() + QStringLiteral("missing")),
            dir.path() + QStringLiteral("data/vistrel/"));
}

TEST(DefaultResourceFolder, ShareFolderOfThePrefixElseBuiltInCopies) {
  TempFolder prefix;
  EXPECT_EQ(DefaultResourceFolder(prefix.path() + QStringLiteral("bin")),
            QStringLiteral(":/defaults/"));
  prefix.Write(QStringLiteral("share/vistrel/STYLES/THUMBS/options.ini"), "x");
  EXPECT_EQ(DefaultResourceFolder(prefix.path() + QStringLiteral("bin")),
            prefix.path() + QStringLiteral("share/vistrel/"));
}

TEST(PrepareWorkingFolders, CreatesFoldersAndCopiesDefaultsWithoutOverwriting) {
  TempFolder dir;
  const WorkingFolders folders = WorkingFolders::For(dir.path() + QStringLiteral("prog"));
  EXPECT_EQ(folders.thumbs, dir.path() + QStringLiteral("prog/THUMBS/"));
  dir.Write(QStringLiteral("prog/tagsyntax.txt"), "mine");
  PrepareWorkingFolders(folders);
  EXPECT_TRUE(QFileInfo(folders.thumbs).isDir());
  EXPECT_TRUE(QFileInfo(folders.lists).isDir());
  EXPECT_TRUE(QFileInfo::exists(folders.styles + QStringLiteral("THUMBS/options.ini")));
  EXPECT_TRUE(QFileInfo::exists(folders.styles + QStringLiteral("THUMBS/tag.ini")));
  EXPECT_TRUE(QFileInfo::exists(folders.helpPage));
  EXPECT_EQ(dir.Read(QStringLiteral("prog/tagsyntax.txt")), QByteArray("mine"));
  // Copied defaults are ordinary writable files, not read-only resource copies.
  EXPECT_TRUE(QFileInfo(folders.helpPage).isWritable());
}

TEST(PrepareWorkingFolders, CopiesFromTheGivenDefaultsFolder) {
  TempFolder dir;
  dir.Write(QStringLiteral("share/HELP/index.htm"), "installed help");
  const WorkingFolders folders = WorkingFolders::For(dir.path() + QStringLiteral("prog"));
  PrepareWorkingFolders(folders, dir.path() + QStringLiteral("share"));
  EXPECT_EQ(dir.Read(QStringLiteral("prog/HELP/index.htm")), QByteArray("installed help"));
}

TEST(IsInThumbFolder, ComparesUpperCaseWithTrailingSeparator) {
  const QString thumbs = QStringLiteral("/prog/THUMBS/");
  EXPECT_TRUE(IsInThumbFolder(QStringLiteral("/prog/thumbs"), thumbs));
  EXPECT_TRUE(IsInThumbFolder(QStringLiteral("/prog/THUMBS/=home=web/"), thumbs));
  EXPECT_FALSE(IsInThumbFolder(QStringLiteral("/prog/THUMBSX"), thumbs));
  EXPECT_FALSE(IsInThumbFolder(QStringLiteral("/prog"), thumbs));
}

TEST(FileStamp, ZeroForMissingEntries) {
  TempFolder dir;
  EXPECT_EQ(FileStamp(dir.path() + QStringLiteral("none")), 0);
  EXPECT_GT(FileStamp(dir.Write(QStringLiteral("a"), "x")), 0);
}

}  // namespace
}  // namespace vistrel
