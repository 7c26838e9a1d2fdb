#include "filelists/list_entry.h"

#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QDateTime>

namespace vistrel {
namespace {

qint64 LocalStampNs(int y, int mo, int d, int h, int mi, int s) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s)).toMSecsSinceEpoch() * 1000000LL;
}

TEST(ListEntry, IsBuiltFromFolderNameSizeAndLocalMinute) {
  DirectoryEntry entry;
  entry.name = QStringLiteral("index.html");
  entry.size = 2048;
  entry.stampNs = LocalStampNs(2001, 3, 4, 17, 5, 59);
  EXPECT_EQ(MakeListEntry(QStringLiteral("/web//"), entry),
            QStringLiteral("/web/*index*.html*2048*2001-03-04  17:05"));

  entry.name = QStringLiteral("archive.tar.gz");
  entry.stampNs = LocalStampNs(1999, 12, 31, 0, 0, 0);
  EXPECT_EQ(MakeListEntry(QStringLiteral("/a"), entry),
            QStringLiteral("/a/*archive.tar*.gz*2048*1999-12-31  00:00"));

  entry.name = QStringLiteral("Makefile");
  EXPECT_EQ(SplitListEntry(MakeListEntry(QStringLiteral("/a/"), entry))[kFieldExt], QString());
  entry.name = QStringLiteral(".profile");
  const ListRow hidden = SplitListEntry(MakeListEntry(QStringLiteral("/a/"), entry));
  EXPECT_EQ(hidden[kFieldFilename], QString());
  EXPECT_EQ(hidden[kFieldExt], QStringLiteral(".profile"));
  EXPECT_EQ(FullPathOfRow(hidden), QStringLiteral("/a/.profile"));
}

TEST(ListEntry, SplittingFillsMissingFieldsAndIgnoresTextAfterTheFifthStar) {
  ListRow row = SplitListEntry(QStringLiteral("/a/*b*.htm"));
  EXPECT_EQ(row[kFieldFolder], QStringLiteral("/a/"));
  EXPECT_EQ(row[kFieldExt], QStringLiteral(".htm"));
  EXPECT_EQ(row[kFieldSize], QString());
  EXPECT_EQ(row[kFieldDate], QString());

  row = SplitListEntry(QStringLiteral("f*n*e*1*d*extra*more"));
  EXPECT_EQ(row[kFieldDate], QStringLiteral("d"));
  EXPECT_EQ(JoinListRow(row), QStringLiteral("f*n*e*1*d"));

  row = SplitListEntry(QString());
  for (const QString& cell : row) EXPECT_TRUE(cell.isEmpty());
  EXPECT_EQ(SplitListEntry(QStringLiteral("no stars at all"))[kFieldFolder],
            QStringLiteral("no stars at all"));
}

TEST(ListEntry, NamesWithStarsOrLineBreaksDoNotFit) {
  EXPECT_TRUE(FitsInListEntry(QStringLiteral("a \"quoted\" name.htm")));
  EXPECT_FALSE(FitsInListEntry(QStringLiteral("a*b.htm")));
  EXPECT_FALSE(FitsInListEntry(QStringLiteral("a\nb.htm")));
  EXPECT_FALSE(FitsInListEntry(QStringLiteral("a\rb.htm")));
}

}  // namespace
}  // namespace vistrel
