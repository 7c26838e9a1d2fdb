// vistrel-cli search, verify and merge over a site folder with hostile names: paths on
// standard output are the bytes on disk, names left out are named on standard error.
#include <gtest/gtest.h>

#include <QSet>

#include "cli_env.h"
#include "core/disk_name.h"
#include "core/text_file.h"
#include "filelists/list_entry.h"
#include "filelists/list_file.h"
#include "hostile_tree.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::HostileTree;
using testing::RunCli;

QSet<QString> PathsOf(const QByteArray& listBytes) {
  QSet<QString> paths;
  for (const QString& line : DecodeListLines(listBytes)) paths.insert(FullPathOfEntry(line));
  return paths;
}

class CliFileListsTest : public ::testing::Test {
 protected:
  HostileTree tree_;
  testing::TempFolder home_;
};

TEST_F(CliFileListsTest, SearchWritesNameBytesAndNamesWhatItLeavesOut) {
  const auto run = RunCli({QStringLiteral("search"), QStringLiteral("--mask"),
                           QStringLiteral("*.html"), tree_.folder()},
                          home_.path());
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QSet<QString> found = PathsOf(run.out);
  for (const HostileTree::Page& page : tree_.pages())
    EXPECT_TRUE(found.contains(page.path)) << PrintableName(page.path).toStdString();
  // Bytes, not UTF-8 of a replacement character.
  EXPECT_TRUE(run.out.contains(QByteArray("*caf\xE9*.html*")));
  EXPECT_TRUE(run.out.contains(QByteArray("sub/*\x93quoted\x94*.html*")));
  const QString err = QString::fromUtf8(run.err);
  for (const HostileTree::Page& page : tree_.unlistable()) {
    EXPECT_FALSE(found.contains(page.path));
    EXPECT_TRUE(err.contains(PrintableName(page.path))) << run.err.toStdString();
  }
  EXPECT_FALSE(run.out.contains("star*name"));
  EXPECT_FALSE(run.out.contains("line\nbreak"));
}

TEST_F(CliFileListsTest, VerifyAndMergeReachTheSameFilesThroughAList) {
  const auto search = RunCli({QStringLiteral("search"), QStringLiteral("--mask"),
                              QStringLiteral("*.html"), tree_.folder()},
                             home_.path());
  ASSERT_EQ(search.exitCode, 0);
  const QString list = home_.Write(QStringLiteral("hostile.lst"), search.out);
  const int entries = int(DecodeListLines(search.out).size());

  auto verify = RunCli({QStringLiteral("verify"), list}, home_.path());
  ASSERT_EQ(verify.exitCode, 0) << verify.err.toStdString();
  EXPECT_EQ(verify.out, QByteArray::number(entries) + " entries, 0 not found, 0 updated\n");

  // The merge of the list with itself is the list, each file once, bytes kept.
  const QString merged = home_.path() + QStringLiteral("merged.lst");
  const auto merge =
      RunCli({QStringLiteral("merge"), list, list, QStringLiteral("-o"), merged}, home_.path());
  ASSERT_EQ(merge.exitCode, 0) << merge.err.toStdString();
  QByteArray mergedBytes;
  ASSERT_TRUE(ReadWholeFile(merged, &mergedBytes));
  EXPECT_EQ(DecodeListLines(mergedBytes).size(), entries);
  EXPECT_EQ(PathsOf(mergedBytes), PathsOf(search.out));

  // A vanished Latin-1 page is reported by its bytes and dropped with --update.
  const QString latin1 = tree_.folder() + NameFromDisk("caf\xE9.html");
  ASSERT_TRUE(RemoveFile(latin1));
  verify = RunCli({QStringLiteral("verify"), QStringLiteral("--update"), merged}, home_.path());
  ASSERT_EQ(verify.exitCode, 0) << verify.err.toStdString();
  EXPECT_TRUE(verify.out.startsWith(QByteArray("Not Found:  " + NameToDisk(latin1) + "\n")))
      << verify.out.toStdString();
  ASSERT_TRUE(ReadWholeFile(merged, &mergedBytes));
  EXPECT_EQ(DecodeListLines(mergedBytes).size(), entries - 1);
  EXPECT_FALSE(PathsOf(mergedBytes).contains(latin1));
  EXPECT_TRUE(mergedBytes.contains(QByteArray("*caf\xC3\xA9*.html*")));
}

}  // namespace
}  // namespace vistrel
