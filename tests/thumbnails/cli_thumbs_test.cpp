#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

#include "thumb_fixture.h"

namespace vistrel {
namespace {

using testing::TempFolder;

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

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

}  // namespace
}  // namespace vistrel
