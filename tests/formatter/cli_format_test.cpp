#include <QProcess>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::TempFolder;

using testing::CliRun;

CliRun RunCli(const QStringList& args, const QByteArray& input = {}) {
  return testing::RunProgram(QStringLiteral(VISTREL_CLI_PATH),
                             QStringList{QStringLiteral("format")} + args, input);
}

TEST(CliFormat, FormatsFilesByteExactAndStablyWithAGivenStyle) {
  TempFolder folder;
  folder.Write(QStringLiteral("style/options.ini"), "[OPTIONS]\nTagCase=2\nLineSize=30\n");
  folder.Write(QStringLiteral("style/tag.ini"),
               "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\n"
               "isContentIndent=1\n");
  // Latin-1 bytes (not UTF-8) go through unchanged; the umlaut of the tag name is lowered.
  const QByteArray latin1 = "  <DIV\xC4><P>caf\xE9 \xFF\r\n text</P></DIV>";
  const QString page = folder.Write(QStringLiteral("page.htm"), latin1);
  const QString style = folder.path() + QStringLiteral("style");
  const CliRun first = RunCli({QStringLiteral("--style"), style, page});
  ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
  EXPECT_EQ(first.out,
            QByteArray("  <div\xE4>\r\n      <p>\r\n      caf\xE9 \xFF text\r\n      </p>\r\n"
                       "  </div>\r\n"));
  EXPECT_EQ(RunCli({QStringLiteral("--style"), style, page}).out, first.out);
  const CliRun again = RunCli({QStringLiteral("--style"), style, QStringLiteral("-")}, first.out);
  EXPECT_EQ(again.out, first.out);
}

TEST(CliFormat, DefaultStyleStandardInputAndUsage) {
  const CliRun fromStdin = RunCli({}, QByteArray("<p>\xC3\xA9t\xC3\xA9</p>"));
  ASSERT_EQ(fromStdin.exitCode, 0) << fromStdin.err.toStdString();
  EXPECT_EQ(fromStdin.out, QByteArray("<p>\xC3\xA9t\xC3\xA9</p>\r\n"))
      << fromStdin.out.toStdString();
  EXPECT_EQ(RunCli({}, QByteArray()).out, QByteArray());

  const CliRun help = RunCli({QStringLiteral("--help")});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("--style DIR"));
  EXPECT_EQ(RunCli({QStringLiteral("--style")}).exitCode, 2);
  EXPECT_EQ(RunCli({QStringLiteral("a.htm"), QStringLiteral("b.htm")}).exitCode, 2);
  const CliRun missing = RunCli({QStringLiteral("/nonexistent/page.htm")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.err.contains("/nonexistent/page.htm"));
}

TEST(CliFormat, LargeFilesReadTheSameAsStandardInput) {
  TempFolder folder;
  // Over 2 MB of Latin-1, with a file size no multiple of anything: the file is read into
  // large pages, standard input is not; the bytes come out the same either way.
  QByteArray latin1;
  while (latin1.size() < 2200000) latin1 += "<div>caf\xE9 \xFF text<br>\n  more</div>\n";
  latin1 += "<p>tail";
  const QString page = folder.Write(QStringLiteral("big.htm"), latin1);
  const CliRun fromFile = RunCli({page});
  ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
  EXPECT_TRUE(fromFile.out.endsWith("tail\r\n"));
  EXPECT_TRUE(fromFile.out.contains("caf\xE9 \xFF text"));
  EXPECT_EQ(RunCli({QStringLiteral("-")}, latin1).out, fromFile.out);
  // One byte that is not UTF-8 at the very end turns the whole file into Latin-1.
  const QByteArray utf8 = QByteArray("<p>\xC3\xA9</p>\n").repeated(20000);
  EXPECT_EQ(RunCli({folder.Write(QStringLiteral("utf8.htm"), utf8)}).out, RunCli({}, utf8).out);
  const CliRun mixed = RunCli({folder.Write(QStringLiteral("mixed.htm"), utf8 + "\xE9")});
  EXPECT_TRUE(mixed.out.endsWith("\xE9\r\n"));
  EXPECT_EQ(mixed.out, RunCli({}, utf8 + "\xE9").out);
}

}  // namespace
}  // namespace vistrel
