// Search, lists, verification, copy and delete over a real site folder with names that are
// not UTF-8, names holding pattern and separator characters, and entries that are no pages.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QSet>
#include <algorithm>
#include <functional>

#include "core/disk_name.h"
#include "core/text_file.h"
#include "filelists/file_operations.h"
#include "filelists/file_search.h"
#include "filelists/list_entry.h"
#include "filelists/list_file.h"
#include "filelists/list_verify.h"
#include "hostile_tree.h"
#include "settings/program_settings.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::HostileTree;

QStringList SearchEntries(const QString& folder, SearchOutcome* outcome = nullptr) {
  SearchRequest request;
  request.folder = folder;
  request.patternList = QStringLiteral("*.htm");
  QStringList entries;
  const SearchOutcome result = SearchFolderTree(request, entries);
  if (outcome) *outcome = result;
  return entries;
}

QSet<QString> PathsOf(const QStringList& entries) {
  QSet<QString> paths;
  for (const QString& entry : entries) paths.insert(FullPathOfEntry(entry));
  return paths;
}

QByteArray ReadBytes(const QString& path) {
  QByteArray bytes;
  EXPECT_TRUE(ReadWholeFile(path, &bytes)) << PrintableName(path).toStdString();
  return bytes;
}

TEST(HostileSearch, FindsEveryPageByItsBytesAndNamesWhatAListCannotHold) {
  HostileTree tree;
  SearchOutcome outcome;
  const QStringList entries = SearchEntries(tree.folder(), &outcome);
  const QSet<QString> found = PathsOf(entries);
  EXPECT_EQ(found.size(), entries.size()) << "a file listed twice";
  for (const HostileTree::Page& page : tree.pages()) {
    EXPECT_TRUE(found.contains(page.path)) << PrintableName(page.path).toStdString();
    // The name in the list leads back to the very same file.
    EXPECT_EQ(ReadBytes(page.path), page.bytes);
  }
  // Entries named like pages are entries of their folder, listed like any other; the folder
  // link back up is never entered.
  for (const QString& other : tree.notPages())
    EXPECT_TRUE(found.contains(other)) << PrintableName(other).toStdString();
  EXPECT_EQ(found.size(), tree.pages().size() + tree.notPages().size());

  QStringList expectedLeftOut;
  for (const HostileTree::Page& page : tree.unlistable()) {
    EXPECT_FALSE(found.contains(page.path));
    expectedLeftOut.append(PrintableName(page.path));
  }
  QStringList leftOut = outcome.leftOut;
  leftOut.sort();
  expectedLeftOut.sort();
  EXPECT_EQ(leftOut, expectedLeftOut);
  EXPECT_TRUE(leftOut.join(QString()).contains(QStringLiteral("line\\nbreak.html")));
}

TEST(HostileSearch, FullPathsKeepNamesAListCannotHold) {
  HostileTree tree;
  SearchRequest request;
  request.folder = tree.folder();
  request.patternList = QStringLiteral("*.html");
  request.asListEntries = false;
  QStringList paths;
  EXPECT_TRUE(SearchFolderTree(request, paths).leftOut.isEmpty());
  for (const HostileTree::Page& page : tree.pages() + tree.unlistable())
    EXPECT_TRUE(paths.contains(page.path)) << PrintableName(page.path).toStdString();
}

// One reader, depth first, in the directory's order: what the walk must give, however many
// threads read the folders.
void ReferenceWalk(const QByteArray& folder, QList<QByteArray>& out) {
  DIR* dir = ::opendir(folder.constData());
  ASSERT_NE(dir, nullptr);
  QList<QByteArray> names;
  while (const dirent* entry = ::readdir(dir))
    if (entry->d_name[0] != '.') names.append(entry->d_name);
  ::closedir(dir);
  for (const QByteArray& name : names) {
    struct stat status {};
    ::lstat(QByteArray(folder + name).constData(), &status);
    if (S_ISDIR(status.st_mode))
      ReferenceWalk(folder + name + '/', out);
    else if (name.endsWith(".htm"))
      out.append(folder + name);
  }
}

TEST(HostileSearch, ManyFoldersComeOutInTheOrderOfOneDepthFirstReader) {
  testing::TempFolder tmp;
  for (int site = 0; site < 6; ++site) {
    for (int section = 0; section < 12; ++section) {
      const QString base = QStringLiteral("s%1/sec%2/").arg(site).arg(section);
      for (int page = 0; page < 5; ++page) tmp.Write(base + QStringLiteral("p%1.htm").arg(page));
      tmp.Write(base + QStringLiteral("deep/er/x.htm"));
    }
    tmp.Write(QStringLiteral("s%1/top.htm").arg(site));
  }
  // A folder large enough for the status of its hits to be read on two threads, with
  // subfolders among its pages that the walk's other thread reads meanwhile.
  for (int page = 0; page < 4500; ++page)
    tmp.Write(QStringLiteral("s2/big/p%1.htm").arg(page), QByteArray(page % 5, 'x'));
  for (int folder = 0; folder < 30; ++folder)
    tmp.Write(QStringLiteral("s2/big/d%1/caf\u00E9.htm").arg(folder));
  QList<QByteArray> expected;
  ReferenceWalk(NameToDisk(tmp.path()), expected);
  ASSERT_EQ(expected.size(), 6 * (12 * 6 + 1) + 4530);
  SearchRequest request;
  request.folder = tmp.path();
  request.patternList = QStringLiteral("*.htm");
  for (int run = 0; run < 4; ++run) {
    // Paths and list entries alike, as text and as the bytes written out.
    request.asListEntries = run % 2 == 1;
    QStringList hits;
    SearchFolderTree(request, hits);
    QByteArray lines;
    SearchFolderTreeLines(request, [&lines](const QByteArray& block) { lines += block; });
    QList<QByteArray> got;
    QByteArray hitLines;
    for (const QString& hit : hits) {
      got.append(NameToDisk(request.asListEntries ? FullPathOfEntry(hit) : hit));
      hitLines += NameToDisk(hit) + '\n';
    }
    ASSERT_EQ(got, expected) << "run " << run;
    EXPECT_EQ(lines, hitLines) << "run " << run;
  }
}

TEST(HostileSearch, TheBytesWrittenOutAreTheEntriesOfTheNamesOnDisk) {
  HostileTree tree;
  SearchRequest request;
  request.folder = tree.folder();
  request.patternList = QStringLiteral("*.htm");
  enum { kTreeEntries, kTreePaths, kOneFolder };
  for (const int walk : {kTreeEntries, kTreePaths, kOneFolder}) {
    QStringList hits;
    QByteArray lines;
    const auto take = [&lines](const QByteArray& block) { lines += block; };
    SearchOutcome asText, asBytes;
    if (walk == kOneFolder) {
      asText = SearchFolder(hits, tree.folder(), QStringLiteral("*.htm"));
      asBytes = SearchFolderLines(take, tree.folder(), QStringLiteral("*.htm"));
    } else {
      request.asListEntries = walk == kTreeEntries;
      asText = SearchFolderTree(request, hits);
      asBytes = SearchFolderTreeLines(request, take);
    }
    QByteArray expected;
    for (const QString& hit : hits) expected += NameToDisk(hit) + '\n';
    EXPECT_EQ(lines, expected) << walk;
    EXPECT_EQ(asBytes.leftOut, asText.leftOut) << walk;
    // Only a list entry cannot hold a line break: as a path it is one more hit.
    EXPECT_EQ(asBytes.leftOut.isEmpty(), walk == kTreePaths) << walk;
    EXPECT_EQ(lines.contains("/line\nbreak.html\n"), walk == kTreePaths) << walk;
    EXPECT_TRUE(lines.contains(walk == kTreePaths ? "caf\xE9.html\n" : "caf\xE9*.html*"))
        << lines.toStdString();
  }
}

TEST(HostileLists, EveryNameReadsBackAsItsBytesBesideOtherEncodings) {
  HostileTree tree;
  const QStringList entries = SearchEntries(tree.folder());
  testing::TempFolder tmp;
  const QString list = tmp.path() + QStringLiteral("hostile.lst");
  QString error;
  ASSERT_TRUE(WriteListFile(list, entries, &error)) << error.toStdString();
  // The Latin-1 name is stored as its one byte, not as UTF-8 of a replacement.
  const QByteArray bytes = ReadBytes(list);
  EXPECT_TRUE(bytes.contains(QByteArray("*caf\xE9*.html*")));
  EXPECT_TRUE(bytes.contains(QByteArray("*caf\xC3\xA9*.html*")));
  QStringList back;
  ASSERT_TRUE(ReadListFile(list, &back, &error));
  EXPECT_EQ(back, entries);
}

TEST(HostileLists, OneLineInAnotherEncodingLeavesTheUtf8LinesAlone) {
  const QByteArray bytes(
      "/w/*caf\xC3\xA9*.htm*1*2001-03-04  17:05\r\n"
      "/w/*caf\xE9*.htm*1*2001-03-04  17:05\n"
      "/w/*na\xC3\xAFve*.htm*1*2001-03-04  17:05\r"
      "\r\n"
      "/w/*\xFF\xC3*.htm*1*2001-03-04  17:05");
  const QStringList lines = DecodeListLines(bytes);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(SplitListEntry(lines[0])[kFieldFilename], QStringLiteral("caf\u00E9"));
  EXPECT_EQ(SplitListEntry(lines[2])[kFieldFilename], QStringLiteral("na\u00EFve"));
  EXPECT_EQ(lines[3], QString());
  EXPECT_EQ(NameToDisk(SplitListEntry(lines[1])[kFieldFilename]), QByteArray("caf\xE9"));
  EXPECT_EQ(NameToDisk(SplitListEntry(lines[4])[kFieldFilename]), QByteArray("\xFF\xC3"));
  // What was read is written back byte for byte, line breaks made CR LF.
  QByteArray expected = bytes;
  expected.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
  EXPECT_EQ(EncodeListLines(lines), expected + "\r\n");
}

TEST(HostileLists, LoadingAMixedListKeepsTheAccentedUtf8Entries) {
  HostileTree tree;
  const QStringList entries = SearchEntries(tree.folder());
  testing::TempFolder tmp;
  const QString list = tmp.path() + QStringLiteral("mixed.lst");
  ASSERT_TRUE(WriteFileAtomically(list, EncodeListLines(entries)));
  QStringList lines;
  QString error;
  ASSERT_TRUE(ReadListFile(list, &lines, &error));
  std::vector<ListRow> rows;
  for (const QString& line : lines) rows.push_back(SplitListEntry(line));
  const VerifyOutcome outcome = VerifyRows(rows);
  EXPECT_EQ(outcome.notFound, 0) << outcome.report.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(outcome.updated, 0) << outcome.report.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(rows.size(), entries.size());
}

TEST(HostileVerify, SpecialFilesAreLookedAtAndUnreachablePathsAreKeptAndNamed) {
  HostileTree tree;
  testing::TempFolder tmp;
  // A folder link that loops: nothing below it can be looked at, nor said to be gone.
  const QByteArray loop = NameToDisk(QString(tmp.path() + QStringLiteral("loop")));
  ASSERT_EQ(::symlink("loop", loop.constData()), 0);
  std::vector<ListRow> rows;
  for (const QString& other : tree.notPages()) {
    DirectoryEntry entry;
    entry.name = other.mid(tree.folder().size());
    rows.push_back(SplitListEntry(MakeListEntry(tree.folder(), entry)));
  }
  rows.push_back(
      SplitListEntry(tmp.path() + QStringLiteral("loop/*page*.html*5*2001-03-04  17:05")));
  const ListRow stuck = rows.back();
  const VerifyOutcome outcome = VerifyRows(rows);  // must not block on the FIFO
  EXPECT_EQ(outcome.notFound, 0) << outcome.report.join(QLatin1Char('\n')).toStdString();
  ASSERT_EQ(rows.size(), tree.notPages().size() + 1);
  EXPECT_EQ(rows.back(), stuck);
  ASSERT_EQ(outcome.unreadable.size(), 1);
  EXPECT_TRUE(
      outcome.unreadable.first().startsWith(tmp.path() + QStringLiteral("loop/page.html: ")));
  EXPECT_TRUE(UnreadableMessage(outcome).contains(QStringLiteral("loop/page.html")));
  EXPECT_TRUE(UnreadableMessage(VerifyOutcome()).isEmpty());
}

TEST(HostileVerify, AFolderWithoutPermissionKeepsItsEntries) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  testing::TempFolder tmp;
  tmp.Write(QStringLiteral("locked/a.htm"));
  std::vector<ListRow> rows{
      SplitListEntry(tmp.path() + QStringLiteral("locked/*a*.htm*0*2001-03-04  17:05"))};
  const QByteArray locked = NameToDisk(QString(tmp.path() + QStringLiteral("locked")));
  ASSERT_EQ(::chmod(locked.constData(), 0), 0);
  const VerifyOutcome outcome = VerifyRows(rows);
  ::chmod(locked.constData(), 0755);
  EXPECT_EQ(outcome.notFound, 0);
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_EQ(outcome.unreadable.size(), 1);
}

TEST(HostileFileOperations, CopyAndDeleteTakeEveryNameAsItIs) {
  HostileTree tree;
  testing::TempFolder target;
  ProgramSettings settings;
  for (const HostileTree::Page& page : tree.pages() + tree.unlistable()) {
    const QString name = page.path.mid(page.path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString copy = target.path() + name;
    ASSERT_TRUE(CopyFileKeepDate(page.path, copy)) << PrintableName(page.path).toStdString();
    EXPECT_EQ(ReadBytes(copy), page.bytes) << PrintableName(copy).toStdString();
    struct stat from {};
    struct stat to {};
    ASSERT_EQ(::stat(NameToDisk(page.path).constData(), &from), 0);
    ASSERT_EQ(::stat(NameToDisk(copy).constData(), &to), 0);
    EXPECT_EQ(from.st_mtim.tv_sec, to.st_mtim.tv_sec);
    EXPECT_TRUE(DeleteFilePermanently(copy, settings));
    EXPECT_EQ(::access(NameToDisk(copy).constData(), F_OK), -1);
  }
  // Only the copies went; no temporary file is left beside them.
  const QByteArray folder = NameToDisk(target.path());
  DIR* dir = ::opendir(folder.constData());
  ASSERT_NE(dir, nullptr);
  int left = 0;
  while (const dirent* entry = ::readdir(dir))
    left += entry->d_name[0] != '.' || entry->d_name[1] > '.';
  ::closedir(dir);
  EXPECT_EQ(left, 0);
  for (const HostileTree::Page& page : tree.pages()) EXPECT_EQ(ReadBytes(page.path), page.bytes);
}

TEST(HostileFileOperations, SpecialFilesAreNeverCopiedAndAFailedCopyKeepsTheTarget) {
  HostileTree tree;
  testing::TempFolder target;
  const QString existing = target.Write(QStringLiteral("kept.html"), "old contents");
  for (const QString& other : tree.notPages())
    EXPECT_FALSE(CopyFileKeepDate(other, existing)) << PrintableName(other).toStdString();
  EXPECT_EQ(ReadBytes(existing), QByteArray("old contents"));
}

}  // namespace
}  // namespace vistrel
