#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <climits>

#include "scripted_prompter.h"
#include "snapshots/disk_space.h"
#include "snapshots/snapshot_save.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::ScriptedPrompter;
using testing::TempFolder;

QImage Picture(QImage::Format format = QImage::Format_RGB888) {
  QImage image(30, 20, format);
  image.fill(QColor(10, 200, 30));
  return image;
}

struct StatusLog {
  QStringList lines;
  StatusLine sink() {
    return [this](const QString& text) { lines << text; };
  }
};

TEST(EnoughDiskSpaceTest, ThresholdInThousandsOfBytes) {
  ScriptedPrompter prompter;
  EXPECT_FALSE(EnoughFreeSpace(1999999, QStringLiteral("/srv"), 2000, prompter));
  EXPECT_EQ(
      prompter.TakeTexts(),
      QStringList{QStringLiteral("Diskspace on drive \"/srv\" < 2000Kb!\r\nProcess stopped.")});
  EXPECT_TRUE(EnoughFreeSpace(2000000, QStringLiteral("/srv"), 2000, prompter));
  EXPECT_TRUE(EnoughFreeSpace(-1, QString(), 2000, prompter));  // unknown: never stops
  EXPECT_TRUE(prompter.TakeTexts().isEmpty());
}

TEST(EnoughDiskSpaceTest, AsksTheVolumeOfTheNearestExistingFolder) {
  TempFolder folder;
  ScriptedPrompter prompter;
  const QString notYetMade = folder.path() + QStringLiteral("new/deeper");
  EXPECT_TRUE(EnoughDiskSpace(notYetMade, 1, prompter));
  EXPECT_FALSE(EnoughDiskSpace(notYetMade, INT_MAX, prompter));
  const QString root = QStorageInfo(folder.path()).rootPath();
  EXPECT_EQ(prompter.TakeTexts(),
            QStringList{QStringLiteral("Diskspace on drive \"") + root +
                        QStringLiteral("\" < 2147483647Kb!\r\nProcess stopped.")});
  EXPECT_FALSE(QDir(notYetMade).exists());
}

TEST(SaveSnapshotTest, WritesJpegOrBmpByFormatAndReportsIt) {
  TempFolder folder;
  ScriptedPrompter prompter;
  StatusLog status;
  QImage image = Picture();
  const QString jpg = folder.path() + QStringLiteral("shot.jpg");
  ASSERT_TRUE(SaveSnapshot(jpg, SnapshotFormat::kJpeg, true, image, prompter, status.sink()));
  EXPECT_TRUE(folder.Read(QStringLiteral("shot.jpg")).startsWith("\xFF\xD8\xFF"));
  EXPECT_EQ(status.lines, (QStringList{QStringLiteral(" "), QStringLiteral("Saved as:") + jpg}));

  // The format decides, not the name; a 32-bit image is converted first.
  QImage wide = Picture(QImage::Format_ARGB32);
  status.lines.clear();
  const QString bmp = folder.path() + QStringLiteral("shot.img");
  ASSERT_TRUE(SaveSnapshot(bmp, SnapshotFormat::kBmp, false, wide, prompter, status.sink()));
  const QByteArray bytes = folder.Read(QStringLiteral("shot.img"));
  ASSERT_EQ(bytes.size(), 54 + 20 * 92);
  EXPECT_EQ(bytes[28], char(24));
  EXPECT_EQ(wide.format(), QImage::Format_RGB888);
  EXPECT_EQ(status.lines.first(), QStringLiteral("Converting snapshot to 24bit, please wait ..."));
  EXPECT_TRUE(prompter.TakeTexts().isEmpty());
}

TEST(SaveSnapshotTest, OverwriteQuestion) {
  TempFolder folder;
  ScriptedPrompter prompter;
  QImage image = Picture();
  const QString target = folder.Write(QStringLiteral("old.bmp"), "keep me");
  const QString question =
      QStringLiteral("File exists: ") + target + QStringLiteral("\r\n\r\nOverwrite ?");

  prompter.AnswerQuestion(kAnswerNo);  // skip this file, the batch goes on
  EXPECT_TRUE(SaveSnapshot(target, SnapshotFormat::kBmp, true, image, prompter, {}));
  EXPECT_EQ(folder.Read(QStringLiteral("old.bmp")), QByteArray("keep me"));
  prompter.AnswerQuestion(kAnswerCancel);  // the batch ends
  EXPECT_FALSE(SaveSnapshot(target, SnapshotFormat::kBmp, true, image, prompter, {}));
  EXPECT_EQ(folder.Read(QStringLiteral("old.bmp")), QByteArray("keep me"));
  prompter.AnswerQuestion(kAnswerYes);
  EXPECT_TRUE(SaveSnapshot(target, SnapshotFormat::kBmp, true, image, prompter, {}));
  EXPECT_TRUE(folder.Read(QStringLiteral("old.bmp")).startsWith("BM"));
  EXPECT_EQ(prompter.TakeTexts(), (QStringList{question, question, question}));

  // Without the question the file is replaced at once.
  EXPECT_TRUE(SaveSnapshot(target, SnapshotFormat::kJpeg, false, image, prompter, {}));
  EXPECT_TRUE(folder.Read(QStringLiteral("old.bmp")).startsWith("\xFF\xD8"));
}

TEST(SaveSnapshotTest, RefusalsAndFailuresWriteNothing) {
  TempFolder folder;
  ScriptedPrompter prompter;
  StatusLog status;
  QImage image = Picture();
  EXPECT_FALSE(
      SaveSnapshot(QString(), SnapshotFormat::kJpeg, true, image, prompter, status.sink()));
  EXPECT_EQ(prompter.TakeTexts(), QStringList{QStringLiteral("Invalid file name: ")});

  const QString full = folder.path() + QStringLiteral("full.jpg");
  EXPECT_FALSE(
      SaveSnapshot(full, SnapshotFormat::kJpeg, true, image, prompter, status.sink(), INT_MAX));
  ASSERT_EQ(prompter.TakeTexts().size(), 1);
  EXPECT_FALSE(QFile::exists(full));

  // A folder that is not there: the failure is reported and ends the batch.
  const QString nowhere = folder.path() + QStringLiteral("gone/shot.bmp");
  EXPECT_FALSE(SaveSnapshot(nowhere, SnapshotFormat::kBmp, true, image, prompter, status.sink()));
  const auto shown = prompter.TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, ScriptedPrompter::Kind::kError);
  EXPECT_FALSE(status.lines.contains(QStringLiteral("Saved as:") + nowhere));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
}

}  // namespace
}  // namespace vistrel
