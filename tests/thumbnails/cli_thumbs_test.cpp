#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

#include "snapshots/image_files.h"
#include "thumb_fixture.h"

namespace vistrel {
namespace {

using testing::NearColour;
using testing::TempFolder;

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

const char kNeverPage[] = "<body style=\"background:#00f\"><script>for(;;){}</script>";
// Three frames after it starts, the page's script loops for ever: it has drawn by then.
const char kPaintsThenHangs[] =
    "<body style='margin:0;background:#0f0'><p>x</p><script>"
    "requestAnimationFrame(() => requestAnimationFrame(() => requestAnimationFrame(() => {"
    "for(;;){}})));</script>";

QByteArray Coloured(const char* colour) {
  return QByteArray("<html><body style='margin:0;background:") + colour + "'></body></html>";
}

CliRun RunThumbs(const QString& home, const QStringList& args) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("VISTREL_HOME"), home);
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VISTREL_CLI), QStringList{QStringLiteral("thumbs")} + args);
  process.waitForFinished(120000);
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

TEST(CliThumbs, PrintsEachThumbnailAndFailsWhenOneIsMissing) {
  TempFolder pages, home;
  const QString page = pages.Write(QStringLiteral("a.htm"), "<html><body>a</body></html>");
  const QString thumb = home.path() + QStringLiteral("THUMBS/") +
                        pages.path().chopped(1).replace(QLatin1Char('/'), QLatin1Char('=')) +
                        QStringLiteral("/a.htm.jpg");
  const CliRun run = RunThumbs(home.path(), {QStringLiteral("--base"), QStringLiteral("0"), page,
                                             pages.path() + QStringLiteral("gone.htm")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, thumb + QStringLiteral("\n"));
  EXPECT_TRUE(run.err.contains(QStringLiteral("no thumbnail made for ")));
  EXPECT_TRUE(QFileInfo::exists(thumb));
}

// The engine's own start-up chatter stays out of a script's stderr; only a real platform
// choice was left to the program, as in a shell without a display.
TEST(CliThumbs, PlainPageWritesNothingToStderr) {
  TempFolder pages, home;
  const QString page =
      pages.Write(QStringLiteral("plain.htm"), "<html><body><p>plain</p></body></html>");
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("VISTREL_HOME"), home.path());
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  environment.remove(QStringLiteral("DISPLAY"));
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(VISTREL_CLI),
                {QStringLiteral("thumbs"), QStringLiteral("--base"), QStringLiteral("0"), page});
  ASSERT_TRUE(process.waitForFinished(120000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardError(), QByteArray());
  EXPECT_TRUE(process.readAllStandardOutput().endsWith("plain.htm.jpg\n"));
}

TEST(CliThumbs, RefusesABaseSizeOutsideTheChoices) {
  TempFolder home;
  const CliRun run = RunThumbs(
      home.path(), {QStringLiteral("--base"), QStringLiteral("7"), QStringLiteral("x.htm")});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.err.contains(QStringLiteral("7 is not a base size (0-6)")));
}

TEST(CliThumbsBatch, NeverSavesAnotherPagesPixelsAndNamesThePagesThatTimedOut) {
  TempFolder pages, home;
  const QString ok1 = pages.Write(QStringLiteral("ok1.html"), Coloured("#ff0000"));
  const QString never = pages.Write(QStringLiteral("never.html"), kNeverPage);
  const QString ok2 = pages.Write(QStringLiteral("ok2.html"), Coloured("#00ff00"));
  // Paints green, then its script never ends: the load is never reported as painted.
  const QString hangs = pages.Write(QStringLiteral("hangs.html"), kPaintsThenHangs);
  const CliRun run = RunThumbs(
      home.path(), {QStringLiteral("--base"), QStringLiteral("0"), QStringLiteral("--timeout"),
                    QStringLiteral("1.5"), QStringLiteral("--pages"), QStringLiteral("1"), ok1,
                    never, hangs, ok2});
  EXPECT_EQ(run.exitCode, 1);
  const QString thumbs = home.path() + QStringLiteral("THUMBS/") +
                         pages.path().chopped(1).replace(QLatin1Char('/'), QLatin1Char('=')) +
                         QLatin1Char('/');
  EXPECT_EQ(run.out, thumbs + QStringLiteral("ok1.html.jpg\n") + thumbs +
                         QStringLiteral("hangs.html.jpg\n") + thumbs +
                         QStringLiteral("ok2.html.jpg\n"));
  EXPECT_FALSE(QFileInfo::exists(thumbs + QStringLiteral("never.html.jpg")));
  EXPECT_TRUE(run.err.contains(QStringLiteral("no thumbnail made for ") + never))
      << run.err.toStdString();
  // Whether hangs.html answered before its script took over depends on the engine's frames;
  // either way it is thumbnailed, and it is named when it was taken at the timeout.
  EXPECT_FALSE(run.err.contains(QStringLiteral("no thumbnail made for ") + hangs))
      << run.err.toStdString();
  EXPECT_TRUE(
      NearColour(ReadImageFile(thumbs + QStringLiteral("ok1.html.jpg")).pixel(65, 50), Qt::red));
  EXPECT_TRUE(NearColour(ReadImageFile(thumbs + QStringLiteral("hangs.html.jpg")).pixel(120, 90),
                         Qt::green));
  EXPECT_TRUE(
      NearColour(ReadImageFile(thumbs + QStringLiteral("ok2.html.jpg")).pixel(65, 50), Qt::green));
}

TEST(CliThumbsBatch, RefusesATimeoutOrPageCountThatMakesNoSense) {
  TempFolder home;
  for (const QStringList& args :
       {QStringList{QStringLiteral("--timeout"), QStringLiteral("0"), QStringLiteral("a.htm")},
        QStringList{QStringLiteral("--timeout"), QStringLiteral("soon"), QStringLiteral("a.htm")},
        QStringList{QStringLiteral("--pages"), QStringLiteral("0"), QStringLiteral("a.htm")}}) {
    const CliRun run = RunThumbs(home.path(), args);
    EXPECT_EQ(run.exitCode, 2) << args.join(QLatin1Char(32)).toStdString();
    EXPECT_TRUE(run.out.isEmpty());
  }
}

}  // namespace
}  // namespace vistrel
