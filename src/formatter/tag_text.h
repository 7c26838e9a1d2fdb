#pragma once

#include <QString>
#include <QStringView>

namespace vistrel {

// Small text rules shared by the tokeniser's handlers.

inline bool IsSourceBlank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// The units above the blank, for PlainRunEnd: everything but blanks, CR and control codes.
constexpr char16_t kAboveSpace = u' ' + 1;
constexpr char16_t kAboveSpaceCount = 0xFFFF - u' ';

// One letter of a tag name in the style's case: 1 upper case, 2 lower case (also the Latin-1
// umlauts), anything else unchanged.
inline char16_t ChangeLetterCase(char16_t u, int tagCase) {
  if (tagCase == 1) return (u >= 'a' && u <= 'z') ? static_cast<char16_t>(u - 32) : u;
  if (tagCase == 2 && ((u >= 'A' && u <= 'Z') || u == 0xC4 || u == 0xD6 || u == 0xDC))
    return static_cast<char16_t>(u + 32);
  return u;
}

// Appends the tag text raw in its normalised form: line ends and tabs become blanks, the
// name (up to a blank, a double quote or ">") takes the style's case, blank runs become one
// space, and the brackets are put right: "< td  width=3 >" gives "<td width=3>". With
// spaceAfter, or when raw ends with a blank, one space follows the ">".
void AppendNormalisedTag(QStringView raw, int tagCase, bool spaceAfter, QString* out);

}  // namespace vistrel
