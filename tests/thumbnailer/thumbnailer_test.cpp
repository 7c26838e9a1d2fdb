#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QUrl>

#include "temp_folder.h"
#include "thumbnailer/thumbnail_request.h"

namespace vistrel {
namespace {

using testing::TempFolder;

struct ThumbnailerRun {
  int exitCode = -1;
  QByteArray err;
};

// As a file manager runs it: a separate process, no display, a URI and an output path.
ThumbnailerRun RunThumbnailer(const QStringList& args, const QString& home) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  environment.remove(QStringLiteral("DISPLAY"));
  environment.insert(QStringLiteral("VISTREL_HOME"), home);
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VISTREL_THUMBNAILER), args);
  if (!process.waitForFinished(120000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardError()};
}

TEST(Thumbnailer, RendersAFileUriWithSpacesAndAccentsToAPngOfTheAskedSize) {
  TempFolder home, site;
  const QString page =
      site.Write(QStringLiteral("Mes pages/Été à Zürich.htm"),
                 "<html><body style='margin:0;background:#ff0000'><p>Grüße</p></body></html>");
  const QString uri = QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded);
  ASSERT_TRUE(uri.contains(QStringLiteral("%20")));
  for (const int size : {128, 256}) {
    SCOPED_TRACE(size);
    const QString out = site.path() + QStringLiteral("thumb-") + QString::number(size);
    const ThumbnailerRun run =
        RunThumbnailer({QStringLiteral("-s"), QString::number(size), uri, out}, home.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.data();
    EXPECT_EQ(run.err, QByteArray());
    QImage thumb;
    ASSERT_TRUE(thumb.load(out, "PNG"));
    // The page is rendered at 4:3 and keeps its shape inside the square.
    EXPECT_EQ(thumb.size(), QSize(size, size * 3 / 4));
    const QColor middle = thumb.pixelColor(thumb.width() / 2, thumb.height() * 3 / 4);
    EXPECT_GT(middle.red(), 200);
    EXPECT_LT(middle.green(), 60);
    EXPECT_EQ(thumb.text(QStringLiteral("Thumb::URI")), uri);
  }
  // Asking costs the user nothing: no program folder appears.
  EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("THUMBS")));
}

TEST(Thumbnailer, FailsWithoutWritingForAMissingFileOrARemoteAddress) {
  TempFolder home, site;
  const QString out = site.path() + QStringLiteral("out.png");
  const ThumbnailerRun missing = RunThumbnailer(
      {QStringLiteral("-s"), QStringLiteral("128"),
       QUrl::fromLocalFile(site.path() + QStringLiteral("gone.htm")).toString(), out},
      home.path());
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.err.contains("gone.htm"));
  const ThumbnailerRun remote = RunThumbnailer(
      {QStringLiteral("-s"), QStringLiteral("128"), QStringLiteral("http://example.org/"), out},
      home.path());
  EXPECT_EQ(remote.exitCode, 2);
  const ThumbnailerRun noSize =
      RunThumbnailer({site.path() + QStringLiteral("a.htm"), out}, home.path());
  EXPECT_EQ(noSize.exitCode, 2);
  EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(ThumbnailRequest, InputIsAPathOrALocalFileUri) {
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("/srv/a b.htm")), QStringLiteral("/srv/a b.htm"));
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("file:///srv/a%20b%C3%A9.htm")),
            QStringLiteral("/srv/a bé.htm"));
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("file://localhost/srv/x.htm")),
            QStringLiteral("/srv/x.htm"));
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("file://server/share/x.htm")), QString());
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("https://example.org/x.htm")), QString());
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("smb://server/share/x.htm")), QString());
  // A folder whose name merely holds "://" further on is still a path.
  EXPECT_EQ(LocalPathOfInput(QStringLiteral("/srv/odd://name.htm")),
            QStringLiteral("/srv/odd://name.htm"));
}

TEST(ThumbnailRequest, FitInSquareKeepsShapeAndNeverEnlarges) {
  EXPECT_EQ(FitInSquare(QSize(640, 480), 128), QSize(128, 96));
  EXPECT_EQ(FitInSquare(QSize(480, 640), 256), QSize(192, 256));
  EXPECT_EQ(FitInSquare(QSize(160, 120), 256), QSize(160, 120));
  EXPECT_EQ(FitInSquare(QSize(4000, 10), 100), QSize(100, 1));
  EXPECT_TRUE(FitInSquare(QSize(), 128).isEmpty());
}

}  // namespace
}  // namespace vistrel
