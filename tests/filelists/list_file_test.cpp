#include "filelists/list_file.h"

#include "core/disk_name.h"

#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QFile>

#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

QStringList Lines(std::initializer_list<const char*> texts) {
  QStringList out;
  for (const char* t : texts) out.append(QString::fromUtf8(t));
  return out;
}

TEST(ListFileLines, AcceptEveryLineBreakStyleAndKeepEmptyLines) {
  EXPECT_EQ(DecodeListLines(QByteArray("a\r\nb\r\n")), Lines({"a", "b"}));
  EXPECT_EQ(DecodeListLines(QByteArray("a\nb")), Lines({"a", "b"}));
  EXPECT_EQ(DecodeListLines(QByteArray("a\rb\r")), Lines({"a", "b"}));
  EXPECT_EQ(DecodeListLines(QByteArray("a\r\n\r\nb\n\nc\r\rd")),
            Lines({"a", "", "b", "", "c", "", "d"}));
  EXPECT_TRUE(DecodeListLines(QByteArray()).isEmpty());
  EXPECT_EQ(DecodeListLines(QByteArray("\r\n")), Lines({""}));
}

TEST(ListFileLines, WriteEndsEveryLineWithCrLfAndReadsBackUnchanged) {
  TempFolder tmp;
  const QString path = tmp.path() + QStringLiteral("x.lst");
  const QStringList lines = Lines({"/a/*b*.htm*1*2001-01-01  10:00", "", "/ä/*ö*.htm*2*d"});
  QString error;
  ASSERT_TRUE(WriteListFile(path, lines, &error)) << error.toStdString();
  EXPECT_EQ(tmp.Read(QStringLiteral("x.lst")),
            QByteArray("/a/*b*.htm*1*2001-01-01  10:00\r\n\r\n/\xc3\xa4/*\xc3\xb6*.htm*2*d\r\n"));
  QStringList back;
  ASSERT_TRUE(ReadListFile(path, &back, &error));
  EXPECT_EQ(back, lines);
}

TEST(ListFileLines, InvalidUtf8KeepsItsBytesAndMissingFilesAreErrorsNamingThem) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("l1.lst"), QByteArray("/a/*caf\xe9*.htm*1*d\r"));
  QStringList lines;
  QString error;
  ASSERT_TRUE(ReadListFile(tmp.path() + QStringLiteral("l1.lst"), &lines, &error));
  ASSERT_EQ(lines.size(), 1);
  EXPECT_EQ(NameToDisk(lines.first()), QByteArray("/a/*caf\xe9*.htm*1*d"));
  EXPECT_FALSE(ReadListFile(tmp.path() + QStringLiteral("gone.lst"), &lines, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("gone.lst")));
}

TEST(RemoveDuplicates, KeepsTheFirstLineBySortPerExactFullPath) {
  QStringList lines = Lines({
      "/w/*b*.htm*999*2001-01-01  10:00",
      "/w/*a*.htm*5*2001-01-01  10:00",
      "",
      "/w/*b*.htm*1000*2001-01-01  10:00",  // sorts before "999" as text, so it survives
      "/w/*B*.htm*7*2001-01-01  10:00",     // differs in case: another file here
      "/w/*a*.htm*5*2001-01-01  10:00",
      "**",
  });
  RemoveDuplicateEntries(lines);
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0], QStringLiteral("/w/*a*.htm*5*2001-01-01  10:00"));
  EXPECT_TRUE(lines.contains(QStringLiteral("/w/*b*.htm*1000*2001-01-01  10:00")));
  EXPECT_TRUE(lines.contains(QStringLiteral("/w/*B*.htm*7*2001-01-01  10:00")));
  EXPECT_FALSE(lines.contains(QStringLiteral("/w/*b*.htm*999*2001-01-01  10:00")));

  QStringList again = lines;
  RemoveDuplicateEntries(again);
  EXPECT_EQ(again, lines);  // stable on its own output
}

TEST(RemoveDuplicates, SortsWithoutRegardToCase) {
  QStringList lines = Lines({"/w/*c*.htm", "/w/*B*.htm", "/w/*a*.htm"});
  RemoveDuplicateEntries(lines);
  EXPECT_EQ(lines, Lines({"/w/*a*.htm", "/w/*B*.htm", "/w/*c*.htm"}));
}

TEST(ListNames, NextFreeNameCountsUpAndStopsAtTheLimit) {
  TempFolder tmp;
  const QString pattern = QStringLiteral("(newlist*).lst");
  EXPECT_EQ(NextFreeListName(tmp.path(), pattern, 100),
            tmp.path() + QStringLiteral("(newlist1).lst"));
  tmp.Write(QStringLiteral("(newlist1).lst"));
  tmp.Write(QStringLiteral("(newlist2).lst"));
  EXPECT_EQ(NextFreeListName(tmp.path(), pattern, 100),
            tmp.path() + QStringLiteral("(newlist3).lst"));
  for (int k = 3; k <= 100; ++k) tmp.Write(QStringLiteral("(newlist%1).lst").arg(k));
  EXPECT_EQ(NextFreeListName(tmp.path(), pattern, 100),
            tmp.path() + QStringLiteral("(newlist100).lst"));
}

}  // namespace
}  // namespace vistrel
