#pragma once

#include <QByteArray>
#include <QString>

#include "core/text_file.h"

namespace vistrel {

// A source file as the editor holds it: lines joined by the editor's own paragraph
// separator (U+2029, one character per line break), plus what is needed to write the file
// back exactly as it was read.
struct SourceFile {
  QString text;
  TextEncoding encoding = TextEncoding::kUtf8;
  LineBreak lineBreak = LineBreak::kLf;
  bool byteOrderMark = false;  // a UTF-8 file that starts with one
  // The bytes as read, kept only when encoding `text` again would not give them back
  // (mixed line breaks, say); empty otherwise.
  QByteArray original;
};

// UTF-8 when valid, else Latin-1; CR LF, lone CR and lone LF all become one separator.
SourceFile DecodeSourceFile(const QByteArray& bytes);

// The bytes to save for the editor's text: the original bytes when the text is unchanged,
// else the text in the file's encoding and line-break style. A Latin-1 file whose text now
// holds characters Latin-1 cannot store is written as UTF-8 rather than losing them.
QByteArray EncodeSourceFile(const QString& editorText, const SourceFile& file);

// Editor text (U+2029 separators) to ordinary text with the given line break.
QString WithLineBreaks(QString editorText, const QString& lineBreak);

}  // namespace vistrel
