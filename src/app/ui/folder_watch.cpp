#include "app/ui/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cstring>

#include "core/disk_name.h"

namespace vistrel {

namespace {
constexpr uint32_t kFolderEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR;
}  // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
  fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return;  // the tree then follows the disk only when folders are read again
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &FolderWatch::ReadEvents);
}

FolderWatch::~FolderWatch() {
  if (fd_ >= 0) ::close(fd_);
}

int FolderWatch::Watch(const QString& folder) {
  if (fd_ < 0) return -1;
  const int watch = ::inotify_add_watch(fd_, NameToDisk(folder).constData(), kFolderEvents);
  if (watch >= 0) ++uses_[watch];
  return watch;
}

void FolderWatch::Forget(int watch) {
  const auto use = uses_.find(watch);
  if (use == uses_.end()) return;
  if (--*use > 0) return;
  uses_.erase(use);
  ::inotify_rm_watch(fd_, watch);  // fails harmlessly when the folder itself is gone
}

void FolderWatch::ReadEvents() {
  alignas(inotify_event) char buffer[16384];
  for (;;) {
    const ssize_t length = ::read(fd_, buffer, sizeof buffer);
    if (length <= 0) return;
    for (const char* at = buffer; at < buffer + length;) {
      inotify_event event;
      std::memcpy(&event, at, sizeof event);
      at += sizeof(inotify_event) + event.len;
      if (event.mask & IN_Q_OVERFLOW) {
        Q_EMIT Changed(-1);
      } else if (event.mask & IN_IGNORED) {
        uses_.remove(event.wd);  // the folder is gone, and with it the watch
      } else if (event.mask & IN_ISDIR) {
        Q_EMIT Changed(event.wd);
      }
    }
  }
}

}  // namespace vistrel
