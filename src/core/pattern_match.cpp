#include "core/pattern_match.h"

namespace vistrel {

bool MatchesPatternList(const QString& fileName, const QString& patternList) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  const QString tail = fileName.mid(dot);
  if (tail.contains(QLatin1Char('/')) || tail.contains(QLatin1Char('\\')) ||
      tail.contains(QLatin1Char(':')))
    return false;
  const QString ext = tail.toUpper();
  if (ext == QLatin1String(".") || ext == QLatin1String("..")) return false;
  QString patterns = patternList.toUpper();
  patterns.remove(QLatin1Char('*'));
  return patterns.contains(ext.left(4));
}

}  // namespace vistrel
