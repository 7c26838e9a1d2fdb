// The folder tree of the left panel: only folders, in the order users know, names of any bytes,
// read lazily and kept in step with the disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "app/ui/folder_panel.h"
#include "app/ui/folder_tree_model.h"
#include "app/ui/subfolder_listing.h"
#include "core/disk_name.h"
#include "hostile_tree.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

QStringList RowNames(const QAbstractItemModel& model, const QModelIndex& parent) {
  QStringList names;
  for (int row = 0; row < model.rowCount(parent); ++row)
    names.append(model.index(row, 0, parent).data().toString());
  return names;
}

void MakeRawFolder(const QByteArray& path) { ASSERT_EQ(::mkdir(path.constData(), 0755), 0); }

TEST(FolderTreeModel, ListsOnlyVisibleFoldersIgnoringLetterCase) {
  testing::TempFolder dir;
  for (const char* name : {"cherry", "Banana", "apple", ".hidden", "apple/inner"})
    dir.MakeDir(QString::fromLatin1(name));
  dir.Write(QStringLiteral("page.htm"));
  dir.Write(QStringLiteral("Aardvark.html"));
  const QByteArray root = NameToDisk(dir.path());
  ASSERT_EQ(::symlink("cherry", QByteArray(root + "linked").constData()), 0);
  ASSERT_EQ(::symlink("page.htm", QByteArray(root + "filelink").constData()), 0);
  ASSERT_EQ(::symlink("nowhere", QByteArray(root + "dangling").constData()), 0);

  // Below the whole disk the tree stays lazy: nothing is read before it is opened.
  FolderTreeModel disk;
  ASSERT_EQ(disk.rowCount(), 1);
  EXPECT_EQ(disk.index(0, 0).data().toString(), QStringLiteral("/"));
  const QModelIndex there = disk.IndexOf(dir.path());
  ASSERT_TRUE(there.isValid());
  EXPECT_EQ(disk.PathOf(there), dir.path());
  EXPECT_TRUE(disk.canFetchMore(there));
  EXPECT_EQ(disk.rowCount(there), 0);
  EXPECT_TRUE(disk.hasChildren(there));

  // The checker opens every folder, so it gets a tree of its own.
  FolderTreeModel model(dir.path());
  QAbstractItemModelTester checker(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const QModelIndex folder = model.index(0, 0);
  model.fetchMore(folder);
  EXPECT_EQ(RowNames(model, folder),
            (QStringList{QStringLiteral("apple"), QStringLiteral("Banana"),
                         QStringLiteral("cherry"), QStringLiteral("linked")}));
  // Once read, a folder without subfolders shows no expander; one with them keeps it.
  const QModelIndex banana = model.index(1, 0, folder);
  model.fetchMore(banana);
  EXPECT_FALSE(model.hasChildren(banana));
  EXPECT_EQ(RowNames(model, model.index(0, 0, folder)), QStringList{QStringLiteral("inner")});
  EXPECT_EQ(model.PathOf(model.index(0, 0, model.index(0, 0, folder))),
            dir.path() + QStringLiteral("apple/inner/"));
  // What is no folder is not there, even asked for by path.
  EXPECT_FALSE(model.IndexOf(dir.path() + QStringLiteral("filelink")).isValid());
  EXPECT_FALSE(model.IndexOf(dir.path() + QStringLiteral("gone/deeper")).isValid());
  // A hidden folder asked for by path (the way to a site below one) is shown in its place,
  // and stays when the folder is read again; the other hidden ones stay out.
  dir.MakeDir(QStringLiteral(".other"));
  const QModelIndex hidden = model.IndexOf(dir.path() + QStringLiteral(".hidden"));
  ASSERT_TRUE(hidden.isValid());
  EXPECT_EQ(model.PathOf(hidden), dir.path() + QStringLiteral(".hidden/"));
  model.Reread(folder);
  EXPECT_EQ(
      RowNames(model, folder),
      (QStringList{QStringLiteral(".hidden"), QStringLiteral("apple"), QStringLiteral("Banana"),
                   QStringLiteral("cherry"), QStringLiteral("linked")}));
}

TEST(FolderTreeModel, OrderIsTheSameWhicheverWayTheNamesCome) {
  QStringList names{QStringLiteral("b"),  QStringLiteral("A"), QStringLiteral("a"),
                    QStringLiteral("_x"), QStringLiteral("B"), QStringLiteral("c")};
  QStringList reversed(names.rbegin(), names.rend());
  SortFolderNames(names);
  SortFolderNames(reversed);
  EXPECT_EQ(names, reversed);  // a rule that decides ties, or rows would jump on a re-read
  EXPECT_LT(names.indexOf(QStringLiteral("A")), names.indexOf(QStringLiteral("b")));
  EXPECT_LT(names.indexOf(QStringLiteral("a")), names.indexOf(QStringLiteral("B")));
}

TEST(FolderTreeModel, FollowsFoldersMadeAndRemovedOnDisk) {
  testing::TempFolder dir;
  dir.MakeDir(QStringLiteral("keep/below"));
  FolderTreeModel model(dir.path());
  QAbstractItemModelTester checker(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const QModelIndex folder = model.index(0, 0);
  model.fetchMore(folder);
  const QPersistentModelIndex keep = model.index(0, 0, folder);
  model.fetchMore(keep);
  ASSERT_EQ(model.rowCount(keep), 1);

  // As a copy makes its target: the folder with its parents.
  ASSERT_TRUE(MakeFolders(dir.path() + QStringLiteral("made/deep")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount(folder) == 2; }, 5000));
  EXPECT_EQ(RowNames(model, folder), (QStringList{QStringLiteral("keep"), QStringLiteral("made")}));
  // The rows that were there keep what was read below them.
  EXPECT_EQ(keep.row(), 0);
  EXPECT_EQ(model.rowCount(keep), 1);

  // Files coming and going leave the folder's rows alone; a folder removed leaves them.
  dir.Write(QStringLiteral("keep/page.htm"));
  ASSERT_EQ(::rmdir(NameToDisk(QString(dir.path() + QStringLiteral("keep/below"))).constData()), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount(keep) == 0; }, 5000));
  EXPECT_FALSE(model.hasChildren(keep));
}

TEST(FolderTreeModel, FolderMadeWhereNothingWatchesIsFoundWhenAskedFor) {
  testing::TempFolder dir;
  FolderTreeModel model(dir.path());
  const QModelIndex folder = model.index(0, 0);
  model.fetchMore(folder);
  ASSERT_EQ(model.rowCount(folder), 0);
  // Made and asked for at once, before any change could be reported.
  dir.MakeDir(QStringLiteral("new/inner"));
  const QModelIndex inner = model.IndexOf(dir.path() + QStringLiteral("new/inner/"));
  ASSERT_TRUE(inner.isValid());
  EXPECT_EQ(model.PathOf(inner), dir.path() + QStringLiteral("new/inner/"));
}

TEST(FolderTreeModel, NamesOfAnyBytesAreShownPrintableAndKeptExactly) {
  testing::HostileTree tree;
  MakeRawFolder(NameToDisk(tree.folder()) + "caf\xE9");
  MakeRawFolder(NameToDisk(tree.folder()) + "tab\there");
  FolderTreeModel model(tree.folder());
  QAbstractItemModelTester checker(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const QModelIndex folder = model.IndexOf(tree.folder());
  model.fetchMore(folder);
  // The pages, FIFO and links of the site are no folders; the link to the parent is one.
  EXPECT_EQ(RowNames(model, folder), (QStringList{QStringLiteral("caf\\xE9"), QStringLiteral("sub"),
                                                  QStringLiteral("tab\\there")}));
  const QString latin1 = model.PathOf(model.index(0, 0, folder));
  EXPECT_EQ(NameToDisk(latin1), NameToDisk(tree.folder()) + "caf\xE9/");
  EXPECT_EQ(model.IndexOf(latin1), model.index(0, 0, folder));
}

TEST(FolderTreeModel, FolderLinkLoopIsReadOneLevelAtATime) {
  testing::HostileTree tree;
  FolderTreeModel model(tree.folder());
  QAbstractItemModelTester checker(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  // sub/up leads back to the site: the tree may go round as often as the user opens it.
  const QString deep = tree.folderLoop() + QStringLiteral("/sub/up/sub/up/sub/");
  const QModelIndex index = model.IndexOf(deep);
  ASSERT_TRUE(index.isValid());
  EXPECT_EQ(model.PathOf(index), deep);
  model.fetchMore(index);
  EXPECT_EQ(RowNames(model, index), QStringList{QStringLiteral("up")});
}

class FolderPanelTree : public ::testing::Test {
 protected:
  FolderPanel panel_{false};
  QTreeView* tree_ = panel_.folderTree();
  QSignalSpy changed_{&panel_, &FolderPanel::FolderChanged};

  void SetUp() override {
    panel_.resize(200, 400);
    panel_.show();
  }
  // A point on the start of a row's name: the row may be wider than the panel.
  QPoint NameStart(const QModelIndex& index) const {
    const QRect row = tree_->visualRect(index);
    return QPoint(row.left() + 4, row.center().y());
  }
  QString PathOfCurrent() const {
    return static_cast<FolderTreeModel*>(tree_->model())->PathOf(tree_->currentIndex());
  }
};

TEST_F(FolderPanelTree, SetFolderOpensTheWayToADeepFolderAndSelectsIt) {
  testing::TempFolder dir;
  const QString deep = dir.MakeDir(QStringLiteral("a/b/c/d"));
  panel_.SetFolder(deep);
  EXPECT_EQ(panel_.Folder(), deep);
  EXPECT_EQ(PathOfCurrent(), deep);
  for (QModelIndex up = tree_->currentIndex().parent(); up.isValid(); up = up.parent())
    EXPECT_TRUE(tree_->isExpanded(up));
  // Still in view once the tree has laid out the rows it read.
  QCoreApplication::processEvents();
  EXPECT_TRUE(tree_->viewport()->rect().contains(NameStart(tree_->currentIndex())));
  EXPECT_EQ(changed_.count(), 0);  // the caller decides what follows
}

TEST_F(FolderPanelTree, ChoosingAFolderReportsItsExactPath) {
  testing::HostileTree tree;
  MakeRawFolder(NameToDisk(tree.folder()) + "caf\xE9");
  panel_.SetFolder(tree.folder());
  const QModelIndex latin1 = tree_->model()->index(0, 0, tree_->currentIndex());
  ASSERT_EQ(latin1.data().toString(), QStringLiteral("caf\\xE9"));
  tree_->scrollTo(latin1);
  QCoreApplication::processEvents();  // the tree lays out its rows

  // With single-click opening off, a click only selects.
  QTest::mouseClick(tree_->viewport(), Qt::LeftButton, {}, NameStart(latin1));
  EXPECT_EQ(tree_->currentIndex(), latin1);
  EXPECT_EQ(changed_.count(), 0);
  QTest::keyClick(tree_, Qt::Key_Return);
  ASSERT_EQ(changed_.count(), 1);
  const QString chosen = changed_.takeFirst().at(0).toString();
  EXPECT_EQ(NameToDisk(chosen), NameToDisk(tree.folder()) + "caf\xE9/");
  EXPECT_EQ(panel_.Folder(), chosen);

  // Single-click opening on: a click on the parent opens it.
  panel_.SetOpenOnSingleClick(true);
  const QModelIndex parent = latin1.parent();
  QTest::mouseClick(tree_->viewport(), Qt::LeftButton, {}, NameStart(parent));
  ASSERT_EQ(changed_.count(), 1);
  EXPECT_EQ(changed_.takeFirst().at(0).toString(), tree.folder());
}

}  // namespace
}  // namespace vistrel
