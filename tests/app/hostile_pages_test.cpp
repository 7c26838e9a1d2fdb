// The Folder View, the preview, the editor and the thumbnails over a site folder whose names
// are not UTF-8 or hold pattern characters, beside entries named like pages that are none.
#include <QImage>
#include <QListWidget>
#include <algorithm>

#include "app/ui/file_commands.h"
#include "app/ui/folder_listing.h"
#include "app/ui/folder_panel.h"
#include "app/ui/preview_controller.h"
#include "core/disk_name.h"
#include "core/text_file.h"
#include "core/vistrel_error.h"
#include "hostile_tree.h"
#include "snapshots/jpeg_codec.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumbnail_model.h"
#include "thumbnails/thumbnail_page.h"
#include "viewer_fixture.h"

namespace vistrel::testing {
namespace {

const QString kPages = QStringLiteral("*.html");

// The regular pages of the tree directly in folder, as the Folder View must list them.
QStringList PagesIn(const HostileTree& tree, const QString& folder) {
  QStringList names;
  for (const auto* list : {&tree.pages(), &tree.unlistable()})
    for (const auto& page : *list)
      if (FolderOfPath(page.path) == folder) names << NameOfPath(page.path);
  std::sort(names.begin(), names.end());
  return names;
}

QByteArray BytesOf(const HostileTree& tree, const QString& path) {
  for (const auto* list : {&tree.pages(), &tree.unlistable()})
    for (const auto& page : *list)
      if (page.path == path) return page.bytes;
  return {};
}

TEST(FolderListing, ListsEveryRegularPageByItsOwnBytesAndNothingElse) {
  HostileTree tree;
  const QStringList names = ListFolderFiles(tree.folder(), kPages);
  EXPECT_EQ(names, PagesIn(tree, tree.folder()));
  for (const QString& other : tree.notPages()) EXPECT_FALSE(names.contains(NameOfPath(other)));
  EXPECT_FALSE(names.contains(QStringLiteral("sub")));
  // Each name opens the very file it was read from.
  for (const QString& name : names)
    EXPECT_EQ(KindOf(tree.folder() + name), FileKind::kRegular) << qPrintable(PrintableName(name));
  // The filter is the only pattern: other types stay out.
  EXPECT_TRUE(ListFolderFiles(tree.folder(), QStringLiteral("*.gif")).isEmpty());
}

TEST(FolderListing, AFolderThatCannotBeReadIsNamedInTheMessage) {
  HostileTree tree;
  const QString gone = tree.folder() + NameFromDisk("gone\xE9/");
  QString error;
  EXPECT_TRUE(ListFolderFiles(gone, kPages, &error).isEmpty());
  EXPECT_TRUE(error.contains(QStringLiteral("gone\\xE9"))) << qPrintable(error);
  // A file where a folder should be.
  error.clear();
  EXPECT_TRUE(
      ListFolderFiles(tree.folder() + QStringLiteral("plain.html"), kPages, &error).isEmpty());
  EXPECT_FALSE(error.isEmpty());
}

class HostilePagesTest : public ViewerTest {
 protected:
  void OpenFolder(const QString& folder) {
    StartWithViewer();
    window_->state().StartingUp = false;
    window_->JumpToFileAndFolder(folder + QStringLiteral("plain.html"));
    if (window_->folderViewPage()->Folder() != folder) window_->JumpToFileAndFolder(folder);
  }
  HostileTree tree_;
};

TEST_F(HostilePagesTest, FolderViewShowsPrintableNamesAndWorksWithTheRealOnes) {
  OpenFolder(tree_.folder());
  FolderViewPage* view = window_->folderViewPage();
  const QStringList expected = PagesIn(tree_, tree_.folder());
  ASSERT_EQ(view->Names(), expected);
  for (int row = 0; row < expected.size(); ++row) {
    EXPECT_EQ(FileList()->item(row)->text(), PrintableName(expected[row]));
    EXPECT_EQ(view->FileOfItem(row, false), tree_.folder() + expected[row]);
  }
  // The Latin-1 name is shown with its byte visible, the UTF-8 one as the letter it is.
  EXPECT_TRUE(FileList()->findItems(QStringLiteral("caf\\xE9.html"), Qt::MatchExactly).size() == 1);
  EXPECT_TRUE(FileList()->findItems(QStringLiteral("caf\u00E9.html"), Qt::MatchExactly).size() ==
              1);
  EXPECT_TRUE(view->SelectName(NameFromDisk("caf\xE9.html")));
  EXPECT_EQ(view->CurrentFile(), tree_.folder() + NameFromDisk("caf\xE9.html"));
}

TEST_F(HostilePagesTest, EveryRegularPageGoesIntoThePreviewAndTheEditor) {
  for (const QString& folder :
       QStringList{tree_.folder(), tree_.folder() + QStringLiteral("sub/")}) {
    OpenFolder(folder);
    const QStringList names = window_->folderViewPage()->Names();
    ASSERT_EQ(names, PagesIn(tree_, folder));
    for (int row = 0; row < names.size(); ++row) {
      const QString path = folder + names[row];
      Preview(row);
      EXPECT_EQ(window_->state().EditorFile, path) << qPrintable(PrintableName(path));
      const QByteArray bytes = BytesOf(tree_, path);
      if (bytes.isEmpty()) continue;
      if (!bytes.contains('\0')) {
        EXPECT_EQ(Editor()->toPlainText().trimmed(), DecodeText(bytes).text.trimmed())
            << qPrintable(PrintableName(path));
      }
    }
    EXPECT_TRUE(prompter_.TakeTexts().isEmpty());
    TearDown();
  }
}

TEST_F(HostilePagesTest, SavingAPageWithARawNameWritesThatFile) {
  OpenFolder(tree_.folder());
  const QString page = tree_.folder() + NameFromDisk("caf\xE9.html");
  ASSERT_TRUE(window_->folderViewPage()->SelectName(NameOfPath(page)));
  window_->preview().RefreshNow(false);
  Type(QStringLiteral("edited "));
  viewer_->BSaveClick();
  QByteArray bytes;
  ASSERT_TRUE(ReadWholeFile(page, &bytes));
  EXPECT_TRUE(bytes.contains("edited ")) << bytes.constData();
  // Its UTF-8 twin is another file and stays as it was.
  ASSERT_TRUE(ReadWholeFile(tree_.folder() + NameFromDisk("caf\xC3\xA9.html"), &bytes));
  EXPECT_FALSE(bytes.contains("edited "));
}

TEST_F(HostilePagesTest, EntriesThatAreNotPagesAreNamedAndNeverOpened) {
  OpenFolder(tree_.folder());
  for (const QString& other : tree_.notPages()) {
    try {
      viewer_->LoadPreview(other);
      ADD_FAILURE() << "loaded " << qPrintable(other);
    } catch (const VistrelError& error) {
      // The FIFO and the device are no files to read; the dangling and looping links lead
      // nowhere. Either way the message names the entry.
      EXPECT_TRUE(error.message().contains(other)) << qPrintable(error.message());
      const FileKind kind = KindOf(other);
      if (kind == FileKind::kOther) {
        EXPECT_TRUE(error.message().endsWith(QStringLiteral(" is not a regular file")));
      }
    }
  }
  // A dropped FIFO is refused by name.
  window_->fileCommands().HandleDroppedFiles({tree_.folder() + QStringLiteral("fifo.html")});
  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_EQ(texts[0], tree_.folder() + QStringLiteral("fifo.html is not a regular file"));
}

TEST_F(HostilePagesTest, ThumbnailsOfEveryPageAreMadeShownAndCleared) {
  OpenFolder(tree_.folder());
  const QStringList names = window_->folderViewPage()->Names();
  FileList()->selectAll();
  window_->RefreshStatus();
  window_->fileCommands().MakeOrClearThumbs(true);
  for (const QString& name : names) {
    const QString thumb = ThumbPathOf(folders_.thumbs, tree_.folder() + name);
    QByteArray jpeg;
    ASSERT_TRUE(ReadWholeFile(thumb, &jpeg)) << qPrintable(PrintableName(thumb));
    EXPECT_EQ(DecodeJpeg(jpeg).size(), QSize(kThumbWidth, kThumbHeight));
  }
  // The grid's captions are printable; its pictures are found by the real names.
  ThumbnailModel* model = &window_->thumbnailPage()->model();
  ASSERT_EQ(model->EntryCount(), names.size());
  model->CacheHint(0, model->EntryCount() - 1);
  for (int i = 0; i < names.size(); ++i) {
    EXPECT_EQ(model->Caption(i),
              QString::number(i + 1) + QStringLiteral(": ") + PrintableName(names[i]));
    EXPECT_GE(model->ImageIndex(i), 0) << qPrintable(PrintableName(names[i]));
  }
  // The corner shows the thumbnail of a page whose name is not UTF-8.
  Select({static_cast<int>(names.indexOf(NameFromDisk("caf\xE9.html")))});
  window_->preview().ShowThumbCorner(window_->CurrentFile());
  EXPECT_TRUE(window_->folderPanel()->CornerHasPicture());

  window_->fileCommands().MakeOrClearThumbs(false);
  EXPECT_EQ(KindOf(ThumbPathOf(folders_.thumbs, tree_.folder() + NameFromDisk("caf\xE9.html"))),
            FileKind::kMissing);
  EXPECT_EQ(KindOf(ThumbPathOf(folders_.thumbs, tree_.folder() + QStringLiteral("plain.html"))),
            FileKind::kRegular);
}

}  // namespace
}  // namespace vistrel::testing
