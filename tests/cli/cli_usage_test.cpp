#include <gtest/gtest.h>

#include <QFileInfo>

#include "cli_env.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::CliRun;
using testing::RunCli;
using testing::TempFolder;

const char* const kCommands[] = {"format",   "rtf",    "resample", "thumbs",
                                 "snapshot", "search", "verify",   "merge"};

TEST(CliHelp, EveryCommandAnswersHelpOnStdoutWithoutADisplay) {
  TempFolder home;
  for (const char* command : kCommands) {
    SCOPED_TRACE(command);
    const CliRun run = RunCli({QLatin1String(command), QStringLiteral("--help")}, home.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QByteArray(QByteArray("Usage: vistrel-cli ") + command)))
        << run.out.data();
    EXPECT_EQ(run.err, QByteArray());
  }
  // Help never starts the engine, so nothing was set up in the program folder.
  EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("THUMBS")));

  const CliRun help = RunCli({QStringLiteral("--help")}, home.path());
  EXPECT_EQ(help.exitCode, 0);
  for (const char* command : kCommands) EXPECT_TRUE(help.out.contains(command)) << command;
  const CliRun version = RunCli({QStringLiteral("--version")}, home.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith("vistrel-cli 1.")) << version.out.data();
}

TEST(CliHelp, TheProgramAnswersHelpAndVersionWithoutADisplay) {
  TempFolder home;
  const CliRun help = testing::RunWithoutDisplay(QStringLiteral(VISTREL_GUI),
                                                 {QStringLiteral("--help")}, home.path());
  EXPECT_EQ(help.exitCode, 0) << help.err.data();
  EXPECT_TRUE(help.out.startsWith("Usage: vistrel ")) << help.out.data();
  const CliRun version =
      testing::RunWithoutDisplay(QStringLiteral(VISTREL_GUI), {QStringLiteral("-v")}, home.path());
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith("vistrel 1.")) << version.out.data();
  EXPECT_FALSE(QFileInfo::exists(home.path() + QStringLiteral("prg.ini")));
}

// Each bad call exits 2 with the command's usage on stderr and nothing on stdout.
TEST(CliUsage, MistakesExitTwoWithTheUsageOnStderr) {
  TempFolder home;
  const QList<QStringList> mistakes = {
      {},
      {QStringLiteral("frobnicate")},
      {QStringLiteral("format"), QStringLiteral("--style")},
      {QStringLiteral("format"), QStringLiteral("--bogus")},
      {QStringLiteral("rtf"), QStringLiteral("a"), QStringLiteral("b")},
      {QStringLiteral("resample"), QStringLiteral("a.png")},
      {QStringLiteral("thumbs")},
      {QStringLiteral("thumbs"), QStringLiteral("--base")},
      {QStringLiteral("thumbs"), QStringLiteral("--base"), QStringLiteral("9"),
       QStringLiteral("a")},
      {QStringLiteral("snapshot"), QStringLiteral("a.htm")},
      {QStringLiteral("snapshot"), QStringLiteral("a.htm"), QStringLiteral("-o"),
       QStringLiteral("x.jpg"), QStringLiteral("-o"), QStringLiteral("y.jpg")},
      {QStringLiteral("snapshot"), QStringLiteral("a.htm"), QStringLiteral("-o"),
       QStringLiteral("x.jpg"), QStringLiteral("--bg"), QStringLiteral("#zzzzzz")},
      {QStringLiteral("search")},
      {QStringLiteral("search"), QStringLiteral("a"), QStringLiteral("b")},
      {QStringLiteral("search"), QString()},
      {QStringLiteral("verify"), QStringLiteral("--json")},
      {QStringLiteral("merge"), QStringLiteral("a.lst")},
  };
  for (const QStringList& args : mistakes) {
    SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
    const CliRun run = RunCli(args, home.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("Usage: vistrel-cli")) << run.err.data();
    EXPECT_EQ(run.out, QByteArray());
  }
}

TEST(CliUsage, OptionsMayFollowTheFilesAndDashMeansStandardInput) {
  TempFolder home, data;
  const QString list = data.Write(QStringLiteral("a.lst"), QByteArray());
  const CliRun verify =
      RunCli({QStringLiteral("verify"), list, QStringLiteral("--update")}, home.path());
  EXPECT_EQ(verify.exitCode, 0) << verify.err.data();
  EXPECT_EQ(verify.out, QByteArray("0 entries, 0 not found, 0 updated\n"));

  const CliRun rtf = testing::RunProgram(QStringLiteral(VISTREL_CLI),
                                         {QStringLiteral("rtf"), QStringLiteral("-")}, "<b>x</b>");
  EXPECT_EQ(rtf.exitCode, 0);
  EXPECT_TRUE(rtf.out.startsWith("{\\rtf")) << rtf.out.data();
}

}  // namespace
}  // namespace vistrel
