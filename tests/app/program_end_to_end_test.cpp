// The real program, started and ended the way a desktop session does it.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

#include "settings/ini_profile.h"
#include "temp_folder.h"

namespace vistrel::testing {
namespace {

const char* const kSections =
    "OPTIONS,POSITION_MAIN,COLORS,THUMBS,PATHS,EDITOR1,EDITOR2,EDITOR3,EDITOR4,EDITOR5,EDITOR6";

// Polls cond until it holds; false when it never did within the bound (a hang, not a speed).
template <typename Cond>
bool WaitFor(Cond cond, int boundMs) {
  const QDeadlineTimer deadline(boundMs);
  while (!cond()) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
  return true;
}

int ThumbCount(const QString& home) {
  int count = 0;
  QDirIterator it(home + QStringLiteral("THUMBS"), {QStringLiteral("*.jpg")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    ++count;
  }
  return count;
}

// A program run over a fresh program folder (no settings file yet) on the offscreen platform.
class ProgramRun {
 public:
  explicit ProgramRun(const QString& binary) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VISTREL_HOME"), home_.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program_.setProcessEnvironment(env);
    binary_ = binary;
  }
  ~ProgramRun() {
    if (program_.state() != QProcess::NotRunning) {
      program_.kill();
      program_.waitForFinished(10000);
    }
  }
  void Start() {
    program_.start(binary_, {});
    ASSERT_TRUE(program_.waitForStarted(10000));
  }
  void Signal(int number) { ::kill(static_cast<pid_t>(program_.processId()), number); }
  // Ends normally with code 0 and leaves a settings file with every section.
  void ExpectOrderlyEnd() {
    ASSERT_TRUE(program_.waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(program_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program_.exitCode(), 0);
    const IniProfile ini = IniProfile::Load(home_.path() + QStringLiteral("prg.ini"));
    EXPECT_EQ(ini.SectionNames().join(QLatin1Char(',')), QString::fromLatin1(kSections));
  }
  TempFolder& home() { return home_; }

 private:
  TempFolder home_;
  QString binary_;
  QProcess program_;
};

TEST(ProgramEndToEnd, TerminationSignalClosesOrderlyAndWritesSettings) {
  ProgramRun run(QStringLiteral(VISTREL_BINARY));
  run.Start();
  const QString home = run.home().path();
  // The window exists once its folders do; the signal may come before the event loop runs.
  ASSERT_TRUE(
      WaitFor([&] { return QFileInfo(home + QStringLiteral("FILELISTS")).isDir(); }, 30000));
  run.Signal(SIGTERM);
  run.ExpectOrderlyEnd();
  EXPECT_TRUE(QFileInfo(home + QStringLiteral("THUMBS")).isDir());
  EXPECT_TRUE(QFileInfo(home + QStringLiteral("STYLES/THUMBS/tag.ini")).isFile());
  EXPECT_TRUE(QFileInfo(home + QStringLiteral("HELP/index.htm")).isFile());
}

// The off-screen page that renders thumbnails must not keep the program alive.
TEST(ProgramEndToEnd, EndsAndWritesSettingsAfterThumbnailsWereMade) {
  ProgramRun run(QStringLiteral(VISTREL_SCRIPTED_BINARY));
  run.home().Write(QStringLiteral("a.htm"), "<p>a</p>");
  run.home().Write(QStringLiteral("b.htm"), "<p>b</p>");
  run.Start();
  ASSERT_TRUE(WaitFor([&] { return ThumbCount(run.home().path()) == 2; }, 120000));
  run.Signal(SIGTERM);
  run.ExpectOrderlyEnd();
}

TEST(ProgramEndToEnd, HangupDuringABatchStopsItAndEnds) {
  ProgramRun run(QStringLiteral(VISTREL_SCRIPTED_BINARY));
  constexpr int kPages = 60;
  for (int i = 0; i < kPages; ++i)
    run.home().Write(QStringLiteral("p%1.htm").arg(i, 2, 10, QLatin1Char('0')), "<p>page</p>");
  run.Start();
  ASSERT_TRUE(WaitFor([&] { return ThumbCount(run.home().path()) >= 1; }, 120000));
  run.Signal(SIGHUP);
  run.ExpectOrderlyEnd();
  EXPECT_LT(ThumbCount(run.home().path()), kPages);  // the batch stopped
}

}  // namespace
}  // namespace vistrel::testing
