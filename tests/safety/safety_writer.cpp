// Test helper: writes one file through one of the program's writers, so a test can kill it
// part way or run it under a file-size limit or as an unprivileged user.
//   safety_writer WRITER FOLDER GENERATION SCRATCH [--fsize BYTES] [--drop-root]
// Prints "ready" just before the write starts; exits 0 when written, 1 with the message
// on stderr when the writer reported a failure, 2 on bad usage.
#include <QApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include "save_writers.h"

namespace {

constexpr uid_t kNobody = 65534;

bool DropRoot() {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

bool LimitFileSize(rlim_t bytes) {
  // Beyond the limit write() fails with EFBIG instead of the signal ending the process.
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit;
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
  limit.rlim_cur = bytes;
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 5) return 2;
  const vistrel::safety::SaveWriter* writer = vistrel::safety::FindSaveWriter(args[1]);
  if (!writer) return 2;
  auto write = writer->prepare(args[2], args[3].toInt(), args[4]);
  for (int i = 5; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--fsize") && i + 1 < args.size()) {
      if (!LimitFileSize(args[++i].toULongLong())) return 2;
    } else if (args[i] == QLatin1String("--drop-root")) {
      if (!DropRoot()) return 2;
    } else {
      return 2;
    }
  }
  std::fputs("ready\n", stdout);
  std::fflush(stdout);
  QString message;
  if (write(&message)) return 0;
  std::fputs(message.isEmpty() ? "write failed\n" : qPrintable(message + QLatin1Char('\n')),
             stderr);
  return 1;
}
