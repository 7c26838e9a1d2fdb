#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <ostream>

#include "formatter/style.h"

namespace vistrel::testing {

// The expected lines of a test, written as UTF-16 literals.
inline QStringList L(std::initializer_list<const char16_t*> items) {
  QStringList list;
  for (const char16_t* item : items) list << QString::fromUtf16(item);
  return list;
}

// A style made from the text of its two files, loaded the way the program loads it.
Style StyleFrom(const QByteArray& optionsIni, const QByteArray& tagIni);

// Token lines of the source; a block marker shows as "[<PRE>:1]" followed by its lines,
// each as "| line".
QStringList TokensOf(const Style& style, const QString& source);

// The driver's result split at CR LF (the final empty piece dropped).
QStringList FormattedLines(const Style& style, const QString& source);

}  // namespace vistrel::testing

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& lines, std::ostream* os) {
  for (const QString& line : lines) *os << "\n  \"" << line.toStdString() << '"';
}
