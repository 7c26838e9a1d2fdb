#include "filelists/list_entry.h"

#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QDateTime>
#include <utility>

#include "core/disk_name.h"

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

TEST(ListEntry, TheWalksByteLinesAreTheEntriesOnDisk) {
  // A walk writes lines as bytes; loading, verifying and the page build them as text. The two
  // must agree byte for byte, or a verification would call every searched file updated.
  const qint64 stamps[] = {LocalStampNs(2001, 3, 4, 17, 5, 59),
                           LocalStampNs(2001, 3, 4, 17, 6, 0),
                           LocalStampNs(1969, 12, 31, 23, 59, 30) + 123,
                           -1,
                           0,
                           LocalStampNs(2038, 1, 19, 3, 14, 8)};
  const QByteArray names[] = {"index.html", "caf\xE9.htm", "\xC3\xBC\xFF.tar.gz",
                              "Makefile",   "trailing.",   "w\x80.x\x9C"};
  const QByteArray folder = "/s\xE9ite/";
  for (const QByteArray& name : names) {
    for (const qint64 stamp : stamps) {
      for (const qint64 size : {qint64(0), qint64(2048), qint64(1) << 40}) {
        DirectoryEntry entry;
        entry.name = NameFromDisk(name);
        entry.size = size;
        entry.stampNs = stamp;
        QByteArray line = folder;
        AppendListFields(line, name, size, stamp);
        EXPECT_EQ(line, NameToDisk(MakeListEntry(NameFromDisk(folder), entry)))
            << name.toStdString() << " " << stamp;
      }
    }
  }
}

TEST(ListEntry, NamesWithStarsOrLineBreaksDoNotFit) {
  const std::pair<const char*, bool> names[] = {{"a \"quoted\" name.htm", true},
                                                {"caf\xE9.htm", true},
                                                {"a*b.htm", false},
                                                {"a\nb.htm", false},
                                                {"a\rb.htm", false}};
  for (const auto& [name, fits] : names) {
    EXPECT_EQ(FitsInListEntry(NameFromDisk(name)), fits) << name;
    EXPECT_EQ(FitsInListEntry(QByteArrayView(name)), fits) << name;
  }
}

}  // namespace
}  // namespace vistrel
