#include "filelists/file_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/disk_name.h"
#include "core/page_list.h"
#include "core/prompter.h"
#include "core/text_file.h"
#include "core/text_paths.h"
#include "filelists/native_entry.h"
#include "settings/program_settings.h"

namespace vistrel {

const char* const kCannotCopyToItself = "Cannot copy a file to itself ...";
const char* const kCopyDialogCaption = "Copy file(s) to";

namespace {

bool SameFolder(const QString& path, const QString& shownFolder) {
  return !shownFolder.isEmpty() && FolderOfPath(path) == IncludeTrailingSeparator(shownFolder);
}

bool WriteAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size_t(size));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

// Copies the open source into a temporary file beside target and renames it over target, so
// the old target stays whole until the copy is; the copy gets the source's time.
bool CopyThroughTemporary(int in, const QByteArray& target) {
  const qsizetype slash = target.lastIndexOf('/');
  QByteArray temp = (slash < 0 ? QByteArray() : target.left(slash + 1)) + ".vistrel-copy-XXXXXX";
  const int out = ::mkstemp(temp.data());
  if (out < 0) return false;
  bool ok = true;
  char block[16384];
  for (;;) {
    const ssize_t got = ::read(in, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got == 0) break;
    if (got < 0 || !WriteAll(out, block, got)) {
      ok = false;
      break;
    }
  }
  struct stat source {};
  struct stat old {};
  const bool replacing = ::stat(target.constData(), &old) == 0;
  const mode_t umaskNow = ::umask(0);
  ::umask(umaskNow);
  ok = ok && ::fstat(in, &source) == 0 &&
       ::fchmod(out, replacing ? (old.st_mode & 07777) : (0666 & ~umaskNow)) == 0;
  if (ok) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, source.st_mtim};
    ::futimens(out, times);
  }
  ok = ::close(out) == 0 && ok && ::rename(temp.constData(), target.constData()) == 0;
  if (!ok) ::unlink(temp.constData());
  return ok;
}

}  // namespace

bool DeleteFilePermanently(const QString& path, ProgramSettings& settings) {
  struct stat status {};
  if (path.isEmpty() || ::lstat(NameToDisk(path).constData(), &status) != 0 ||
      S_ISDIR(status.st_mode))
    return false;
  settings.DoRecycleBin = false;
  return RemoveFile(path);
}

bool CopyFileKeepDate(const QString& source, const QString& target) {
  // Never blocks on a FIFO or device named like a page, and never copies one.
  const int in = OpenRegularForReading(source);
  if (in < 0) return false;
  // Through a link to its target, so the link stays a link.
  const QByteArray targetBytes = FollowLinks(NameToDisk(target));
  struct stat old {};
  const bool ok = !(::stat(targetBytes.constData(), &old) == 0 &&
                    (S_ISDIR(old.st_mode) ||
                     ::faccessat(AT_FDCWD, targetBytes.constData(), W_OK, AT_EACCESS) != 0)) &&
                  CopyThroughTemporary(in, targetBytes);
  ::close(in);
  return ok;
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
    question += QStringLiteral("Delete file \"") + PrintableName(current) +
                QStringLiteral("\" permanently from disk?");
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
  request.folder = FolderOfPath(source);
  request.fileName = NameOfPath(source);
  const QString chosen = prompter.SaveFile(request);
  if (chosen.isEmpty()) return outcome;
  const QString target = BuildTargetPath(FolderOfPath(chosen), NameOfPath(chosen), QString(),
                                         prompter, NameRule::kOnDisk);
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
  MakeFolders(folder);
  RunSelectedBatch(page, progress, [&](int, const QString& source) {
    const QString target = folder + NameOfPath(source);
    DirectoryEntry existing;
    if (LookUpEntry(target, &existing) != EntryLookup::kMissing) {
      const int answer = prompter.Question(QStringLiteral("File: ") + PrintableName(target) +
                                               QStringLiteral(" exists.\r\n\r\nOverwrite?"),
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
