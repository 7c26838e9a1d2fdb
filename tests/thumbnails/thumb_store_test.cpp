#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "render/browser_profile.h"
#include "core/disk_name.h"
#include "core/text_file.h"
#include "hostile_tree.h"
#include "snapshots/image_files.h"
#include "snapshots/jpeg_codec.h"
#include "thumb_fixture.h"
#include "thumbnails/offscreen_capture.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumb_store.h"

namespace vistrel {
namespace {

using testing::NearColour;
using testing::TempFolder;
using testing::WriteThumbJpeg;

// Thumbnails of pages in one folder tree, written to a thumbnail folder in another.
class ThumbStoreTest : public ::testing::Test {
 protected:
  ThumbStoreTest()
      : thumbs_(store_.path() + QStringLiteral("THUMBS/")),
        cache_(200),
        store(thumbs_, cache_, {}) {
    QDir().mkpath(thumbs_);
  }
  QString Page(const QString& relative) {
    return pages_.Write(relative, "<html><body>page</body></html>");
  }
  QString ThumbFor(const QString& page, const QColor& colour = Qt::gray) {
    const QString thumb = ThumbPathOf(thumbs_, page);
    return WriteThumbJpeg(store_, thumb.mid(store_.path().size()), colour);
  }

  TempFolder pages_;
  TempFolder store_;
  QString thumbs_;
  ThumbCache cache_;
  ThumbStore store;
};

TEST_F(ThumbStoreTest, RemovingOrphansKeepsThumbnailsOfExistingPages) {
  const QString kept = ThumbFor(Page(QStringLiteral("site/index.htm")));
  const QString orphan = ThumbFor(pages_.path() + QStringLiteral("site/gone.htm"));
  // "=" in a folder must not make its page look gone.
  const QString equals = ThumbFor(Page(QStringLiteral("A=B/x.htm")));
  const QString emptied = QFileInfo(orphan).absolutePath();
  ThumbFor(pages_.path() + QStringLiteral("old/gone.htm"));
  const QString oldFolder = thumbs_ + FolderKey(pages_.path() + QStringLiteral("old/"));
  store_.MakeDir(QStringLiteral("THUMBS/=empty"));

  const RemoveThumbsResult result = store.RemoveThumbs(false);
  EXPECT_EQ(result.found, 4);
  EXPECT_EQ(result.removed, 2);
  EXPECT_EQ(result.message,
            QStringLiteral("4 thumbnails found.\r\n\r\n2 orphaned thumbnails removed."));
  EXPECT_TRUE(QFileInfo::exists(kept));
  EXPECT_FALSE(QFileInfo::exists(orphan));
  EXPECT_TRUE(QFileInfo::exists(equals));
  EXPECT_TRUE(QFileInfo::exists(emptied));  // still holds the kept thumbnail
  EXPECT_FALSE(QFileInfo::exists(oldFolder));
  EXPECT_FALSE(QFileInfo::exists(thumbs_ + QStringLiteral("=empty")));
}

TEST_F(ThumbStoreTest, RemovingAllCountsWhatWent) {
  EXPECT_EQ(store.RemoveThumbs(true).message, QStringLiteral("0 thumbnails removed."));
  ThumbFor(Page(QStringLiteral("a.htm")));
  ThumbFor(Page(QStringLiteral("sub/b.htm")));
  const RemoveThumbsResult result = store.RemoveThumbs(true);
  EXPECT_EQ(result.message, QStringLiteral("2 thumbnails removed."));
  EXPECT_TRUE(QDir(thumbs_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(ThumbStoreTest, ClearingDeletesTheFileAndInvalidatesItsEntry) {
  const QString page = Page(QStringLiteral("a.htm"));
  const QString thumb = ThumbFor(page, Qt::red);
  cache_.CacheLoad(thumb);
  store.ClearThumb(page);
  EXPECT_FALSE(QFileInfo::exists(thumb));
  EXPECT_EQ(cache_.CacheLookup(thumb), -1);
  EXPECT_TRUE(cache_.Index().first().startsWith(QLatin1Char('D')));
  store.ClearThumb(page);  // nothing left to clear: no error
}

TEST_F(ThumbStoreTest, MakingNeedsAnExistingFileAndABaseSize) {
  const QString page = Page(QStringLiteral("a.htm"));
  EXPECT_FALSE(store.MakeThumb(pages_.path() + QStringLiteral("missing.htm")));
  // No base size chosen yet: fails without a message or a file.
  EXPECT_FALSE(store.MakeThumb(page));
  EXPECT_FALSE(QFileInfo::exists(store.ThumbOf(page)));
}

// Thumbnails of pages whose names are not UTF-8 or hold "=", "?", "[", tabs and the like.
class HostileThumbsTest : public ThumbStoreTest {
 protected:
  // A real JPEG at the page's thumbnail path, written by bytes.
  QString WriteThumbOf(const QString& page) {
    const QString thumb = ThumbPathOf(thumbs_, page);
    QImage picture(kThumbWidth, kThumbHeight, QImage::Format_RGB888);
    picture.fill(Qt::darkCyan);
    QByteArray jpeg;
    EXPECT_TRUE(EncodeJpeg(picture, kThumbnailJpeg, &jpeg));
    EXPECT_TRUE(MakeFolders(thumb.left(thumb.lastIndexOf(u'/'))));
    EXPECT_TRUE(WriteFileAtomically(thumb, jpeg));
    return thumb;
  }
  testing::HostileTree tree_;
};

TEST_F(HostileThumbsTest, CleanUpKeepsEveryThumbnailWhosePageExists) {
  QStringList kept;
  for (const auto& page : tree_.pages()) kept << WriteThumbOf(page.path);
  for (const auto& page : tree_.unlistable()) kept << WriteThumbOf(page.path);
  // A page in a folder holding "=", and the page its plain key would have named.
  ASSERT_TRUE(MakeFolders(tree_.folder() + QStringLiteral("a=b")));
  const QString equalsPage = tree_.folder() + QStringLiteral("a=b/x=y.html");
  ASSERT_TRUE(WriteFileAtomically(equalsPage, "<p>equals</p>"));
  kept << WriteThumbOf(equalsPage);
  const QString orphan = WriteThumbOf(tree_.folder() + QStringLiteral("a/b/x=y.html"));

  const RemoveThumbsResult result = store.RemoveThumbs(false);
  EXPECT_GE(result.removed, 1);
  EXPECT_EQ(KindOf(orphan), FileKind::kMissing);
  for (const QString& thumb : kept)
    EXPECT_EQ(KindOf(thumb), FileKind::kRegular) << qPrintable(PrintableName(thumb));
}

TEST_F(HostileThumbsTest, ClearingRemovesOnlyThatPagesThumbnailAndItsCacheEntry) {
  // café in Latin-1 and in UTF-8 are two pages with two thumbnails.
  const QString latin1 = tree_.folder() + NameFromDisk("caf\xE9.html");
  const QString utf8 = tree_.folder() + NameFromDisk("caf\xC3\xA9.html");
  const QString latin1Thumb = WriteThumbOf(latin1);
  const QString utf8Thumb = WriteThumbOf(utf8);
  ASSERT_NE(latin1Thumb, utf8Thumb);
  cache_.CacheLoad(latin1Thumb);
  cache_.CacheLoad(utf8Thumb);
  ASSERT_GE(cache_.CacheLookup(latin1Thumb), 0);
  ASSERT_GE(cache_.CacheLookup(utf8Thumb), 0);

  store.ClearThumb(latin1);
  EXPECT_EQ(KindOf(latin1Thumb), FileKind::kMissing);
  EXPECT_EQ(cache_.CacheLookup(latin1Thumb), -1);
  EXPECT_EQ(KindOf(utf8Thumb), FileKind::kRegular);
  EXPECT_GE(cache_.CacheLookup(utf8Thumb), 0);
}

// Real pages rendered by the browser engine.
class MakeThumbTest : public ThumbStoreTest {
 public:
  static void SetUpTestSuite() { profile_ = std::make_unique<BrowserProfile>(); }
  static void TearDownTestSuite() { profile_.reset(); }

 protected:
  MakeThumbTest() : capture_(*profile_), renderStore_(thumbs_, cache_, capture_.AsPageCapture()) {
    renderStore_.SetRenderSize(QSize(320, 240));
  }
  static std::unique_ptr<BrowserProfile> profile_;
  OffscreenCapture capture_;
  ThumbStore renderStore_;
};
std::unique_ptr<BrowserProfile> MakeThumbTest::profile_;

TEST_F(MakeThumbTest, WritesA130By100JpegOfThePageAndRefreshesTheCache) {
  const QString page =
      pages_.Write(QStringLiteral("new folder/orange.htm"),
                   "<html><body style='margin:0;background:#ff8000'></body></html>");
  const QString thumb = renderStore_.ThumbOf(page);
  ASSERT_EQ(thumb, thumbs_ + FolderKey(pages_.path() + QStringLiteral("new folder/")) +
                       QStringLiteral("orange.htm.jpg"));
  WriteThumbJpeg(store_, thumb.mid(store_.path().size()), Qt::blue);
  cache_.CacheLoad(thumb);
  const int slot = cache_.CacheLookup(thumb);

  ASSERT_TRUE(renderStore_.MakeThumb(page));
  const QImage written = ReadImageFile(thumb);
  ASSERT_EQ(written.size(), QSize(130, 100));
  EXPECT_TRUE(NearColour(written.pixel(0, 0), QColor(255, 128, 0)));
  EXPECT_TRUE(NearColour(written.pixel(129, 99), QColor(255, 128, 0)));
  EXPECT_TRUE(NearColour(cache_.Image(slot).pixel(65, 50), QColor(255, 128, 0), 2));
}

TEST_F(MakeThumbTest, AFolderThatCannotBeWrittenIsSwallowed) {
  const QString page = Page(QStringLiteral("blocked/a.htm"));
  // A file where the thumbnail's folder should go.
  store_.Write(
      QStringLiteral("THUMBS/") + FolderKey(pages_.path() + QStringLiteral("blocked/")).chopped(1),
      "in the way");
  EXPECT_FALSE(renderStore_.MakeThumb(page));
  EXPECT_FALSE(QFileInfo::exists(renderStore_.ThumbOf(page)));
}

}  // namespace
}  // namespace vistrel
