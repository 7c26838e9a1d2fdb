#pragma once

#include <QByteArray>
#include <QString>

namespace vistrel {

enum class TextEncoding { kUtf8, kLatin1 };
enum class LineBreak { kLf, kCrLf, kCr };

// A text file's characters plus what is needed to write it back byte for byte.
struct DecodedText {
  QString text;
  TextEncoding encoding = TextEncoding::kUtf8;
  LineBreak lineBreak = LineBreak::kLf;  // the first line break found; LF when there is none
};

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise (every byte maps to a character).
DecodedText DecodeText(const QByteArray& bytes);
QByteArray EncodeText(const QString& text, TextEncoding encoding);
QString LineBreakText(LineBreak lineBreak);

// Writes through a temporary file in the same folder, synced and renamed over the target,
// keeping the target's permissions, so a failed or killed write never leaves a truncated
// file behind. A symbolic link is followed: its target is replaced and the link stays. A
// read-only file or folder is left untouched. On failure returns false and sets *error to a
// message naming the file and the system's reason.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Follows symbolic links to the file they name, even when that file does not exist yet, so a
// writer replaces the link's target and the link stays a link.
QByteArray FollowLinks(QByteArray path);

// Reads the whole file; false (and *error naming the file) when it cannot be read.
bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error = nullptr);

}  // namespace vistrel
