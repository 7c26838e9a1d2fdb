#include "app/ui/status_text.h"

namespace vistrel {

const char* const kPageNames[3] = {"Folder View", "Thumbnail View", "File Lists"};

QString TabCaption(int page, bool active, int selected, int total) {
  QString name = QString::fromLatin1(kPageNames[page]);
  if (!active) return name;
  return name + QStringLiteral("  (") + QString::number(selected) + QStringLiteral(" of ") +
         QString::number(total) + QStringLiteral(" files selected)");
}

QString ChangedFileQuestion(const QString& file) {
  return QStringLiteral("File: ") + file +
         QStringLiteral("\r\n has been changed by another application.") +
         QStringLiteral("\r\n\r\nReload from disk?");
}

}  // namespace vistrel
