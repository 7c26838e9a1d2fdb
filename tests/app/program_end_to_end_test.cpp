// The real program, started and ended the way a desktop session does it.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

#include "settings/ini_profile.h"
#include "temp_folder.h"

namespace vistrel::testing {
namespace {

// Polls cond until it holds or the timeout passes.
template <typename Cond>
bool WaitFor(Cond cond, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!cond()) {
    if (timer.elapsed() > timeoutMs) return false;
    QThread::msleep(20);
  }
  return true;
}

TEST(ProgramEndToEnd, TerminationSignalClosesOrderlyAndWritesSettings) {
  TempFolder home;
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("VISTREL_HOME"), home.path());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  program.setProcessEnvironment(env);
  program.start(QStringLiteral(VISTREL_BINARY), {});
  ASSERT_TRUE(program.waitForStarted(10000));
  // The window exists once its folders do; the signal may come before the event loop runs.
  ASSERT_TRUE(
      WaitFor([&] { return QFileInfo(home.path() + QStringLiteral("FILELISTS")).isDir(); }, 30000));
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  ASSERT_TRUE(program.waitForFinished(30000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);

  EXPECT_TRUE(QFileInfo(home.path() + QStringLiteral("THUMBS")).isDir());
  const IniProfile ini = IniProfile::Load(home.path() + QStringLiteral("prg.ini"));
  EXPECT_EQ(ini.SectionNames().join(QLatin1Char(',')),
            QStringLiteral("OPTIONS,POSITION_MAIN,COLORS,THUMBS,PATHS,EDITOR1,EDITOR2,EDITOR3,"
                           "EDITOR4,EDITOR5,EDITOR6"));
  EXPECT_TRUE(QFileInfo(home.path() + QStringLiteral("STYLES/THUMBS/tag.ini")).isFile());
  EXPECT_TRUE(QFileInfo(home.path() + QStringLiteral("HELP/index.htm")).isFile());
}

}  // namespace
}  // namespace vistrel::testing
