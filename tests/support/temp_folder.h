#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vistrel::testing {

// A real folder tree for a test, removed afterwards. Paths end with "/".
class TempFolder {
 public:
  TempFolder();
  QString path() const;  // with trailing "/"
  // Writes a file below the folder (parents created) and returns its full path.
  QString Write(const QString& relative, const QByteArray& bytes = {});
  QString MakeDir(const QString& relative);
  QByteArray Read(const QString& relative) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace vistrel::testing
