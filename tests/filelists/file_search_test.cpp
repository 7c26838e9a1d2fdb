#include "filelists/file_search.h"

#include <gtest/gtest.h>

#include "qstring_print.h"
#include <dirent.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <thread>

#include "core/disk_name.h"
#include "filelists/list_entry.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

QStringList Paths(const TempFolder& tmp, std::initializer_list<const char*> relative) {
  QStringList out;
  for (const char* r : relative) out.append(tmp.path() + QString::fromUtf8(r));
  return Sorted(out);
}

QStringList WalkPaths(const QString& folder, const QString& mask, bool includeThumbs = false,
                      const QString& thumbs = QString(), SearchOutcome* outcome = nullptr) {
  SearchRequest request;
  request.folder = folder;
  request.patternList = mask;
  request.asListEntries = false;
  request.includeThumbnailFolder = includeThumbs;
  request.thumbFolder = thumbs;
  QStringList hits;
  const SearchOutcome result = SearchFolderTree(request, hits);
  if (outcome) *outcome = result;
  return Sorted(hits);
}

TEST(SearchFolderTree, LeavesOutHiddenEntriesAndVtiFoldersAndListsFoldersItDoesNotEnter) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("a.htm"));
  tmp.Write(QStringLiteral("b.HTML"));
  tmp.Write(QStringLiteral("notes.txt"));
  tmp.Write(QStringLiteral(".hidden.htm"));
  tmp.Write(QStringLiteral(".site/c.htm"));
  tmp.Write(QStringLiteral("sub/deep/d.htm"));
  tmp.Write(QStringLiteral("_vti_cnf/e.htm"));
  tmp.Write(QStringLiteral("x_VTI_Cnf.htm/f.htm"));  // not entered, but its own name matches
  tmp.Write(QStringLiteral("pics.gif/inner.gif"));   // entered: an ordinary folder
  EXPECT_EQ(
      WalkPaths(tmp.path(), QStringLiteral("*.htm;*.gif")),
      Paths(tmp, {"a.htm", "b.HTML", "sub/deep/d.htm", "x_VTI_Cnf.htm", "pics.gif/inner.gif"}));
}

TEST(SearchFolderTree, KeepsOutOfThumbnailSubfoldersUnlessAsked) {
  TempFolder tmp;
  const QString thumbs = tmp.MakeDir(QStringLiteral("THUMBS"));
  tmp.Write(QStringLiteral("THUMBS/top.jpg"));
  tmp.Write(QStringLiteral("THUMBS/=home=web/page.htm.jpg"));
  tmp.Write(QStringLiteral("site/p.jpg"));
  EXPECT_EQ(WalkPaths(tmp.path(), QStringLiteral("*.jpg"), false, thumbs),
            Paths(tmp, {"THUMBS/top.jpg", "site/p.jpg"}));
  EXPECT_EQ(WalkPaths(thumbs, QStringLiteral("*.JPG"), true, thumbs),
            Paths(tmp, {"THUMBS/top.jpg", "THUMBS/=home=web/page.htm.jpg"}));
}

TEST(SearchFolderTree, NeverFollowsFolderLinksSoLoopsEnd) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("site/a.htm"));
  tmp.Write(QStringLiteral("other/b.htm"));
  ASSERT_EQ(symlink("..", QFile::encodeName(tmp.path() + QStringLiteral("site/up")).constData()),
            0);
  ASSERT_EQ(symlink(QFile::encodeName(tmp.path() + QStringLiteral("site")).constData(),
                    QFile::encodeName(tmp.path() + QStringLiteral("site/loop.htm")).constData()),
            0);
  ASSERT_EQ(symlink(QFile::encodeName(tmp.path() + QStringLiteral("site/a.htm")).constData(),
                    QFile::encodeName(tmp.path() + QStringLiteral("other/link.htm")).constData()),
            0);
  // The link to a folder is named like a page, so it is listed like a file but not entered.
  EXPECT_EQ(WalkPaths(tmp.path(), QStringLiteral("*.htm")),
            Paths(tmp, {"site/a.htm", "site/loop.htm", "other/b.htm", "other/link.htm"}));
}

TEST(SearchFolderTree, AnEmptyFolderNameFindsNothingInsteadOfTheWholeDisk) {
  QStringList found;
  SearchRequest request;
  request.patternList = QStringLiteral("*");
  SearchFolderTree(request, found);
  EXPECT_TRUE(found.isEmpty()) << found.value(0).toStdString();
  SearchFolder(found, QString(), QStringLiteral("*"));
  EXPECT_TRUE(found.isEmpty()) << found.value(0).toStdString();
}

TEST(SearchFolderTree, UnreadableOrMissingFoldersContributeNothing) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  TempFolder tmp;
  tmp.Write(QStringLiteral("open/a.htm"));
  tmp.Write(QStringLiteral("closed/b.htm"));
  QFile::setPermissions(tmp.path() + QStringLiteral("closed"), QFileDevice::Permissions());
  EXPECT_EQ(WalkPaths(tmp.path(), QStringLiteral("*.htm")), Paths(tmp, {"open/a.htm"}));
  QFile::setPermissions(tmp.path() + QStringLiteral("closed"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_TRUE(
      WalkPaths(tmp.path() + QStringLiteral("nothing-here"), QStringLiteral("*.htm")).isEmpty());
}

TEST(SearchFolderTree, NamesAListLineCannotHoldAreLeftOutAndNamedOthersFoundByTheirBytes) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("good \"quoted\".htm"));
  tmp.Write(QStringLiteral("star*name.htm"));
  tmp.Write(QStringLiteral("line\nbreak.htm"));
  tmp.Write(QStringLiteral("dir*ectory/inside.htm"));
  const QByteArray badBytes = NameToDisk(tmp.path()) + QByteArray("caf\xe9.htm");
  {
    FILE* f = fopen(badBytes.constData(), "w");
    ASSERT_NE(f, nullptr);
    fclose(f);
  }

  SearchRequest request;
  request.folder = tmp.path();
  request.patternList = QStringLiteral("*.htm");
  QStringList entries;
  const SearchOutcome outcome = SearchFolderTree(request, entries);
  QStringList found;
  for (const QString& entry : entries) found.append(FullPathOfEntry(entry));
  EXPECT_EQ(Sorted(found),
            Sorted({tmp.path() + QStringLiteral("good \"quoted\".htm"), NameFromDisk(badBytes)}));
  // The folder holding a star is named once, not entered.
  EXPECT_EQ(Sorted(outcome.leftOut),
            Paths(tmp, {"star*name.htm", "line\\nbreak.htm", "dir*ectory"}));

  // As plain paths every name is usable; the folder with a star is entered.
  SearchOutcome pathOutcome;
  const QStringList paths = WalkPaths(tmp.path(), QStringLiteral("*.htm"), false, {}, &pathOutcome);
  EXPECT_EQ(paths.size(), 5);
  EXPECT_TRUE(pathOutcome.leftOut.isEmpty());
  EXPECT_TRUE(paths.contains(NameFromDisk(badBytes)));
  unlink(badBytes.constData());  // the temporary folder cannot name it to remove it
}

TEST(SearchFolderTree, BreathesOnlyOnTheCallingThreadAndNotPerEntry) {
  TempFolder tmp;
  for (int i = 0; i < 300; ++i) tmp.Write(QStringLiteral("d%1/p.htm").arg(i));
  SearchRequest request;
  request.folder = tmp.path();
  request.patternList = QStringLiteral("*.htm");
  // Folders are read on other threads; the user interface may only be touched on this one.
  const std::thread::id caller = std::this_thread::get_id();
  int calls = 0;
  int elsewhere = 0;
  request.processEvents = [&] {
    ++calls;
    elsewhere += std::this_thread::get_id() != caller;
  };
  request.progress = [&](qsizetype, const QString&) {
    elsewhere += std::this_thread::get_id() != caller;
  };
  QStringList hits;
  SearchFolderTree(request, hits);
  EXPECT_EQ(hits.size(), 300);
  EXPECT_EQ(elsewhere, 0);
  EXPECT_LT(calls, 600);  // never once per entry
}

TEST(SearchFolderTree, ALargeFolderGivesEachEntryOnceInDirectoryOrderWithItsOwnSize) {
  // Large enough for the status of its hits to be read on two threads.
  TempFolder tmp;
  constexpr int kPages = 5000;
  for (int i = 0; i < kPages; ++i)
    tmp.Write(QStringLiteral("p%1.htm").arg(i), QByteArray(i % 7, 'x'));
  QStringList names;
  DIR* dir = opendir(NameToDisk(tmp.path()).constData());
  ASSERT_NE(dir, nullptr);
  while (const dirent* entry = readdir(dir))
    if (entry->d_name[0] != '.') names.append(QString::fromLatin1(entry->d_name));
  closedir(dir);

  SearchRequest request;
  request.folder = tmp.path();
  request.patternList = QStringLiteral("*.htm");
  QStringList entries;
  SearchFolderTree(request, entries);
  ASSERT_EQ(entries.size(), kPages);
  for (int i = 0; i < kPages; ++i) {
    const ListRow row = SplitListEntry(entries[i]);
    ASSERT_EQ(row[kFieldFilename] + row[kFieldExt], names[i]) << i;
    EXPECT_EQ(row[kFieldSize], QString::number(row[kFieldFilename].mid(1).toInt() % 7)) << i;
    EXPECT_EQ(row[kFieldDate].size(), 17);
  }
}

TEST(SearchFolder, LooksAtOneFolderAndTestsSubfoldersLikeFiles) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("a.gif"), QByteArray(12, 'x'));
  tmp.Write(QStringLiteral("x.gif/inner.gif"));
  tmp.Write(QStringLiteral(".h.gif"));
  tmp.Write(QStringLiteral("sub/b.gif"));
  QStringList entries;
  SearchFolder(entries, tmp.path(), QStringLiteral("*.gif"));
  QStringList paths;
  for (const QString& e : entries) paths.append(FullPathOfEntry(e));
  EXPECT_EQ(Sorted(paths), Paths(tmp, {"a.gif", "x.gif"}));
  for (const QString& e : entries) {
    const ListRow row = SplitListEntry(e);
    EXPECT_EQ(row[kFieldFolder], tmp.path());
    if (row[kFieldFilename] == QLatin1String("a")) {
      EXPECT_EQ(row[kFieldSize], QStringLiteral("12"));
    }
    EXPECT_EQ(row[kFieldDate].size(), 17);
  }
}

}  // namespace
}  // namespace vistrel
