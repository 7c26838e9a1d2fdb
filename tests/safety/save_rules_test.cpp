// Every writer follows symbolic links, keeps permission bits, and leaves a read-only file or
// folder exactly as it was with the program's failure message.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "writer_fixture.h"

namespace vistrel::safety {
namespace {

class SaveRules : public WriterTest {
 protected:
  // Runs the write of generation 2 as an unprivileged user and checks that it failed,
  // said so, and changed nothing.
  void ExpectRefused() {
    const QStringList before = Entries(FolderOf(target_));
    const WriterRun run =
        RunWriter(*writer_, folder_, 2, scratch_, {QStringLiteral("--drop-root")});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    if (writer_->reportsFailure) {
      EXPECT_TRUE(run.err.contains(target_)) << run.err.toStdString();
    }
    EXPECT_EQ(ReadAll(target_), old_);
    EXPECT_EQ(Entries(FolderOf(target_)), before);
  }
};

TEST_P(SaveRules, WritesThroughASymbolicLinkAndKeepsTheLink) {
  const QString elsewhere = root_.MakeDir(QStringLiteral("elsewhere"));
  const QString real = elsewhere + QStringLiteral("real.bin");
  ASSERT_TRUE(QFile::rename(target_, real));
  // A relative link, resolved from the link's own folder.
  ASSERT_TRUE(QFile::link(QFileInfo(target_).dir().relativeFilePath(real), target_));
  const QStringList before = Entries(FolderOf(target_));
  ASSERT_EQ(RunWriter(*writer_, folder_, 2, scratch_).exitCode, 0);
  EXPECT_TRUE(QFileInfo(target_).isSymLink());
  EXPECT_EQ(QFileInfo(target_).symLinkTarget(), QFileInfo(real).canonicalFilePath());
  EXPECT_EQ(ReadAll(real), new_);
  EXPECT_EQ(Entries(FolderOf(target_)), before);
  EXPECT_EQ(Entries(elsewhere), QStringList{QStringLiteral("real.bin")});
}

TEST_P(SaveRules, KeepsThePermissionBits) {
  for (const QFile::Permissions mode :
       {QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
            QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther}) {
    ASSERT_TRUE(QFile::setPermissions(target_, mode));
    ASSERT_EQ(RunWriter(*writer_, folder_, 2, scratch_).exitCode, 0);
    EXPECT_EQ(ReadAll(target_), new_);
    EXPECT_EQ(QFile::permissions(target_) & 0x7077, mode & 0x7077);
    WriteAll(target_, old_);
  }
}

TEST_P(SaveRules, ReadOnlyFileIsLeftAsItWas) {
  ASSERT_TRUE(QFile::setPermissions(target_, QFile::ReadOwner | QFile::ReadGroup));
  GiveToHelperUser(root_.path());
  ExpectRefused();
}

TEST_P(SaveRules, FileInAReadOnlyFolderIsLeftAsItWas) {
  GiveToHelperUser(root_.path());
  const QString folder = FolderOf(target_);
  const auto writable = QFile::permissions(folder);
  ASSERT_TRUE(QFile::setPermissions(
      folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
  ExpectRefused();
  QFile::setPermissions(folder, writable);
}

VISTREL_FOR_EVERY_WRITER(SaveRules);

}  // namespace
}  // namespace vistrel::safety
