#pragma once

#include <QString>
#include <QStringView>

namespace vistrel {

// Small text rules shared by the tokeniser's handlers.

inline bool IsSourceBlank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// One letter of a tag name in the style's case: 1 upper case, 2 lower case (also the Latin-1
// umlauts), anything else unchanged.
inline char16_t ChangeLetterCase(char16_t u, int tagCase) {
  if (tagCase == 1) return (u >= 'a' && u <= 'z') ? static_cast<char16_t>(u - 32) : u;
  if (tagCase == 2 && ((u >= 'A' && u <= 'Z') || u == 0xC4 || u == 0xD6 || u == 0xDC))
    return static_cast<char16_t>(u + 32);
  return u;
}

// Changes the case of the tag name that starts at from, up to a space, a double quote, a
// ">" or the end: 1 upper case, 2 lower case (also the Latin-1 umlauts), else unchanged.
void ChangeTagNameCase(QString* text, qsizetype from, int tagCase);

// The tag text with every LF and tab turned into a space and its name's case changed.
QString TagTextWithCase(QStringView raw, int tagCase);

// Collapses runs of blanks to one space and normalises the brackets:
// "< td  width=3 > " gives "<td width=3> " (the one trailing space is kept).
QString CollapseAndNormaliseTag(QStringView tag);

}  // namespace vistrel
