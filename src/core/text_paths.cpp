#include "core/text_paths.h"

#include <QDateTime>
#include <QFileInfo>

#include "core/prompter.h"

namespace vistrel {

QString IncludeTrailingSeparator(const QString& path) {
  qsizetype end = path.size();
  while (end > 0 && path.at(end - 1) == QLatin1Char('/')) --end;
  return path.left(end) + QLatin1Char('/');
}

bool IsBlank(const QString& text) {
  for (QChar c : text) {
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n') && c != QLatin1Char(' ') &&
        c != QLatin1Char('\t'))
      return false;
  }
  return true;
}

bool FileExistsAny(const QString& path, DirectoryEntry* entry) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  // A dangling symbolic link is still an entry of its folder.
  if (!info.exists() && !info.isSymLink()) return false;
  if (entry) {
    entry->name = info.fileName();
    entry->size = info.isDir() ? 0 : info.size();
    const QDateTime modified = info.lastModified();
    entry->stampNs = modified.isValid() ? modified.toMSecsSinceEpoch() * 1000000LL : 0;
    entry->isDir = info.isDir();
    entry->isHidden = info.isHidden() || info.fileName().startsWith(QLatin1Char('.'));
  }
  return true;
}

bool IsValidFileName(const QString& name, Prompter& prompter, NameRule rule) {
  bool valid = true;
  if (rule == NameRule::kOnDisk) {
    valid = !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
            !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
  } else {
    static const char* const kForbidden[] = {"\\", "/", "..", "?", "*", ":"};
    for (const char* bad : kForbidden) valid = valid && !name.contains(QLatin1String(bad));
  }
  if (!valid) {
    prompter.Beep();
    prompter.Error(QStringLiteral("Invalid Filename: ") + name);
  }
  return valid;
}

static QString OwnExtension(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const qsizetype sep = name.lastIndexOf(QLatin1Char('/'));
  if (dot < 0 || dot < sep) return {};
  return name.mid(dot);
}

QString BuildTargetPath(const QString& folder, const QString& name, const QString& extension,
                        Prompter& prompter, NameRule rule) {
  QString ext = extension;
  while (ext.startsWith(QLatin1Char('*'))) ext.remove(0, 1);

  QString cleanName = name;
  while (cleanName.startsWith(QLatin1Char(' '))) cleanName.remove(0, 1);
  while (cleanName.endsWith(QLatin1Char(' '))) cleanName.chop(1);
  while (cleanName.endsWith(QLatin1Char('.'))) cleanName.chop(1);
  while (cleanName.startsWith(QLatin1Char('.'))) cleanName.remove(0, 1);

  if (ext.compare(OwnExtension(cleanName), Qt::CaseInsensitive) != 0) cleanName += ext;
  if (!IsValidFileName(cleanName, prompter, rule)) return {};
  return IncludeTrailingSeparator(folder) + cleanName;
}

}  // namespace vistrel
