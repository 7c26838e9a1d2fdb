#include "editor/source_file.h"

namespace vistrel {

namespace {

QString NormaliseLineBreaks(const QString& text) {
  QString out;
  out.reserve(text.size());
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = text[i];
    if (c == u'\r') {
      if (i + 1 < n && text[i + 1] == u'\n') ++i;
      out += QChar::ParagraphSeparator;
    } else if (c == u'\n') {
      out += QChar::ParagraphSeparator;
    } else {
      out += c;
    }
  }
  return out;
}

bool FitsLatin1(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() > 0xFF) return false;
  return true;
}

}  // namespace

QString WithLineBreaks(QString editorText, const QString& lineBreak) {
  if (lineBreak.size() == 1) return editorText.replace(QChar::ParagraphSeparator, lineBreak[0]);
  return editorText.replace(QChar::ParagraphSeparator, lineBreak);
}

SourceFile DecodeSourceFile(const QByteArray& bytes) {
  DecodedText decoded = DecodeText(bytes);
  SourceFile file;
  file.text = NormaliseLineBreaks(decoded.text);
  file.encoding = decoded.encoding;
  file.lineBreak = decoded.lineBreak;
  if (EncodeText(WithLineBreaks(file.text, LineBreakText(file.lineBreak)), file.encoding) != bytes)
    file.original = bytes;
  return file;
}

QByteArray EncodeSourceFile(const QString& editorText, const SourceFile& file) {
  if (!file.original.isEmpty() && editorText == file.text) return file.original;
  const QString text = WithLineBreaks(editorText, LineBreakText(file.lineBreak));
  if (file.encoding == TextEncoding::kLatin1 && !FitsLatin1(text))
    return EncodeText(text, TextEncoding::kUtf8);
  return EncodeText(text, file.encoding);
}

}  // namespace vistrel
