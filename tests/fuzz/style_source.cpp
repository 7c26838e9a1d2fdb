#include "style_source.h"

#include <QFile>
#include <QTemporaryDir>

namespace vistrel::fuzz {

Style StyleFromFiles(const QByteArray& options, const QByteArray& tags) {
  static QTemporaryDir dir;
  for (const auto& [name, bytes] : {std::pair{kOptionsFileName, options}, {kTagFileName, tags}}) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
  }
  return LoadStyleFolder(dir.path());
}

}  // namespace vistrel::fuzz
