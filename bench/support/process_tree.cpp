#include "process_tree.h"

#include <QDir>
#include <QFile>

namespace vistrel::bench {

QByteArray ProcFile(qint64 pid, const char* name) {
  QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<qint64> ProcessTree(qint64 root) {
  std::vector<qint64> all;
  std::vector<qint64> todo{root};
  while (!todo.empty()) {
    const qint64 pid = todo.back();
    todo.pop_back();
    all.push_back(pid);
    for (const QString& task : QDir(QStringLiteral("/proc/%1/task").arg(pid))
                                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
      QFile children(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
      if (!children.open(QIODevice::ReadOnly)) continue;
      for (const QByteArray& child : children.readAll().split(' '))
        if (!child.trimmed().isEmpty()) todo.push_back(child.trimmed().toLongLong());
    }
  }
  return all;
}

}  // namespace vistrel::bench
