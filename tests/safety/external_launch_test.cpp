// An external application gets the file name as one argument; nothing else runs.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTest>

#include "app/ui/external_launch.h"
#include "core/disk_name.h"
#include "core/text_file.h"
#include "settings/program_settings.h"
#include "temp_folder.h"

namespace vistrel::testing {
namespace {

// A script that records its arguments one per line in brackets, then renames the record into
// place so a reader sees all or none.
QString RecordingTool(TempFolder& dir, const QString& record) {
  const QString tool = dir.Write(
      QStringLiteral("tool.sh"),
      QStringLiteral("#!/bin/sh\nprintf '[%s]\\n' \"$@\" > '%1.part'\nmv '%1.part' '%1'\n")
          .arg(record)
          .toUtf8());
  QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return tool;
}

TEST(ExternalApplication, FileNamesWithShellSyntaxReachOnlyTheApplication) {
  TempFolder dir;
  const QString record = dir.path() + QStringLiteral("argv.txt");
  ExternalApplication application;
  application.Location = RecordingTool(dir, record);
  application.Param = QStringLiteral("--view");
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));  // where a shell's "touch pwned" would land
  for (const QString& name : {QStringLiteral("a;touch pwned;.html"), QStringLiteral("$(id).html"),
                              QStringLiteral("`id` && touch pwned'\".html")}) {
    const QString file = dir.Write(name, "<p>x</p>");
    QFile::remove(record);
    ASSERT_TRUE(LaunchExternal(application, file));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 15000));
    EXPECT_EQ(dir.Read(QStringLiteral("argv.txt")),
              (QStringLiteral("[--view]\n[") + file + QStringLiteral("]\n")).toUtf8());
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("pwned")));
  }
  QDir::setCurrent(saved);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST(ExternalApplication, ANameThatIsNotUtf8ReachesTheApplicationByteForByte) {
  TempFolder dir;
  const QString record = dir.path() + QStringLiteral("argv.txt");
  ExternalApplication application;
  application.Location = RecordingTool(dir, record);
  const QString file = dir.path() + NameFromDisk("caf\xE9\t-x.html");
  ASSERT_TRUE(WriteFileAtomically(file, "<p>x</p>"));
  ASSERT_TRUE(LaunchExternal(application, file));
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 15000));
  EXPECT_EQ(dir.Read(QStringLiteral("argv.txt")), "[" + NameToDisk(file) + "]\n");
}

}  // namespace
}  // namespace vistrel::testing
