#include "filelists/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/page_list.h"
#include "core/prompter.h"
#include "core/text_paths.h"
#include "settings/program_settings.h"

namespace vistrel {

const char* const kCannotCopyToItself = "Cannot copy a file to itself ...";
const char* const kCopyDialogCaption = "Copy file(s) to";

namespace {

QString FolderOf(const QString& path) { return IncludeTrailingSeparator(QFileInfo(path).path()); }

bool SameFolder(const QString& path, const QString& shownFolder) {
  return !shownFolder.isEmpty() && FolderOf(path) == IncludeTrailingSeparator(shownFolder);
}

}  // namespace

bool DeleteFilePermanently(const QString& path, ProgramSettings& settings) {
  const QFileInfo info(path);
  if (path.isEmpty() || (!info.exists() && !info.isSymLink()) || info.isDir()) return false;
  settings.DoRecycleBin = false;
  return QFile::remove(path);
}

bool CopyFileKeepDate(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return false;
  const QFileInfo targetInfo(target);
  if (targetInfo.exists() && !targetInfo.isWritable()) return false;
  QSaveFile out(target);
  if (!out.open(QIODevice::WriteOnly)) return false;
  char block[16384];
  for (;;) {
    const qint64 got = in.read(block, sizeof block);
    if (got == 0) break;
    if (got < 0 || out.write(block, got) != got) {
      out.cancelWriting();
      return false;
    }
  }
  if (!out.commit()) return false;
  struct stat st {};
  if (stat(QFile::encodeName(source).constData(), &st) == 0) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
    utimensat(AT_FDCWD, QFile::encodeName(target).constData(), times, 0);
  }
  return true;
}

DeleteOutcome DeleteSelectedFiles(const PageList& page, const QString& shownFolder,
                                  ProgramSettings& settings, Prompter& prompter) {
  DeleteOutcome outcome;
  const int selected = page.SelectedCount();
  if (selected < 1) return outcome;
  const QString current = page.CurrentFile();
  QString question =
      QStringLiteral("CAUTION:\r\n--- File(s) will not be moved to Trash! ---\r\n\r\n\r\n");
  if (!current.isEmpty())
    question +=
        QStringLiteral("Delete file \"") + current + QStringLiteral("\" permanently from disk?");
  else
    question += QStringLiteral("Delete ") + QString::number(selected) +
                QStringLiteral(" files permanently from disk?");
  question += QStringLiteral("\r\n\r\n");
  if (prompter.Question(question, QuestionButtons::kYesNoCancel) != kAnswerYes) return outcome;
  outcome.confirmed = true;
  const int total = page.ItemCount();
  for (int index = 0; index < total; ++index) {
    const QString path = page.FileOfItem(index, true);
    if (path.isEmpty()) continue;
    if (DeleteFilePermanently(path, settings)) ++outcome.deleted;
    outcome.lastDeletedIndex = index;
    if (SameFolder(path, shownFolder)) outcome.anyInShownFolder = true;
  }
  return outcome;
}

namespace {

CopyOutcome CopyOneFile(const PageList& page, const QString& shownFolder, Prompter& prompter) {
  CopyOutcome outcome;
  const QString source = page.CurrentFile();
  if (source.isEmpty()) return outcome;
  FileDialogRequest request;
  request.caption = QString::fromLatin1(kCopyDialogCaption);
  request.folder = FolderOf(source);
  request.fileName = QFileInfo(source).fileName();
  const QString chosen = prompter.SaveFile(request);
  if (chosen.isEmpty()) return outcome;
  const QString target =
      BuildTargetPath(FolderOf(chosen), QFileInfo(chosen).fileName(), QString(), prompter);
  if (target.isEmpty()) return outcome;
  outcome.confirmed = true;
  if (source.compare(target, Qt::CaseInsensitive) == 0) {
    prompter.Information(QString::fromLatin1(kCannotCopyToItself));
    return outcome;
  }
  if (CopyFileKeepDate(source, target)) outcome.copied = 1;
  outcome.singleTarget = target;
  outcome.singleTargetInShownFolder = SameFolder(target, shownFolder);
  return outcome;
}

}  // namespace

CopyOutcome CopySelectedFiles(const PageList& page, const QString& shownFolder,
                              ProgramSettings& settings, Prompter& prompter,
                              BatchProgress& progress) {
  const int selected = page.SelectedCount();
  if (selected < 1) return {};
  if (selected == 1) return CopyOneFile(page, shownFolder, prompter);

  CopyOutcome outcome;
  FileDialogRequest request;
  request.caption = QString::fromLatin1(kCopyDialogCaption);
  request.folder = settings.COPYPATH;
  const QString chosen = prompter.Folder(request);
  if (chosen.isEmpty()) return outcome;
  const QString folder = IncludeTrailingSeparator(chosen);
  if (prompter.Question(QStringLiteral("Copy ") + QString::number(selected) +
                            QStringLiteral(" file(s) to folder:\r\n\r\n") + folder,
                        QuestionButtons::kYesNoCancel) != kAnswerYes)
    return outcome;
  outcome.confirmed = true;
  QDir().mkpath(folder);
  RunSelectedBatch(page, progress, [&](int, const QString& source) {
    const QString target = folder + QFileInfo(source).fileName();
    if (FileExistsAny(target)) {
      const int answer = prompter.Question(
          QStringLiteral("File: ") + target + QStringLiteral(" exists.\r\n\r\nOverwrite?"),
          QuestionButtons::kYesNoCancel);
      if (answer == kAnswerCancel) return false;
      if (answer != kAnswerYes) return true;
    }
    if (source.compare(target, Qt::CaseInsensitive) != 0 && CopyFileKeepDate(source, target))
      ++outcome.copied;
    return true;
  });
  settings.COPYPATH = folder;
  return outcome;
}

}  // namespace vistrel
