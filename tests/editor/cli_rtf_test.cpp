#include <gtest/gtest.h>

#include "cli_run.h"
#include "editor/coloured_rtf.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::CliRun;

CliRun RunRtf(const QStringList& args, const QByteArray& input = {}) {
  return testing::RunProgram(QStringLiteral(VISTREL_CLI_PATH),
                             QStringList{QStringLiteral("rtf")} + args, input);
}

TEST(CliRtf, WritesTheFilesOwnBytesInsideTheColouredRtf) {
  testing::TempFolder folder;
  const QByteArray latin1 = "<p class=\"caf\xe9\">\xff{x}</p>\r\n";
  const CliRun fromFile = RunRtf({folder.Write(QStringLiteral("l.htm"), latin1)});
  EXPECT_EQ(fromFile.exitCode, 0);
  EXPECT_TRUE(fromFile.out.endsWith(
      "\\cf1 <p class=\\cf2 \"caf\xe9\"\\cf1 >\\cf0 \xff\\{x\\}\\cf1 </p>\\cf0 \r\n\\par }"))
      << fromFile.out.constData();

  const QByteArray utf8 = "<b>\xe2\x82\xac</b>";
  const CliRun fromInput = RunRtf({}, utf8);
  EXPECT_EQ(fromInput.exitCode, 0);
  EXPECT_EQ(fromInput.out,
            BuildColouredRtf(QString::fromUtf8(utf8), ColourScheme(), TextEncoding::kUtf8));
  EXPECT_TRUE(fromInput.out.contains("\xe2\x82\xac"));
}

TEST(CliRtf, UsageAndFailuresHaveTheirExitCodes) {
  EXPECT_EQ(RunRtf({QStringLiteral("--help")}).exitCode, 0);
  EXPECT_EQ(RunRtf({QStringLiteral("a"), QStringLiteral("b")}).exitCode, 2);
  const CliRun missing = RunRtf({QStringLiteral("/no/such/file.htm")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_TRUE(missing.out.isEmpty());
  EXPECT_FALSE(missing.err.isEmpty());
  EXPECT_TRUE(RunRtf({}, QByteArray()).out.isEmpty());
}

}  // namespace
}  // namespace vistrel
