#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vistrel {

// The lines of a list file's bytes, each decoded on its own (NameFromDisk); CR LF, LF and lone CR
// all end a line, an empty line stays as an empty entry, and a break at the very end adds no line:
// a name in another encoding keeps its bytes and leaves the other lines as they are.
QStringList DecodeListLines(const QByteArray& bytes);

// Reads a list file; false with *error naming the file when unreadable.
bool ReadListFile(const QString& path, QStringList* lines, QString* error);

// Every line ended by CR LF, names as their bytes (NameToDisk), written through a temporary file so
// a failure leaves the old list intact; false with *error naming the file.
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
