#include "editor/source_file.h"

namespace vistrel {

namespace {

const char kBom[] = "\xef\xbb\xbf";

QString NormaliseLineBreaks(QString text) {
  if (!text.contains(u'\r')) return text.replace(u'\n', QChar::ParagraphSeparator);
  const qsizetype n = text.size();
  QChar* out = text.data();  // never longer than the input
  qsizetype used = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = out[i];
    if (c == u'\r') {
      if (i + 1 < n && out[i + 1] == u'\n') ++i;
      out[used++] = QChar::ParagraphSeparator;
    } else {
      out[used++] = c == u'\n' ? QChar(QChar::ParagraphSeparator) : c;
    }
  }
  text.truncate(used);
  return text;
}

// Whether every line break in the bytes has the given form, so that writing the text with
// that form gives the same bytes.
bool LineBreaksAllAre(const QByteArray& bytes, LineBreak style) {
  const char* data = bytes.constData();
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = data[i];
    if (c != '\r' && c != '\n') continue;
    LineBreak found = c == '\n' ? LineBreak::kLf : LineBreak::kCr;
    if (c == '\r' && i + 1 < n && data[i + 1] == '\n') {
      found = LineBreak::kCrLf;
      ++i;
    }
    if (found != style) return false;
  }
  return true;
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
  file.encoding = decoded.encoding;
  file.lineBreak = decoded.lineBreak;
  // The decoder drops a leading byte order mark; whether it did shows in the length (the text
  // may begin with a second one).
  file.byteOrderMark = file.encoding == TextEncoding::kUtf8 && bytes.startsWith(kBom) &&
                       EncodeText(decoded.text, file.encoding).size() == bytes.size() - 3;
  file.text = NormaliseLineBreaks(std::move(decoded.text));
  // Both decodings give every byte back, so only mixed line breaks can differ.
  if (!LineBreaksAllAre(bytes, file.lineBreak)) file.original = bytes;
  return file;
}

QByteArray EncodeSourceFile(const QString& editorText, const SourceFile& file) {
  if (!file.original.isEmpty() && editorText == file.text) return file.original;
  const QString text = WithLineBreaks(editorText, LineBreakText(file.lineBreak));
  if (file.encoding == TextEncoding::kLatin1 && !FitsLatin1(text))
    return EncodeText(text, TextEncoding::kUtf8);
  const QByteArray bytes = EncodeText(text, file.encoding);
  return file.byteOrderMark ? kBom + bytes : bytes;
}

}  // namespace vistrel
