#include "filelists/list_verify.h"

#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QFile>
#include <QFileInfo>

#include "filelists/file_search.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

std::vector<ListRow> RowsOfTree(const QString& folder) {
  SearchRequest request;
  request.folder = folder;
  request.patternList = QStringLiteral("*.htm");
  QStringList entries;
  SearchFolderTree(request, entries);
  entries.sort();
  std::vector<ListRow> rows;
  for (const QString& e : entries) rows.push_back(SplitListEntry(e));
  return rows;
}

TEST(VerifyRows, UnchangedFilesGiveNoReport) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("a.htm"), "a");
  tmp.Write(QStringLiteral("s/b.htm"), "b");
  std::vector<ListRow> rows = RowsOfTree(tmp.path());
  const std::vector<ListRow> before = rows;
  const VerifyOutcome outcome = VerifyRows(rows);
  EXPECT_EQ(outcome.total, 2);
  EXPECT_EQ(outcome.notFound, 0);
  EXPECT_EQ(outcome.updated, 0);
  EXPECT_TRUE(outcome.report.isEmpty());
  EXPECT_EQ(rows, before);
}

TEST(VerifyRows, RemovesVanishedRowsAndRefreshesChangedOnes) {
  TempFolder tmp;
  const QString gone = tmp.Write(QStringLiteral("a.htm"), "a");
  const QString edited = tmp.Write(QStringLiteral("b.htm"), "b");
  tmp.Write(QStringLiteral("c.htm"), "c");
  std::vector<ListRow> rows = RowsOfTree(tmp.path());
  ASSERT_EQ(rows.size(), 3u);
  rows.push_back(SplitListEntry(QStringLiteral("garbage line without stars")));
  rows.push_back(ListRow{});

  ASSERT_TRUE(QFile::remove(gone));
  tmp.Write(QStringLiteral("b.htm"), "edited and longer");

  int advances = 0;
  const VerifyOutcome outcome = VerifyRows(rows, [&advances] { ++advances; });
  EXPECT_EQ(outcome.total, 5);
  EXPECT_EQ(outcome.notFound, 3);
  EXPECT_EQ(outcome.updated, 1);
  EXPECT_EQ(outcome.report, QStringList({QStringLiteral("Not Found:  ") + gone,
                                         QStringLiteral("Updated:  ") + edited,
                                         QStringLiteral("Not Found:  garbage line without stars"),
                                         QStringLiteral("Not Found:  ")}));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(FullPathOfRow(rows[0]), edited);
  EXPECT_EQ(rows[0][kFieldSize], QStringLiteral("17"));
  EXPECT_GT(advances, 0);

  EXPECT_EQ(VerifyQuestion(outcome),
            QStringLiteral(
                "Loaded list contains 5 entries.\r\n\r\n3 orphaned file entries removed "
                "from list\r\n1 file entries updated\r\n\r\nSave updated list before continue?"));
}

TEST(VerifyRows, KeepsTheStoredFolderTextAndNoticesAChangedMinute) {
  TempFolder tmp;
  const QString page = tmp.Write(QStringLiteral("a.htm"), "a");
  std::vector<ListRow> rows = RowsOfTree(tmp.path());
  // Spelled with a doubled separator, as a file dialog might have reached it.
  rows[0][kFieldFolder] = tmp.path() + QStringLiteral("/");
  rows[0][kFieldDate] = QStringLiteral("1990-01-01  00:00");
  const VerifyOutcome outcome = VerifyRows(rows);
  EXPECT_EQ(outcome.updated, 1);
  // The folder is made to end in one separator; the date is the file's own again.
  EXPECT_EQ(rows[0][kFieldFolder], tmp.path());
  EXPECT_EQ(rows[0][kFieldDate],
            ListDateText(QFileInfo(page).lastModified().toMSecsSinceEpoch() * 1000000LL));
}

}  // namespace
}  // namespace vistrel
