#include "cli/progress_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/cli_command.h"

namespace vistrel::cli {

namespace {

int TerminalWidth() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

}  // namespace

QString ProgressText(int count, int total, double perSecond, const QString& current, int width) {
  QString head = QString::number(count);
  if (total > 0) head += QLatin1Char('/') + QString::number(total);
  head += QStringLiteral("  ") + QString::number(perSecond, 'f', 1) + QStringLiteral("/s  ");
  // The last column stays free: writing into it makes some terminals wrap the line.
  const qsizetype room = qMax<qsizetype>(0, width - 1 - head.size());
  if (current.size() <= room) return head + current;
  if (room < 4) return head.left(width - 1);
  return head + QStringLiteral("...") + current.right(room - 3);
}

ProgressLine::ProgressLine(bool quiet) : active_(!quiet && ::isatty(STDERR_FILENO) == 1) {
  clock_.start();
}

ProgressLine::~ProgressLine() { Clear(); }

void ProgressLine::Show(int count, int total, const QString& current) {
  if (!active_) return;
  const qint64 now = clock_.elapsed();
  if (now - lastDrawMs_ < 100 && count != total) return;
  lastDrawMs_ = now;
  const double perSecond = now > 0 ? count * 1000.0 / double(now) : 0.0;
  Err() << "\r" << ProgressText(count, total, perSecond, current, TerminalWidth()) << "\x1b[K";
  Err().flush();
  shown_ = true;
}

void ProgressLine::Clear() {
  if (!shown_) return;
  Err() << "\r\x1b[K";
  Err().flush();
  shown_ = false;
}

}  // namespace vistrel::cli
