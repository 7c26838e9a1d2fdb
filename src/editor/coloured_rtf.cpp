#include "editor/coloured_rtf.h"

#include "editor/colour_scanner.h"

namespace vistrel {

namespace {

void AppendColourEntry(QByteArray& out, int colour) {
  out += "\\red" + QByteArray::number(colour & 0xFF) + "\\green" +
         QByteArray::number((colour >> 8) & 0xFF) + "\\blue" +
         QByteArray::number((colour >> 16) & 0xFF) + ';';
}

// Copies text[from, to) by the character rules of the RTF body.
void AppendCharacters(QByteArray& out, QStringView text, qsizetype from, qsizetype to,
                      TextEncoding encoding) {
  for (qsizetype i = from; i < to; ++i) {
    const char16_t c = text[i].unicode();
    if (c < 128) {
      if (c == u'\r' || c == u'\n') {
        if (c == u'\r' && i + 1 < to && text[i + 1] == u'\n') ++i;
        out += "\r\n\\par ";
      } else {
        if (c == u'\\' || c == u'{' || c == u'}') out += '\\';
        out += static_cast<char>(c);
      }
      continue;
    }
    if (encoding == TextEncoding::kLatin1) {
      if (c < 256) {
        out += static_cast<char>(c);
      } else {
        out += "\\u" + QByteArray::number(static_cast<short>(c)) + '?';
      }
      continue;
    }
    char32_t code = c;
    if (QChar::isHighSurrogate(c) && i + 1 < to && QChar::isLowSurrogate(text[i + 1].unicode())) {
      code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
      ++i;
    }
    if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

QByteArray BuildColouredRtf(QStringView text, const ColourScheme& scheme, TextEncoding encoding) {
  if (text.isEmpty()) return {};
  const std::vector<ColourRun> runs = ScanColourRuns(text);
  QByteArray out;
  out.reserve(text.size() + text.size() / 8 + static_cast<qsizetype>(runs.size()) * 6 + 320);
  out += "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS SansSerif;}"
         "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fmodern Courier New;}}\r\n{\\colortbl";
  AppendColourEntry(out, scheme.TextCol);
  AppendColourEntry(out, scheme.TagCol);
  AppendColourEntry(out, scheme.QuotedCol);
  AppendColourEntry(out, scheme.CommentCol);
  out += "}\r\n\\deflang1033\\pard\\plain\\f2\\fs18\\cf0 ";
  for (const ColourRun& run : runs) {
    switch (run.colour) {
      case ColourClass::kText: out += "\\cf0 "; break;
      case ColourClass::kTag: if (run.flag) out += "\\cf1 "; break;
      case ColourClass::kQuoted: out += "\\cf2 "; break;
      case ColourClass::kComment: out += "\\cf3 "; break;
    }
    AppendCharacters(out, text, run.start, run.start + run.length, encoding);
    // A quoted value hands back to the tag colour, a comment to the text colour, even
    // when nothing follows.
    if (run.colour == ColourClass::kQuoted) out += "\\cf1 ";
    if (run.colour == ColourClass::kComment) out += "\\cf0 ";
  }
  out += '}';
  return out;
}

}  // namespace vistrel
