#include "filelists/file_operations.h"

#include <gtest/gtest.h>

#include "qstring_print.h"
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/page_list.h"
#include "scripted_prompter.h"
#include "settings/program_settings.h"
#include "temp_folder.h"

namespace vistrel {
namespace {

using testing::ScriptedPrompter;
using testing::TempFolder;

// The folder view's file list as the operations see it: names in one folder.
class FolderPage : public PageList {
 public:
  FolderPage(QString folder, QStringList names, QList<int> selected, int current = -1)
      : folder_(std::move(folder)),
        names_(std::move(names)),
        selected_(std::move(selected)),
        current_(current) {}
  int ItemCount() const override { return int(names_.size()); }
  int SelectedCount() const override { return int(selected_.size()); }
  bool IsSelected(int index) const override { return selected_.contains(index); }
  QString FileOfItem(int index, bool onlySelected) const override {
    if (index < 0 || index >= names_.size() || (onlySelected && !IsSelected(index))) return {};
    return folder_ + names_[index];
  }
  QString CurrentFile() const override {
    return current_ < 0 ? QString() : folder_ + names_[current_];
  }

 private:
  QString folder_;
  QStringList names_;
  QList<int> selected_;
  int current_;
};

class RecordingProgress : public BatchProgress {
 public:
  void Begin(int maximum) override {
    maximum_ = maximum;
    open_ = true;
  }
  void SetText(const QString& text) override { texts_.append(text); }
  void Step() override { ++steps_; }
  bool AbortRequested() override { return steps_ == abortAfter_; }
  void End() override { open_ = false; }
  int maximum_ = 0, steps_ = 0, abortAfter_ = -1;
  bool open_ = false;
  QStringList texts_;
};

const QString kCaution =
    QStringLiteral("CAUTION:\r\n--- File(s) will not be moved to Trash! ---\r\n\r\n\r\n");

void SetStamp(const QString& path, const QDateTime& when) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

TEST(CopyFileKeepDate, CopiesContentsAndModificationTime) {
  TempFolder tmp;
  QByteArray big(100000, 'x');
  big[50000] = '\0';
  const QString source = tmp.Write(QStringLiteral("a.htm"), big);
  const QDateTime when(QDate(2001, 3, 4), QTime(17, 5, 7));
  SetStamp(source, when);
  const QString target = tmp.path() + QStringLiteral("copy/a.htm");
  QDir().mkpath(tmp.path() + QStringLiteral("copy"));
  ASSERT_TRUE(CopyFileKeepDate(source, target));
  EXPECT_EQ(tmp.Read(QStringLiteral("copy/a.htm")), big);
  EXPECT_EQ(QFileInfo(target).lastModified(), when);
  EXPECT_FALSE(CopyFileKeepDate(tmp.path() + QStringLiteral("missing.htm"), target));
  EXPECT_EQ(tmp.Read(QStringLiteral("copy/a.htm")), big);
}

TEST(CopyFileKeepDate, LeavesAReadOnlyTargetUntouched) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  TempFolder tmp;
  const QString source = tmp.Write(QStringLiteral("a.htm"), "new");
  const QString target = tmp.Write(QStringLiteral("ro.htm"), "old");
  QFile::setPermissions(target, QFileDevice::ReadOwner);
  EXPECT_FALSE(CopyFileKeepDate(source, target));
  EXPECT_EQ(tmp.Read(QStringLiteral("ro.htm")), QByteArray("old"));
}

TEST(DeleteSelectedFiles, AsksWithTheCautionTextAndDeletesOnlyOnYes) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("a.htm"));
  tmp.Write(QStringLiteral("b.htm"));
  tmp.Write(QStringLiteral("c.htm"));
  ProgramSettings settings;
  ScriptedPrompter prompter;
  FolderPage one(tmp.path(), {"a.htm", "b.htm", "c.htm"}, {1}, 1);

  prompter.AnswerQuestion(kAnswerNo);
  EXPECT_FALSE(DeleteSelectedFiles(one, tmp.path(), settings, prompter).confirmed);
  const QString oneQuestion = kCaution + QStringLiteral("Delete file \"") + tmp.path() +
                              QStringLiteral("b.htm\" permanently from disk?\r\n\r\n");
  EXPECT_EQ(prompter.TakeTexts(), QStringList{oneQuestion});
  EXPECT_TRUE(QFileInfo::exists(tmp.path() + QStringLiteral("b.htm")));
  EXPECT_TRUE(settings.DoRecycleBin);

  prompter.AnswerQuestion(kAnswerYes);
  const DeleteOutcome outcome = DeleteSelectedFiles(one, tmp.path(), settings, prompter);
  EXPECT_EQ(prompter.TakeTexts(), QStringList{oneQuestion});
  EXPECT_EQ(outcome.deleted, 1);
  EXPECT_EQ(outcome.lastDeletedIndex, 1);
  EXPECT_TRUE(outcome.anyInShownFolder);
  EXPECT_FALSE(QFileInfo::exists(tmp.path() + QStringLiteral("b.htm")));
  EXPECT_FALSE(settings.DoRecycleBin);

  // Several selected, one of them already gone: counted in the question, no failure shown.
  FolderPage three(tmp.path(), {"a.htm", "b.htm", "c.htm"}, {0, 1, 2});
  prompter.AnswerQuestion(kAnswerYes);
  const DeleteOutcome all =
      DeleteSelectedFiles(three, QStringLiteral("/elsewhere/"), settings, prompter);
  EXPECT_EQ(
      prompter.TakeTexts(),
      QStringList{kCaution + QStringLiteral("Delete 3 files permanently from disk?\r\n\r\n")});
  EXPECT_EQ(all.deleted, 2);
  EXPECT_EQ(all.lastDeletedIndex, 2);
  EXPECT_FALSE(all.anyInShownFolder);
  EXPECT_TRUE(QDir(tmp.path()).entryList(QDir::Files).isEmpty());

  FolderPage none(tmp.path(), {"a.htm"}, {});
  EXPECT_FALSE(DeleteSelectedFiles(none, tmp.path(), settings, prompter).confirmed);
}

TEST(CopySelectedFiles, OneFileGoesThroughTheSaveDialogAndRefusesCopyingOntoItself) {
  TempFolder tmp;
  const QString source = tmp.Write(QStringLiteral("a.htm"), "page");
  ProgramSettings settings;
  settings.COPYPATH = QStringLiteral("/unchanged/");
  ScriptedPrompter prompter;
  RecordingProgress progress;
  FolderPage page(tmp.path(), {"a.htm"}, {0}, 0);

  prompter.AnswerSaveFile(tmp.path() + QStringLiteral("A.HTM"));
  CopySelectedFiles(page, tmp.path(), settings, prompter, progress);
  const QString caption = QString::fromLatin1(kCopyDialogCaption);
  EXPECT_EQ(prompter.TakeTexts(), QStringList({caption, QString::fromLatin1(kCannotCopyToItself)}));

  prompter.AnswerSaveFile(tmp.path() + QStringLiteral("a/b"));
  // The dialog's folder is taken apart from the name, so "a/b" is name "b" in folder "a".
  tmp.MakeDir(QStringLiteral("a"));
  CopyOutcome outcome = CopySelectedFiles(page, tmp.path(), settings, prompter, progress);
  EXPECT_EQ(outcome.copied, 1);
  EXPECT_EQ(tmp.Read(QStringLiteral("a/b")), QByteArray("page"));
  EXPECT_FALSE(outcome.singleTargetInShownFolder);

  prompter.AnswerSaveFile(tmp.path() + QStringLiteral(" copy.htm. "));
  outcome = CopySelectedFiles(page, tmp.path(), settings, prompter, progress);
  EXPECT_EQ(outcome.singleTarget, tmp.path() + QStringLiteral("copy.htm"));
  EXPECT_TRUE(outcome.singleTargetInShownFolder);
  EXPECT_EQ(settings.COPYPATH, QStringLiteral("/unchanged/"));
  EXPECT_EQ(progress.maximum_, 0);
  EXPECT_EQ(prompter.TakeTexts(), QStringList({caption, caption}));

  // A name with "?", "*" or ":" is an ordinary name here, and a copy may take it.
  prompter.AnswerSaveFile(tmp.path() + QStringLiteral("a/what?*:.htm"));
  outcome = CopySelectedFiles(page, tmp.path(), settings, prompter, progress);
  EXPECT_EQ(outcome.copied, 1);
  EXPECT_EQ(tmp.Read(QStringLiteral("a/what?*:.htm")), QByteArray("page"));
  EXPECT_EQ(prompter.TakeTexts(), QStringList{caption});
}

TEST(CopySelectedFiles, SeveralFilesAskPerExistingTargetAndRememberTheFolder) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("src/a.htm"), "A");
  tmp.Write(QStringLiteral("src/b.htm"), "B");
  tmp.Write(QStringLiteral("src/c.htm"), "C");
  const QString dest = tmp.MakeDir(QStringLiteral("dest"));
  tmp.Write(QStringLiteral("dest/b.htm"), "old");
  ProgramSettings settings;
  ScriptedPrompter prompter;
  RecordingProgress progress;
  const QString src = tmp.path() + QStringLiteral("src/");
  FolderPage page(src, {"a.htm", "b.htm", "c.htm"}, {0, 1, 2});

  prompter.AnswerFolder(tmp.path() + QStringLiteral("dest"));
  prompter.AnswerQuestion(kAnswerYes);
  prompter.AnswerQuestion(kAnswerNo);  // keep the old b.htm
  const CopyOutcome outcome = CopySelectedFiles(page, src, settings, prompter, progress);
  EXPECT_EQ(prompter.TakeTexts(),
            QStringList({QString::fromLatin1(kCopyDialogCaption),
                         QStringLiteral("Copy 3 file(s) to folder:\r\n\r\n") + dest,
                         QStringLiteral("File: ") + dest +
                             QStringLiteral("b.htm exists.\r\n\r\nOverwrite?")}));
  EXPECT_EQ(outcome.copied, 2);
  EXPECT_EQ(tmp.Read(QStringLiteral("dest/b.htm")), QByteArray("old"));
  EXPECT_EQ(tmp.Read(QStringLiteral("dest/c.htm")), QByteArray("C"));
  EXPECT_EQ(progress.texts_,
            QStringList({QStringLiteral("(1 of 3): ") + src + QStringLiteral("a.htm"),
                         QStringLiteral("(2 of 3): ") + src + QStringLiteral("b.htm"),
                         QStringLiteral("(3 of 3): ") + src + QStringLiteral("c.htm")}));
  EXPECT_FALSE(progress.open_);
  EXPECT_EQ(settings.COPYPATH, dest);
}

TEST(CopySelectedFiles, IntoTheirOwnFolderCopiesNothingWhateverTheAnswerAndCancelStops) {
  TempFolder tmp;
  tmp.Write(QStringLiteral("a.htm"), "A");
  tmp.Write(QStringLiteral("b.htm"), "B");
  tmp.Write(QStringLiteral("c.htm"), "C");
  ProgramSettings settings;
  ScriptedPrompter prompter;
  RecordingProgress progress;
  FolderPage page(tmp.path(), {"a.htm", "b.htm", "c.htm"}, {0, 1, 2});

  prompter.AnswerFolder(tmp.path());
  prompter.AnswerQuestion(kAnswerYes);
  prompter.AnswerQuestion(kAnswerYes);
  prompter.AnswerQuestion(kAnswerCancel);  // ends the batch before c.htm
  const CopyOutcome outcome = CopySelectedFiles(page, tmp.path(), settings, prompter, progress);
  const QStringList texts = prompter.TakeTexts();
  ASSERT_EQ(texts.size(), 4);
  EXPECT_EQ(texts[3], QStringLiteral("File: ") + tmp.path() +
                          QStringLiteral("b.htm exists.\r\n\r\nOverwrite?"));
  EXPECT_EQ(outcome.copied, 0);
  EXPECT_EQ(tmp.Read(QStringLiteral("a.htm")), QByteArray("A"));
  EXPECT_EQ(progress.steps_, 1);
  EXPECT_FALSE(progress.open_);
  EXPECT_EQ(settings.COPYPATH, tmp.path());

  // The progress window's stop ends the batch after the file in hand.
  const QString dest = tmp.MakeDir(QStringLiteral("out"));
  RecordingProgress stopping;
  stopping.abortAfter_ = 1;
  prompter.AnswerFolder(dest);
  prompter.AnswerQuestion(kAnswerYes);
  EXPECT_EQ(CopySelectedFiles(page, tmp.path(), settings, prompter, stopping).copied, 1);
  prompter.TakeTexts();
  EXPECT_EQ(QDir(dest).entryList(QDir::Files), QStringList{QStringLiteral("a.htm")});
}

}  // namespace
}  // namespace vistrel
