// The File Lists page over a site folder with hostile names: searched, saved, loaded and
// verified without losing or renaming a page.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QListWidget>
#include <QSet>

#include "core/disk_name.h"
#include "filelists/file_lists_page.h"
#include "filelists/list_report_model.h"
#include "filelists/search_files_dialog.h"
#include "hostile_tree.h"
#include "page_fixture.h"

namespace vistrel {
namespace {

class FileListsPageHostileTest : public testing::PageFixture {
 protected:
  FileListsPageHostileTest() {
    site_ = tree_.folder();
    mask_ = QStringLiteral("*.html");
  }
  QSet<QString> RowPaths() {
    QSet<QString> paths;
    for (const ListRow& row : page().model().rows()) paths.insert(FullPathOfRow(row));
    return paths;
  }
  void Load(const QString& name) {
    QListWidget* box = page().savedLists();
    box->clearSelection();
    const auto items = box->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    items.first()->setSelected(true);
    page().LoadListFile();
  }

  testing::HostileTree tree_;
};

TEST_F(FileListsPageHostileTest, SearchSaveAndLoadKeepEveryPageAndNameWhatIsLeftOut) {
  Expect<SearchFilesDialog>([](SearchFilesDialog& d) {
    d.SetIncludeSubfolders(true);
    d.SetAddToCurrentList(false);
    return int(QDialog::Accepted);
  });
  Expect<ListNameDialog>([](ListNameDialog& d) {
    d.SetName(QStringLiteral("hostile"));
    d.TrySave();
    return d.result();
  });
  page().Search();

  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts.first().startsWith(QStringLiteral("2 file name(s) left out")));
  for (const testing::HostileTree::Page& page : tree_.unlistable())
    EXPECT_TRUE(texts.first().contains(PrintableName(page.path))) << texts.first().toStdString();

  QSet<QString> expected;
  for (const testing::HostileTree::Page& page : tree_.pages()) expected.insert(page.path);
  for (const QString& other : tree_.notPages()) expected.insert(other);
  EXPECT_EQ(RowPaths(), expected);

  // A name that is not UTF-8 is shown with its byte spelled out, and kept as it is.
  bool shown = false;
  for (int row = 0; row < page().model().rowCount(); ++row) {
    const QModelIndex cell = page().model().index(row, kFieldFilename);
    if (page().model().data(cell, Qt::DisplayRole).toString() == QStringLiteral("caf\\xE9"))
      shown = NameToDisk(page().model().row(row)[kFieldFilename]) == QByteArray("caf\xE9");
  }
  EXPECT_TRUE(shown);

  // Loading the saved list finds every file unchanged: no question, no message.
  Load(QStringLiteral("hostile.lst"));
  EXPECT_TRUE(prompter_.TakeTexts().isEmpty());
  EXPECT_EQ(RowPaths(), expected);

  // One page gone: only that one is reported and removed.
  const QString latin1 = tree_.folder() + NameFromDisk("caf\xE9.html");
  ASSERT_TRUE(RemoveFile(latin1));
  QString message;
  Expect<ListNameDialog>([&message](ListNameDialog& d) {
    message = d.message();
    return int(QDialog::Rejected);
  });
  Load(QStringLiteral("hostile.lst"));
  EXPECT_TRUE(message.contains(QStringLiteral("1 orphaned file entries removed")));
  expected.remove(latin1);
  EXPECT_EQ(RowPaths(), expected);
}

}  // namespace
}  // namespace vistrel
