// A save that is killed at any moment, or that runs out of disk, leaves the whole old file.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstring>

#include "writer_fixture.h"

namespace vistrel::safety {
namespace {

constexpr int kKills = 25;

class SaveSafety : public WriterTest {
 protected:
  void SetUp() override {
    WriterTest::SetUp();
    before_ = Entries(FolderOf(target_));
  }

  QStringList before_;
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

VISTREL_FOR_EVERY_WRITER(SaveSafety);

}  // namespace
}  // namespace vistrel::safety
