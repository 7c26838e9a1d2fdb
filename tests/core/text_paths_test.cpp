#include "core/text_paths.h"

#include <gtest/gtest.h>

#include <QFile>

#include "scripted_prompter.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::ScriptedPrompter;
using testing::TempFolder;

TEST(IncludeTrailingSeparator, EndsWithExactlyOneSeparator) {
  EXPECT_EQ(IncludeTrailingSeparator(QStringLiteral("/web")), QStringLiteral("/web/"));
  EXPECT_EQ(IncludeTrailingSeparator(QStringLiteral("/web///")), QStringLiteral("/web/"));
  EXPECT_EQ(IncludeTrailingSeparator(QString()), QStringLiteral("/"));
  EXPECT_EQ(IncludeTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(IsBlank, OnlyLineBreaksSpacesAndTabsAreBlank) {
  EXPECT_TRUE(IsBlank(QString()));
  EXPECT_TRUE(IsBlank(QStringLiteral("\n\n\t")));
  EXPECT_TRUE(IsBlank(QStringLiteral(" \r\n ")));
  EXPECT_FALSE(IsBlank(QStringLiteral("x")));
  EXPECT_FALSE(IsBlank(QStringLiteral("\n\v")));  // vertical tab is not one of the four
}

TEST(FileExistsAny, FindsFilesFoldersHiddenEntriesAndDanglingLinks) {
  TempFolder dir;
  const QString file = dir.Write(QStringLiteral("a.htm"), "12345");
  dir.Write(QStringLiteral(".hidden"), "x");
  DirectoryEntry entry;
  ASSERT_TRUE(FileExistsAny(file, &entry));
  EXPECT_EQ(entry.name, QStringLiteral("a.htm"));
  EXPECT_EQ(entry.size, 5);
  EXPECT_GT(entry.stampNs, 0);
  EXPECT_FALSE(entry.isDir);

  ASSERT_TRUE(FileExistsAny(dir.path() + QStringLiteral(".hidden"), &entry));
  EXPECT_TRUE(entry.isHidden);
  ASSERT_TRUE(FileExistsAny(dir.MakeDir(QStringLiteral("sub")), &entry));
  EXPECT_TRUE(entry.isDir);

  ASSERT_TRUE(
      QFile::link(dir.path() + QStringLiteral("gone"), dir.path() + QStringLiteral("link")));
  EXPECT_TRUE(FileExistsAny(dir.path() + QStringLiteral("link")));
  EXPECT_FALSE(FileExistsAny(dir.path() + QStringLiteral("missing")));
  EXPECT_FALSE(FileExistsAny(QString()));
}

TEST(IsValidFileName, RejectsSeparatorsWildcardsAndDotDotWithMessageAndBeep) {
  ScriptedPrompter prompter;
  EXPECT_TRUE(IsValidFileName(QStringLiteral("index.htm"), prompter));
  EXPECT_EQ(prompter.beeps(), 0);
  for (const char* bad : {"a..b", "new:list", "a/b", "a\\b", "what?", "*.htm"}) {
    EXPECT_FALSE(IsValidFileName(QString::fromLatin1(bad), prompter)) << bad;
    EXPECT_EQ(prompter.TakeTexts(),
              QStringList{QStringLiteral("Invalid Filename: ") + QString::fromLatin1(bad)});
  }
  EXPECT_EQ(prompter.beeps(), 6);
}

TEST(IsValidFileName, OnDiskAnyNameButSeparatorsAndDotsIsValid) {
  ScriptedPrompter prompter;
  for (const char* good : {"a..b", "new:list", "a\\b", "what?", "*.htm", "-x\t[1].htm"})
    EXPECT_TRUE(IsValidFileName(QString::fromLatin1(good), prompter, NameRule::kOnDisk)) << good;
  EXPECT_EQ(prompter.beeps(), 0);
  for (const char* bad : {"", ".", "..", "a/b"}) {
    EXPECT_FALSE(IsValidFileName(QString::fromLatin1(bad), prompter, NameRule::kOnDisk)) << bad;
    EXPECT_EQ(prompter.TakeTexts(),
              QStringList{QStringLiteral("Invalid Filename: ") + QString::fromLatin1(bad)});
  }
}

TEST(BuildTargetPath, CleansNameAndAddsExtensionOnlyWhenDifferent) {
  ScriptedPrompter prompter;
  const QString out = QStringLiteral("/out");
  EXPECT_EQ(BuildTargetPath(out, QStringLiteral("  .index.htm. "), {}, prompter),
            QStringLiteral("/out/index.htm"));
  EXPECT_EQ(BuildTargetPath(out, QStringLiteral("report"), QStringLiteral(".lst"), prompter),
            QStringLiteral("/out/report.lst"));
  EXPECT_EQ(BuildTargetPath(out, QStringLiteral("Report.LST"), QStringLiteral(".lst"), prompter),
            QStringLiteral("/out/Report.LST"));
  EXPECT_EQ(BuildTargetPath(out, QStringLiteral("page.htm"), QStringLiteral(".lst"), prompter),
            QStringLiteral("/out/page.htm.lst"));
  // A filter mask serves as the extension.
  EXPECT_EQ(BuildTargetPath(QStringLiteral("/out//"), QStringLiteral("shot"),
                            QStringLiteral("*.jpg"), prompter),
            QStringLiteral("/out/shot.jpg"));
  // Tabs are not trimmed, only blanks.
  EXPECT_EQ(BuildTargetPath(out, QStringLiteral("\tx"), {}, prompter), QStringLiteral("/out/\tx"));
}

TEST(BuildTargetPath, InvalidNameGivesEmptyPathAfterTheMessage) {
  ScriptedPrompter prompter;
  EXPECT_EQ(BuildTargetPath(QStringLiteral("/out"), QStringLiteral("new:list"),
                            QStringLiteral(".lst"), prompter),
            QString());
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("Invalid Filename: new:list.lst")});
}

}  // namespace
}  // namespace vistrel
