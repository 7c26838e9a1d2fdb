#include <gtest/gtest.h>

#include "thumb_fixture.h"
#include "thumbnails/thumb_naming.h"

#include <QSet>

#include "core/disk_name.h"

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

TEST(FolderKey, FoldersHoldingEqualsSignsGetKeysOfTheirOwn) {
  // The plain key of /A=B/ would be the key of /A/B/.
  EXPECT_EQ(FolderKey(QStringLiteral("/A/B/")), QStringLiteral("=A=B/"));
  EXPECT_EQ(FolderKey(QStringLiteral("/A=B/")), QStringLiteral("===A%3DB/"));
  EXPECT_EQ(FolderKey(QStringLiteral("/50%=x/")), QStringLiteral("===50%25%3Dx/"));
  // Without "=", "%" stays as it always was.
  EXPECT_EQ(FolderKey(QStringLiteral("/50%/")), QStringLiteral("=50%/"));
  // A leading "//" would look like the escaped form.
  EXPECT_EQ(FolderKey(QStringLiteral("//srv/")), QStringLiteral("====srv/"));
}

TEST(PageOfThumb, EveryPathComesBackAndNoTwoShareAThumbnail) {
  const QString raw = NameFromDisk("caf\xE9");       // Latin-1
  const QString utf8 = NameFromDisk("caf\xC3\xA9");  // the same word in UTF-8
  const QStringList folders = {QStringLiteral("/"),
                               QStringLiteral("/A/B/"),
                               QStringLiteral("/A=B/"),
                               QStringLiteral("/A/=B/"),
                               QStringLiteral("/A=/B/"),
                               QStringLiteral("/=/"),
                               QStringLiteral("/x%3Dy/"),
                               QStringLiteral("/x%3D=y/"),
                               QStringLiteral("/x%25/"),
                               QStringLiteral("//srv/"),
                               QStringLiteral("/==/"),
                               QStringLiteral("/t\tb/"),
                               QStringLiteral("/") + raw + QStringLiteral("/"),
                               QStringLiteral("/") + utf8 + QStringLiteral("/"),
                               QStringLiteral("/") + raw + QStringLiteral("=1/")};
  const QStringList names = {QStringLiteral("a=b.htm"),       QStringLiteral("what?.html"),
                             QStringLiteral("[x]\\\"*.html"), QStringLiteral("-dash.htm"),
                             QStringLiteral("x.jpg"),         raw + QStringLiteral(".html"),
                             utf8 + QStringLiteral(".html"),  QStringLiteral("line\nbreak.htm")};
  QSet<QString> thumbs;
  for (const QString& folder : folders) {
    for (const QString& name : names) {
      const QString page = folder + name;
      const QString thumb = ThumbPathOf(kThumbs, page);
      EXPECT_EQ(thumb.mid(kThumbs.size()).count(u'/'), 1) << qPrintable(PrintableName(thumb));
      EXPECT_EQ(PageOfThumb(kThumbs, thumb), page) << qPrintable(PrintableName(page));
      thumbs.insert(thumb);
    }
  }
  EXPECT_EQ(thumbs.size(), folders.size() * names.size());
}

TEST(PageOfThumb, ReadsThumbnailsStoredUnderPlainKeys) {
  // Thumbnails already on disk keep working for every folder without "=".
  EXPECT_EQ(PageOfThumb(kThumbs, kThumbs + QStringLiteral("=home=web/a=b.htm.jpg")),
            QStringLiteral("/home/web/a=b.htm"));
  EXPECT_EQ(PageOfThumb(kThumbs, kThumbs + QStringLiteral("=/index.htm.jpg")),
            QStringLiteral("/index.htm"));
  EXPECT_EQ(PageOfThumb(kThumbs, kThumbs + QStringLiteral("=a 50%/p.htm.jpg")),
            QStringLiteral("/a 50%/p.htm"));
}

}  // namespace
}  // namespace vistrel
