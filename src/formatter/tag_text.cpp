#include "formatter/tag_text.h"

namespace vistrel {

void ChangeTagNameCase(QString* text, qsizetype from, int tagCase) {
  if (tagCase != 1 && tagCase != 2) return;
  QChar* data = text->data();
  const qsizetype size = text->size();
  for (qsizetype i = from; i < size; ++i) {
    const char16_t u = data[i].unicode();
    if (u == ' ' || u == '"' || u == '>') return;
    data[i] = QChar(ChangeLetterCase(u, tagCase));
  }
}

QString TagTextWithCase(QStringView raw, int tagCase) {
  QString text = raw.toString();
  QChar* data = text.data();
  for (qsizetype i = 0; i < text.size(); ++i)
    if (data[i] == QLatin1Char('\n') || data[i] == QLatin1Char('\t')) data[i] = QLatin1Char(' ');
  ChangeTagNameCase(&text, 0, tagCase);
  return text;
}

QString CollapseAndNormaliseTag(QStringView tag) {
  QString collapsed;
  collapsed.reserve(tag.size() + 2);
  bool lastSpace = false;
  for (const QChar c : tag) {
    const bool space = c == QLatin1Char(' ') || c == QLatin1Char('\t');
    if (space && lastSpace) continue;
    collapsed.append(space ? QLatin1Char(' ') : c);
    lastSpace = space;
  }
  QStringView core(collapsed);
  const bool endsWithSpace = core.endsWith(QLatin1Char(' '));
  auto trimSpaces = [](QStringView v) {
    while (v.startsWith(QLatin1Char(' '))) v = v.mid(1);
    while (v.endsWith(QLatin1Char(' '))) v.chop(1);
    return v;
  };
  core = trimSpaces(core);
  while (core.startsWith(QLatin1Char('<'))) core = core.mid(1);
  while (core.endsWith(QLatin1Char('>'))) core.chop(1);
  core = trimSpaces(core);
  QString result;
  result.reserve(core.size() + 3);
  result.append(QLatin1Char('<'));
  result.append(core);
  result.append(QLatin1Char('>'));
  if (endsWithSpace) result.append(QLatin1Char(' '));
  return result;
}

}  // namespace vistrel
