#include "editor/coloured_rtf.h"

#include "editor/colour_scanner.h"

#include <algorithm>
#include <cstring>

namespace vistrel {

namespace {

// Appends to a byte array grown in large steps; this loop runs once per character.
class ByteWriter {
 public:
  explicit ByteWriter(qsizetype expected) { out_.resize(std::max<qsizetype>(expected, 64)); }
  void Put(char c) {
    Reserve(1);
    out_.data()[used_++] = c;
  }
  void Put(const char* text, qsizetype length) {
    Reserve(length);
    std::memcpy(out_.data() + used_, text, static_cast<size_t>(length));
    used_ += length;
  }
  void Put(const char* text) { Put(text, static_cast<qsizetype>(std::strlen(text))); }
  void Put(const QByteArray& bytes) { Put(bytes.constData(), bytes.size()); }
  QByteArray Take() {
    out_.resize(used_);
    return std::move(out_);
  }

 private:
  void Reserve(qsizetype more) {
    if (used_ + more > out_.size()) out_.resize(std::max(out_.size() * 2, used_ + more));
  }
  QByteArray out_;
  qsizetype used_ = 0;
};

void AppendColourEntry(ByteWriter& out, int colour) {
  out.Put("\\red" + QByteArray::number(colour & 0xFF) + "\\green" +
          QByteArray::number((colour >> 8) & 0xFF) + "\\blue" +
          QByteArray::number((colour >> 16) & 0xFF) + ';');
}

// Copies text[from, to) by the character rules of the RTF body.
void AppendCharacters(ByteWriter& out, QStringView text, qsizetype from, qsizetype to,
                      TextEncoding encoding) {
  for (qsizetype i = from; i < to; ++i) {
    const char16_t c = text[i].unicode();
    if (c < 128) {
      if (c == u'\r' || c == u'\n') {
        if (c == u'\r' && i + 1 < to && text[i + 1] == u'\n') ++i;
        out.Put("\r\n\\par ", 7);
      } else {
        if (c == u'\\' || c == u'{' || c == u'}') out.Put('\\');
        out.Put(static_cast<char>(c));
      }
      continue;
    }
    if (encoding == TextEncoding::kLatin1) {
      if (c < 256) {
        out.Put(static_cast<char>(c));
      } else {
        out.Put("\\u" + QByteArray::number(static_cast<short>(c)) + '?');
      }
      continue;
    }
    char32_t code = c;
    if (QChar::isHighSurrogate(c) && i + 1 < to && QChar::isLowSurrogate(text[i + 1].unicode())) {
      code = QChar::surrogateToUcs4(c, text[i + 1].unicode());
      ++i;
    }
    if (code < 0x800) {
      out.Put(static_cast<char>(0xC0 | (code >> 6)));
    } else if (code < 0x10000) {
      out.Put(static_cast<char>(0xE0 | (code >> 12)));
      out.Put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    } else {
      out.Put(static_cast<char>(0xF0 | (code >> 18)));
      out.Put(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.Put(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    }
    out.Put(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

QByteArray BuildColouredRtf(QStringView text, const ColourScheme& scheme, TextEncoding encoding) {
  if (text.isEmpty()) return {};
  const std::vector<ColourRun> runs = ScanColourRuns(text);
  ByteWriter out(text.size() + text.size() / 8 + static_cast<qsizetype>(runs.size()) * 6 + 320);
  out.Put(
      "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss MS SansSerif;}"
      "{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fmodern Courier New;}}\r\n{\\colortbl");
  AppendColourEntry(out, scheme.TextCol);
  AppendColourEntry(out, scheme.TagCol);
  AppendColourEntry(out, scheme.QuotedCol);
  AppendColourEntry(out, scheme.CommentCol);
  out.Put("}\r\n\\deflang1033\\pard\\plain\\f2\\fs18\\cf0 ");
  for (const ColourRun& run : runs) {
    switch (run.colour) {
      case ColourClass::kText:
        out.Put("\\cf0 ", 5);
        break;
      case ColourClass::kTag:
        if (run.flag) out.Put("\\cf1 ", 5);
        break;
      case ColourClass::kQuoted:
        out.Put("\\cf2 ", 5);
        break;
      case ColourClass::kComment:
        out.Put("\\cf3 ", 5);
        break;
    }
    AppendCharacters(out, text, run.start, run.start + run.length, encoding);
    // A quoted value hands back to the tag colour, a comment to the text colour, even
    // when nothing follows.
    if (run.colour == ColourClass::kQuoted) out.Put("\\cf1 ", 5);
    if (run.colour == ColourClass::kComment) out.Put("\\cf0 ", 5);
  }
  out.Put('}');
  return out.Take();
}

}  // namespace vistrel
