#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <utility>

#include "cli_env.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::CliRun;
using testing::TempFolder;

// The libraries the dynamic loader reports loading ("LD_DEBUG=libs" writes them to stderr).
CliRun RunShowingLibraries(const QStringList& args, const QString& home) {
  return testing::RunWithoutDisplay(QStringLiteral(VISTREL_CLI), args, home,
                                    {{QStringLiteral("LD_DEBUG"), QStringLiteral("libs")}});
}

const char* const kRendererLibraries[] = {"libQt6WebEngine", "libQt6Widgets", "libQt6Quick",
                                          "libQt6Qml"};

// The commands that render nothing start without the browser engine and the widget,
// Quick and QML libraries it brings along; those that handle text or lists with Qt Core alone.
TEST(CliStartup, CommandsThatRenderNothingLoadNoRendererLibrary) {
  TempFolder home;
  TempFolder work;
  const QString page =
      work.Write(QStringLiteral("site/page.htm"), "<html><body><p>text</p></body></html>\n");
  QImage picture(8, 6, QImage::Format_RGB32);
  picture.fill(Qt::darkCyan);
  const QString png = work.path() + QStringLiteral("in.png");
  ASSERT_TRUE(picture.save(png));
  const QString list = work.path() + QStringLiteral("a.lst");
  const CliRun searched = testing::RunCli(
      {QStringLiteral("search"), work.path() + QStringLiteral("site")}, home.path());
  ASSERT_EQ(searched.exitCode, 0) << searched.err.data();
  QFile listFile(list);
  ASSERT_TRUE(listFile.open(QIODevice::WriteOnly));
  listFile.write(searched.out);
  listFile.close();

  // Each run, and whether it loads Qt Gui.
  const QList<std::pair<QStringList, bool>> runs = {
      {{QStringLiteral("--help")}, false},
      {{QStringLiteral("format"), page}, false},
      {{QStringLiteral("rtf"), page}, false},
      {{QStringLiteral("search"), work.path() + QStringLiteral("site")}, false},
      {{QStringLiteral("verify"), list}, false},
      {{QStringLiteral("merge"), list, list, QStringLiteral("-o"),
        work.path() + QStringLiteral("merged.lst")},
       false},
      {{QStringLiteral("resample"), png, work.path() + QStringLiteral("out.jpg"),
        QStringLiteral("4"), QStringLiteral("3")},
       true},
  };
  for (const auto& [args, gui] : runs) {
    SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
    const CliRun run = RunShowingLibraries(args, home.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.right(2000).data();
    EXPECT_TRUE(run.err.contains("libQt6Core")) << "no loader report on stderr";
    EXPECT_EQ(run.err.contains("libQt6Gui"), gui);
    for (const char* library : kRendererLibraries)
      EXPECT_FALSE(run.err.contains(library)) << library;
  }
  EXPECT_TRUE(QImage(work.path() + QStringLiteral("out.jpg")).size() == QSize(4, 3));

  // The rendering commands do load them, from the program vistrel-cli hands them to.
  const CliRun thumbs =
      RunShowingLibraries({QStringLiteral("thumbs"), QStringLiteral("--help")}, home.path());
  EXPECT_EQ(thumbs.exitCode, 0);
  EXPECT_TRUE(thumbs.err.contains("libQt6WebEngineCore"));
}

// Without its helper programs beside it or in the prefix, vistrel-cli says so and fails the
// commands they run, while its own commands still work.
TEST(CliStartup, MissingHelpersFailOnlyTheCommandsTheyRun) {
  TempFolder home;
  TempFolder alone;
  const QString cli = alone.path() + QStringLiteral("vistrel-cli");
  ASSERT_TRUE(QFile::copy(QStringLiteral(VISTREL_CLI), cli));
  const QString page = alone.Write(QStringLiteral("page.htm"), "<p>x</p>");
  for (const char* command : {"thumbs", "snapshot"}) {
    SCOPED_TRACE(command);
    const CliRun run = testing::RunWithoutDisplay(cli, {QLatin1String(command), page}, home.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("vistrel-cli-render was not found")) << run.err.data();
    EXPECT_EQ(run.out, QByteArray());
  }
  const CliRun format =
      testing::RunWithoutDisplay(cli, {QStringLiteral("format"), page}, home.path());
  EXPECT_EQ(format.exitCode, 0) << format.err.data();
  EXPECT_EQ(format.out, testing::RunCli({QStringLiteral("format"), page}, home.path()).out);
  EXPECT_TRUE(format.out.startsWith("<p>")) << format.out.data();
}

}  // namespace
}  // namespace vistrel
