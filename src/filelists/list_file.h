#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vistrel {

// Lines of a list file; CR LF, LF and lone CR all end a line, and an empty line stays as an
// empty entry. A break at the very end does not add an empty line.
QStringList SplitListLines(const QString& text);

// Reads a list file (UTF-8, else Latin-1); false with *error naming the file when unreadable.
bool ReadListFile(const QString& path, QStringList* lines, QString* error);

// Every line ended by CR LF, written through a temporary file so a failure leaves the old
// list intact; false with *error naming the file.
bool WriteListFile(const QString& path, const QStringList& lines, QString* error);
QByteArray EncodeListLines(const QStringList& lines);

// Sorts by the whole line (locale order, case ignored) and keeps one line per exact full
// path: the first in that order, even when paths differing in case come in between. Lines
// with an empty full path go too.
void RemoveDuplicateEntries(QStringList& lines);

// folder + pattern with "*" replaced by 1, 2, ...: the first that names no existing file;
// at limit the candidate is taken even if it exists.
QString NextFreeListName(const QString& folder, const QString& pattern, int limit);

// " a.lst + b.lst +" with the trailing "+" removed: " a.lst + b.lst ".
QString MergeLabel(const QStringList& listNames);

}  // namespace vistrel
