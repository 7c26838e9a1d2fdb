#include "editor/tag_hint.h"

namespace vistrel {

QString TagHintKey(const QString& spanText) {
  const qsizetype close = spanText.indexOf(u'>');
  QString tag = close < 0 ? spanText : spanText.left(close + 1);
  if (tag.size() > 1 && tag[1] == u'/') tag.remove(1, 1);
  qsizetype end = 0;
  while (end < tag.size() && tag[end] != u' ' && tag[end] != u'>') ++end;
  return tag.left(end) + u'>';
}

QString FindTagHint(const QStringList& tagSyntaxList, const QString& key) {
  for (const QString& line : tagSyntaxList) {
    if (!line.startsWith(key, Qt::CaseInsensitive)) continue;
    const qsizetype colon = line.indexOf(u':');
    return (colon < 0 ? line : line.mid(colon + 1)).trimmed().left(1000);
  }
  return {};
}

}  // namespace vistrel
