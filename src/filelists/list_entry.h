#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>

#include "core/text_paths.h"

namespace vistrel {

// The five fields of a list entry, in column order of the report list.
enum ListField { kFieldFolder = 0, kFieldFilename, kFieldExt, kFieldSize, kFieldDate, kFieldCount };

using ListRow = std::array<QString, kFieldCount>;

// "folder/*name*.ext*size*yyyy-mm-dd  hh:mm": folder with one trailing "/", the extension
// from the last dot, the size in bytes, the local last-write time without seconds.
QString MakeListEntry(const QString& folder, const DirectoryEntry& entry);

// "yyyy-mm-dd  hh:mm" in local time.
QString ListDateText(qint64 stampNs);

// What follows the folder in a list entry, "*name*.ext*size*date", appended as bytes from the
// name's bytes on disk: a walk builds its lines this way, without a string per hit.
void AppendListFields(QByteArray& out, QByteArrayView name, qint64 size, qint64 stampNs);

// Field n is the text between the (n-1)-th and n-th "*"; missing fields are empty and
// anything after a fifth "*" is ignored.
ListRow SplitListEntry(const QString& entry);
QString JoinListRow(const ListRow& row);
// Folder, Filename and Ext joined.
QString FullPathOfRow(const ListRow& row);
QString FullPathOfEntry(const QString& entry);

// A list line separates its fields with "*" and ends at a line break, so a name holding
// either cannot be stored without shifting fields or splitting the line.
bool FitsInListEntry(const QString& text);
bool FitsInListEntry(QByteArrayView bytes);

}  // namespace vistrel
