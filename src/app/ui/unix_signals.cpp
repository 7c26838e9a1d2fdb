#include "app/ui/unix_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vistrel {

namespace {

int g_signalSocket[2] = {-1, -1};

// Only async-signal-safe work here: hand the number to the UI thread.
void OnSignal(int number) {
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t n = ::write(g_signalSocket[0], &byte, 1);
}

}  // namespace

UnixSignals::UnixSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSocket) != 0) return;
  notifier_ = new QSocketNotifier(g_signalSocket[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &UnixSignals::ReadSignal);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(number, &action, nullptr);
}

UnixSignals::~UnixSignals() {
  for (int number : {SIGTERM, SIGINT, SIGHUP}) ::signal(number, SIG_DFL);
  for (int& fd : g_signalSocket) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void UnixSignals::ReadSignal() {
  char byte = 0;
  if (::read(g_signalSocket[1], &byte, 1) == 1) Q_EMIT TerminationRequested(byte);
}

}  // namespace vistrel
