#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QUrl>

namespace vistrel {

// File names on disk are bytes, and old sites hold names that are not UTF-8 (Latin-1, 1252).
// The program keeps every path in a QString all the same, losslessly: valid UTF-8 decodes as
// usual, and each byte that is not part of valid UTF-8 is kept as the lone surrogate
// U+DC00 + byte, which decoding valid UTF-8 never yields. NameToDisk gives the bytes back
// exactly. Every call that reaches the file system must go through NameToDisk (never
// QFile::encodeName, QFileInfo or QDir, which would turn such a name into another one).
QString NameFromDisk(QByteArrayView bytes);
QByteArray NameToDisk(QStringView name);

// Whether the name holds bytes that are not UTF-8 (kept as U+DC80..U+DCFF).
bool HasRawBytes(QStringView name);

// The name for messages, reports and lists shown to the user: raw bytes as \xE9, control
// characters (tab, line breaks) as \t, \n, \r or \x01, and a backslash as itself.
QString PrintableName(QStringView name);

// A file:// URL naming exactly the bytes of path (percent-encoded), for the browser engine.
QUrl FileUrl(const QString& path);
// The path a file:// URL names, its percent-encoded bytes kept; "" for any other URL.
QString PathOfFileUrl(const QUrl& url);

// path made absolute against the current folder and cleaned ("a/../b" -> "b"), as text only:
// QFileInfo::absoluteFilePath would pass the name through the locale's encoding.
QString AbsolutePath(const QString& path);

// The folder part of a path with its trailing "/" ("" for a bare name), and the name after
// the last "/": split as text, where QFileInfo would pass the name through the locale.
QString FolderOfPath(const QString& path);
QString NameOfPath(const QString& path);

enum class FileKind { kMissing, kRegular, kDirectory, kOther };

// What path names, following symbolic links; *status filled when not missing. A dangling
// link is kMissing. kOther is a FIFO, socket or device: never to be opened for reading.
FileKind KindOf(const QString& path, struct stat* status = nullptr);

// mkdir -p for a path of any bytes; true when the folder exists afterwards.
bool MakeFolders(const QString& path);
// Removes a file (or a link, not its target); true when it is gone afterwards.
bool RemoveFile(const QString& path);

// Opens a regular file for reading without blocking on a FIFO or device named like a page: the
// descriptor (close-on-exec), or -1 with *error naming the file ("... is not a regular file",
// or the system's reason).
int OpenRegularForReading(const QString& path, QString* error = nullptr);

}  // namespace vistrel
