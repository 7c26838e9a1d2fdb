#include <gtest/gtest.h>

#include <QProcess>

#include "cli_env.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempFolder;

// Runs vistrel-cli with standard error on a terminal (util-linux script gives it one) and
// standard output into a file; returns what the terminal showed.
QByteArray TerminalOutput(const QStringList& args, const QString& home, const QString& outFile) {
  QStringList words{QStringLiteral(VISTREL_CLI)};
  words += args;
  for (QString& word : words) word = QLatin1Char('\'') + word + QLatin1Char('\'');
  QProcess script;
  script.setProcessEnvironment(testing::NoDisplayEnvironment(home));
  script.start(QStringLiteral("script"),
               {QStringLiteral("-qec"),
                words.join(QLatin1Char(' ')) + QStringLiteral(" > '") + outFile + QLatin1Char('\''),
                QStringLiteral("/dev/null")});
  script.closeWriteChannel();
  EXPECT_TRUE(script.waitForFinished(120000));
  EXPECT_EQ(script.exitCode(), 0);
  return script.readAllStandardOutput();
}

class CliProgress : public ::testing::Test {
 protected:
  void SetUp() override {
    site_.Write(QStringLiteral("first.htm"), "a");
    site_.Write(QStringLiteral("second.htm"), "b");
    const CliRun search = RunCli({QStringLiteral("search"), site_.path()}, home_.path());
    ASSERT_EQ(search.exitCode, 0);
    list_ = site_.Write(QStringLiteral("site.lst"), search.out);
  }
  TempFolder home_, site_;
  QString list_;
};

TEST_F(CliProgress, ShownOnATerminalWithCountTotalAndFile) {
  const QByteArray shown =
      TerminalOutput({QStringLiteral("verify"), list_}, home_.path(), site_.path() + "out.txt");
  EXPECT_TRUE(shown.contains("0/2")) << shown.data();
  EXPECT_TRUE(shown.contains("/s  ")) << shown.data();
  EXPECT_TRUE(shown.contains(".htm")) << shown.data();
  // The line is wiped at the end, and the results went to standard output only.
  EXPECT_TRUE(shown.endsWith("\r\x1b[K")) << shown.data();
  EXPECT_EQ(site_.Read(QStringLiteral("out.txt")),
            QByteArray("2 entries, 0 not found, 0 updated\n"));
}

TEST_F(CliProgress, QuietOrNoTerminalShowsNothing) {
  EXPECT_EQ(TerminalOutput({QStringLiteral("verify"), QStringLiteral("--quiet"), list_},
                           home_.path(), site_.path() + "out.txt"),
            QByteArray());
  const CliRun piped = RunCli({QStringLiteral("verify"), list_}, home_.path());
  EXPECT_EQ(piped.exitCode, 0);
  EXPECT_EQ(piped.err, QByteArray());
}

}  // namespace
}  // namespace vistrel
