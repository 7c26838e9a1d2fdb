#pragma once

#include <QHash>
#include <QObject>

class QSocketNotifier;

namespace vistrel {

// Tells when folders come or go directly inside the folders it watches. It watches by the
// bytes of the name (a name that is not UTF-8 is watched like any other), and a folder met
// twice (through a link) is one watch counted twice. Changes to files are not reported: a
// folder of many thousand files being written must not wake anybody.
class FolderWatch : public QObject {
  Q_OBJECT
 public:
  explicit FolderWatch(QObject* parent = nullptr);
  ~FolderWatch() override;

  // The watch of folder, or -1 when it cannot be watched (gone, no permission, no watches left).
  int Watch(const QString& folder);
  // Gives back one use of a watch from Watch.
  void Forget(int watch);

 Q_SIGNALS:
  // A folder came or went inside the watched one; -1 when events were lost (all may have).
  void Changed(int watch);

 private:
  void ReadEvents();

  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QHash<int, int> uses_;
};

}  // namespace vistrel
