#pragma once

#include <QStringList>

namespace vistrel::bench {

// Takes "--NAME VALUE" out of args (the last one given wins) and gives VALUE, or fallback.
inline QString TakeOption(QStringList& args, const QString& name, const QString& fallback = {}) {
  QString value = fallback;
  for (int i = 0; i + 1 < args.size();) {
    if (args[i] == name) {
      value = args[i + 1];
      args.remove(i, 2);
    } else {
      ++i;
    }
  }
  return value;
}

inline int TakeIntOption(QStringList& args, const QString& name, int fallback) {
  return TakeOption(args, name, QString::number(fallback)).toInt();
}

}  // namespace vistrel::bench
