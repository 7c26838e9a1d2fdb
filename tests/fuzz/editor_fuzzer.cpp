// Any bytes as a source file. The colour runs tile the text, the RTF is well formed in both
// encodings and holds every character of the text, tag spans stay inside the text, and an
// unchanged file saves byte for byte.
#include <QStringDecoder>

#include "editor/colour_scanner.h"
#include "editor/coloured_rtf.h"
#include "editor/source_file.h"
#include "editor/tag_span.h"
#include "fuzz_target.h"

using namespace vistrel;

namespace {

const QByteArray kBodyStart = "\\pard\\plain\\f2\\fs18\\cf0 ";

// Reads the text back out of the RTF body: colour switches dropped, \par a line break,
// escapes undone; bytes in the given encoding.
QString TextOfRtf(const QByteArray& rtf, TextEncoding encoding) {
  qsizetype i = rtf.indexOf(kBodyStart);
  if (i < 0) return QStringLiteral("<no body>");
  i += kBodyStart.size();
  const qsizetype end = rtf.size() - 1;  // the closing brace
  QByteArray bytes;
  QString text;
  auto flush = [&] {
    // A byte order mark in the text is a character like any other: keep it.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    text += encoding == TextEncoding::kLatin1 ? QString::fromLatin1(bytes) : utf8.decode(bytes);
    bytes.clear();
  };
  while (i < end) {
    const char c = rtf[i];
    if (rtf.mid(i, 7) == "\r\n\\par ") {
      bytes += '\n';
      i += 7;
    } else if (c == '\\' && i + 1 < end &&
               (rtf[i + 1] == '\\' || rtf[i + 1] == '{' || rtf[i + 1] == '}')) {
      bytes += rtf[i + 1];
      i += 2;
    } else if (rtf.mid(i, 3) == "\\cf") {
      i = rtf.indexOf(' ', i) + 1;
    } else if (rtf.mid(i, 2) == "\\u") {
      const qsizetype stop = rtf.indexOf('?', i);
      flush();
      text += QChar(static_cast<char16_t>(rtf.mid(i + 2, stop - i - 2).toShort()));
      i = stop + 1;
    } else {
      bytes += c;
      ++i;
    }
  }
  flush();
  return text;
}

QString WithPlainBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

VISTREL_FUZZ_ENTRY(editor)(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const SourceFile file = DecodeSourceFile(bytes);
  FUZZ_CHECK(EncodeSourceFile(file.text, file) == bytes);

  const DecodedText decoded = DecodeText(bytes);
  qsizetype next = 0;
  for (const ColourRun& run : ScanColourRuns(decoded.text)) {
    FUZZ_CHECK(run.start == next && run.length > 0);
    next += run.length;
  }
  FUZZ_CHECK(next == decoded.text.size());

  for (TextEncoding encoding : {TextEncoding::kLatin1, TextEncoding::kUtf8}) {
    const QByteArray rtf = BuildColouredRtf(decoded.text, ColourScheme(), encoding);
    if (decoded.text.isEmpty()) {
      FUZZ_CHECK(rtf.isEmpty());
      continue;
    }
    FUZZ_CHECK(rtf.startsWith("{\\rtf1") && rtf.endsWith('}'));
    FUZZ_CHECK(TextOfRtf(rtf, encoding) == WithPlainBreaks(decoded.text));
  }

  const QString& text = file.text;
  const qsizetype position = size > 0 ? data[0] * static_cast<qsizetype>(text.size()) / 255 : 0;
  const TagSpan span = FindTagAround(
      text.size(),
      [&](qsizetype from, qsizetype length) {
        FUZZ_CHECK(from >= 0 && length >= 0 && from + length <= text.size());
        return text.mid(from, length);
      },
      position);
  if (span.Found) {
    FUZZ_CHECK(span.Start < position && span.End > position - 1 && span.End <= text.size());
    FUZZ_CHECK(span.Text.startsWith(u'<') && span.Text.endsWith(u'>') &&
               span.Text.size() == span.Length);
  }
  return 0;
}
