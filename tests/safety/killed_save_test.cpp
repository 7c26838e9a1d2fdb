// A save that is killed at any moment, or that runs out of disk, leaves the whole old file.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstring>

#include "temp_folder.h"
#include "writer_process.h"

namespace vistrel::safety {
namespace {

constexpr int kKills = 25;

class SaveSafety : public ::testing::TestWithParam<QString> {
 protected:
  void SetUp() override {
    writer_ = FindSaveWriter(GetParam());
    ASSERT_NE(writer_, nullptr);
    folder_ = root_.MakeDir(QStringLiteral("target"));
    scratch_ = root_.MakeDir(QStringLiteral("scratch"));
    target_ = writer_->target(folder_);
    ASSERT_EQ(RunWriter(*writer_, folder_, 1, scratch_).exitCode, 0);
    old_ = ReadAll(target_);
    // The new content, written undisturbed elsewhere; the time it takes only spreads the
    // kill points over the write.
    const QString fresh = root_.MakeDir(QStringLiteral("fresh"));
    QProcess process;
    ASSERT_TRUE(StartWriter(process, *writer_, fresh, 2, scratch_));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(FinishWriter(process).exitCode, 0);
    writeMicroseconds_ = timer.nsecsElapsed() / 1000;
    new_ = ReadAll(writer_->target(fresh));
    ASSERT_FALSE(old_.isEmpty());
    ASSERT_FALSE(new_.isEmpty());
    ASSERT_NE(old_, new_);
    before_ = Entries(FolderOf(target_));
  }

  const SaveWriter* writer_ = nullptr;
  testing::TempFolder root_;
  QString folder_, scratch_, target_;
  QByteArray old_, new_;
  QStringList before_;
  qint64 writeMicroseconds_ = 0;
};

TEST_P(SaveSafety, KilledAnywhereLeavesTheWholeOldOrTheWholeNewFile) {
  QRandomGenerator random(21);
  int keptOld = 0, tookNew = 0, strays = 0;
  for (int run = 0; run < kKills; ++run) {
    WriteAll(target_, old_);
    QProcess process;
    ASSERT_TRUE(StartWriter(process, *writer_, folder_, 2, scratch_));
    QThread::usleep(random.bounded(writeMicroseconds_ * 5 / 4 + 1));
    process.kill();
    process.waitForFinished(60000);
    const QByteArray now = ReadAll(target_);
    ASSERT_TRUE(now == old_ || now == new_) << "run " << run << ": " << now.size() << " bytes, old "
                                            << old_.size() << ", new " << new_.size();
    (now == old_ ? keptOld : tookNew) += 1;
    // A killed process cannot remove its temporary file; only such files may remain.
    for (const QString& name : Entries(FolderOf(target_))) {
      if (before_.contains(name)) continue;
      ASSERT_TRUE(name.startsWith(QLatin1Char('.'))) << "visible stray file " << name.toStdString();
      QFile::remove(FolderOf(target_) + QLatin1Char('/') + name);
      ++strays;
    }
  }
  RecordProperty("kept_old", keptOld);
  RecordProperty("took_new", tookNew);
  RecordProperty("temporary_files_left_by_kills", strays);
}

TEST_P(SaveSafety, FullDiskReportsTheErrorKeepsTheOldFileAndLeavesNoTemporaryFile) {
  const qint64 limit = std::min(old_.size(), new_.size()) / 2;
  const WriterRun run = RunWriter(*writer_, folder_, 2, scratch_,
                                  {QStringLiteral("--fsize"), QString::number(limit)});
  EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
  if (writer_->reportsFailure) {
    EXPECT_TRUE(run.err.contains(target_)) << run.err.toStdString();
  }
  if (writer_->namesSystemError) {
    EXPECT_TRUE(run.err.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << run.err.toStdString();
  }
  EXPECT_EQ(ReadAll(target_), old_);
  EXPECT_EQ(Entries(FolderOf(target_)), before_);
}

INSTANTIATE_TEST_SUITE_P(Writers, SaveSafety,
                         ::testing::Values(QStringLiteral("text"), QStringLiteral("editor"),
                                           QStringLiteral("settings"), QStringLiteral("list"),
                                           QStringLiteral("thumbnail"), QStringLiteral("snapshot"),
                                           QStringLiteral("copy")),
                         [](const auto& info) { return info.param.toStdString(); });

}  // namespace
}  // namespace vistrel::safety
