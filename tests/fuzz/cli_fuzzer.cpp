// Any arguments to the commands vistrel-cli runs itself (format, rtf, search, verify, merge),
// in a folder of their own holding a page, a sub-folder and a list. Every run ends with exit
// status 0, 1 or 2, and a usage error (2) writes nothing to standard output. Arguments are
// kept inside that folder: none may hold "/" or start with "..", so no run reads or writes
// anything else; standard input is empty.
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <cstdlib>

#include "cli/cli_command.h"
#include "cli/dispatch.h"
#include "core/disk_name.h"
#include "fuzz_target.h"

using namespace vistrel;

namespace {

const char kPage[] =
    "<html><body><table><tr><td>a</td></tr></table><p>caf\xC3\xA9</p></body></html>\n";

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

void WriteFile(const QByteArray& path, const QByteArray& bytes) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return;
  (void)!::write(fd, bytes.constData(), size_t(bytes.size()));
  ::close(fd);
}

// The folder every run works in, made afresh each time so that runs do not depend on each
// other; the program folder (settings, styles) lies inside it.
const QByteArray& WorkFolder() {
  static const QByteArray folder = [] {
    QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/vistrel-cli-fuzz-XXXXXX";
    const char* made = ::mkdtemp(pattern.data());
    ::setenv("VISTREL_HOME", QByteArray(QByteArray(made) + "/home").constData(), 1);
    static char programName[] = "vistrel-cli";
    cli::SetProgramName(programName);
    std::atexit([] { ::nftw(WorkFolder().constData(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); });
    return QByteArray(made);
  }();
  return folder;
}

void ResetWorkFolder() {
  const QByteArray& folder = WorkFolder();
  ::nftw(folder.constData(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  ::mkdir(folder.constData(), 0700);
  ::mkdir(QByteArray(folder + "/sub").constData(), 0700);
  WriteFile(folder + "/page.html", kPage);
  WriteFile(folder + "/sub/other.htm", kPage);
  const QByteArray list = folder + "/page.html*page.html*" + folder + "/*1*2024-01-01 10:00\r\n" +
                          folder + "/gone.html*gone.html*" + folder + "/*9*2024-01-01 10:00\r\n";
  WriteFile(folder + "/pages.lst", list);
}

bool SafeArgument(const QByteArray& argument) {
  return !argument.contains('/') && !argument.startsWith("..");
}

// Runs with standard input empty and standard output into a file; returns what was written.
QByteArray RunCaptured(const QStringList& arguments, int* code) {
  const QByteArray outPath = WorkFolder() + ".out";
  const int savedIn = ::dup(0);
  const int savedOut = ::dup(1);
  const int savedErr = ::dup(2);
  const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const int out = ::open(outPath.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int err = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  const QByteArray here = QDir::currentPath().toLocal8Bit();
  if (::chdir(WorkFolder().constData()) != 0) std::abort();
  *code = cli::Dispatch(arguments, nullptr);
  cli::Out().flush();
  cli::Err().flush();
  cli::EndApplication();  // as vistrel-cli's main does: one command, one application object
  if (::chdir(here.constData()) != 0) std::abort();
  for (int fd : {0, 1, 2}) ::dup2(fd == 0 ? savedIn : fd == 1 ? savedOut : savedErr, fd);
  for (int fd : {savedIn, savedOut, savedErr, in, err}) ::close(fd);
  QByteArray written;
  ::lseek(out, 0, SEEK_SET);
  char buffer[4096];
  for (ssize_t n; (n = ::read(out, buffer, sizeof buffer)) > 0;) written.append(buffer, n);
  ::close(out);
  ::unlink(outPath.constData());
  return written;
}

}  // namespace

VISTREL_FUZZ_ENTRY(cli)(const uint8_t* data, size_t size) {
  // One argument a line: the command, then its arguments.
  const QList<QByteArray> parts =
      QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
  static const QList<QByteArray> commands = {"format", "rtf", "search", "verify", "merge"};
  if (parts.isEmpty() || !commands.contains(parts.front())) return 0;
  QStringList arguments{QStringLiteral("vistrel-cli")};
  for (const QByteArray& part : parts) {
    if (!SafeArgument(part)) return 0;
    arguments << NameFromDisk(part);
  }
  ResetWorkFolder();
  int code = -1;
  const QByteArray out = RunCaptured(arguments, &code);
  FUZZ_CHECK(code == cli::kExitOk || code == cli::kExitFailure || code == cli::kExitUsage);
  FUZZ_CHECK(code != cli::kExitUsage || out.isEmpty());
  return 0;
}
