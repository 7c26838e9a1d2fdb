#include <gtest/gtest.h>

#include "thumb_fixture.h"
#include "thumbnails/thumb_naming.h"

namespace vistrel {
namespace {

const QString kThumbs = QStringLiteral("/opt/vistrel/THUMBS/");

TEST(FolderKey, FlattensAFolderIntoOneSubfolderName) {
  EXPECT_EQ(FolderKey(QStringLiteral("/home/web/site/")), QStringLiteral("=home=web=site/"));
  EXPECT_EQ(FolderKey(QStringLiteral("/home/web/site")), QStringLiteral("=home=web=site/"));
  EXPECT_EQ(FolderKey(QStringLiteral("/")), QStringLiteral("=/"));
  EXPECT_EQ(FolderKey(QStringLiteral("/A B/Mixed Case//")), QStringLiteral("=A B=Mixed Case/"));
}

TEST(ThumbPath, IsTheFolderKeyAndNameWithJpg) {
  EXPECT_EQ(ThumbPath(kThumbs, QStringLiteral("/web/site/"), QStringLiteral("index.htm")),
            kThumbs + QStringLiteral("=web=site/index.htm.jpg"));
  // A full path gives only its name; pictures get a second extension.
  EXPECT_EQ(ThumbPath(kThumbs, QStringLiteral("/web/"), QStringLiteral("/web/logo.gif")),
            kThumbs + QStringLiteral("=web/logo.gif.jpg"));
  EXPECT_EQ(ThumbPathOf(kThumbs, QStringLiteral("/index.htm")),
            kThumbs + QStringLiteral("=/index.htm.jpg"));
}

TEST(PageOfThumb, RoundTripsOrdinaryPathsAndTheRoot) {
  for (const QString& page :
       {QStringLiteral("/home/web/site/index.htm"), QStringLiteral("/index.htm"),
        QStringLiteral("/a/b*c d.html"), QStringLiteral("/Upper/Case.HTM")}) {
    EXPECT_EQ(PageOfThumb(kThumbs, ThumbPathOf(kThumbs, page)), page);
  }
  // The thumbnail folder is found in any letter case.
  EXPECT_EQ(PageOfThumb(kThumbs, QStringLiteral("/opt/vistrel/thumbs/=web/a.htm.jpg")),
            QStringLiteral("/web/a.htm"));
}

TEST(PageOfThumb, AnEqualsSignInTheFolderDoesNotComeBack) {
  const QString thumb = ThumbPathOf(kThumbs, QStringLiteral("/A=B/x.htm"));
  EXPECT_EQ(thumb, kThumbs + QStringLiteral("=A=B/x.htm.jpg"));
  EXPECT_EQ(PageOfThumb(kThumbs, thumb), QStringLiteral("/A/B/x.htm"));
}

}  // namespace
}  // namespace vistrel
