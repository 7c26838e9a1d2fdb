#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>

#include "cli_env.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempFolder;

TEST(CliSnapshotBatch, EveryPageGetsItsSnapshotInTheFolderAndAMissingOneFails) {
  TempFolder home, site;
  const QString red =
      site.Write(QStringLiteral("red.htm"), "<html><body style='background:#f00'></body></html>");
  const QString blue = site.Write(QStringLiteral("blue page.html"),
                                  "<html><body style='background:#00f'></body></html>");
  const QString out = site.MakeDir(QStringLiteral("snaps"));
  const CliRun run = RunCli({QStringLiteral("snapshot"), QStringLiteral("--bmp"),
                             QStringLiteral("--scale"), QStringLiteral("25"), red, blue,
                             site.path() + QStringLiteral("gone.htm"), QStringLiteral("-o"), out},
                            home.path());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, QByteArray());
  EXPECT_TRUE(run.err.contains("Can't locate file: ")) << run.err.data();
  EXPECT_FALSE(run.err.contains("qt.webenginecontext")) << run.err.data();

  QImage first, second;
  ASSERT_TRUE(first.load(out + QStringLiteral("snap_red_htm.bmp")));
  ASSERT_TRUE(second.load(out + QStringLiteral("snap_blue page_html.bmp")));
  EXPECT_GT(first.pixelColor(first.width() / 3, first.height() / 3).red(), 200);
  EXPECT_GT(second.pixelColor(second.width() / 3, second.height() / 3).blue(), 200);
  EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("snap_gone_htm.bmp")));
}

TEST(CliSnapshotBatch, SeveralPagesNeedAFolder) {
  TempFolder home;
  const CliRun run =
      RunCli({QStringLiteral("snapshot"), QStringLiteral("a.htm"), QStringLiteral("b.htm"),
              QStringLiteral("-o"), QStringLiteral("x.jpg")},
             home.path());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.err.contains("x.jpg is not a folder")) << run.err.data();
}

}  // namespace
}  // namespace vistrel
