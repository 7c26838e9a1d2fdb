// Any bytes through decoding, tokenising and formatting under one of several styles that
// switch on every kind of rule. The first runs normalise malformed markup ("<<p", "< p"):
// merging "<"s takes a run per blank between them ("<< <li>", "<<li>", "<li>"), and a tag
// becomes a block opener only once merged ("<<pre>" is none, "<pre>" is), so what one run
// held in a block the next may tokenise. Once no "<<" is left (or a run changes nothing),
// text is never lost or invented: a further run keeps every character but blanks, line
// breaks, letter case, the generated comments it makes anew, repeated "<" or ">" and a ">"
// at the very end (a "<" cut off by the end of the source is closed, "<p" becomes "<p>").
// A style whose comment text itself ends a comment is only held to not piling comments up.
#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <utility>

#include "core/text_file.h"
#include "formatter/format_driver.h"
#include "fuzz_target.h"
#include "style_source.h"

namespace {

const char kTags[] =
    "[table]\nTagOpen=<TABLE>\nTagClose=</TABLE>\nisContentIndent=1\nDoGenerateSComment=1\n"
    "DoGenerateEComment=1\nStartComment=T\nEndComment=E\nCommentSymbol=~\nEnableCounter=1\n"
    "[td]\nTagOpen=<TD>\nTagClose=</TD>\nisSelfIndent=1\nCRLFLeading=2\nDoGenerateSComment=1\n"
    "CommentSymbol=-\nCindent=0\n"
    "[b]\nTagOpen=<B>\nTagClose=</B>\nTreatAsText=1\nCRLFLeading=1\nCRLFFollowed=2\n"
    "DoGenerateSComment=1\nDoGenerateEComment=1\nStartComment=B\nEndComment=%1\n"
    "[h]\nTagOpen=<H1>\nTagClose=</H>\nTreatAsText=1\n"
    "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nisSelfIndent=1\nisContentIndent=2\n";

const std::array<const char*, 4> kOptions = {
    "[OPTIONS]\nLineSize=12\nSpacing=3\nBreakExcluder=<>\nTagCase=2\n",
    "[OPTIONS]\nLineSize=80\nSpacing=0\nTagCase=1\nDoDisableComments=1\n",
    "[OPTIONS]\nLineSize=1\nSpacing=8\nBreakExcluder=\"\nTagCase=0\n",
    "[OPTIONS]\nLineSize=40\nSpacing=2\nTagCase=1\n",
};

// Style 0 ends a comment inside its own comment text.
constexpr size_t kCommentBreakingStyle = 0;

const vistrel::Style& StyleNumber(size_t index) {
  static const std::array<vistrel::Style, kOptions.size()> styles = [] {
    std::array<vistrel::Style, kOptions.size()> loaded;
    for (size_t i = 0; i < kOptions.size(); ++i) {
      const QString tags = QString::fromLatin1(kTags).arg(
          i == kCommentBreakingStyle ? QStringLiteral("-->") : QStringLiteral("b"));
      loaded[i] = vistrel::fuzz::StyleFromFiles(kOptions[i], tags.toLatin1());
    }
    return loaded;
  }();
  return styles[index];
}

// What formatting must keep. Generated comments stand on lines of their own, and a comment
// is generated when the first "-->" after its "<!--~" is its "~-->".
QString Essence(QString text) {
  static const QRegularExpression generated(
      QStringLiteral("^[ \\t]*<!--~(?:(?!-->).)*(?<=~)-->[ \\t\\r]*$"),
      QRegularExpression::MultilineOption);
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  static const QRegularExpression opens(QStringLiteral("<+"));
  static const QRegularExpression closes(QStringLiteral(">+"));
  text.remove(generated)
      .remove(blanks)
      .replace(opens, QStringLiteral("<"))
      .replace(closes, QStringLiteral(">"));
  if (text.endsWith(QLatin1Char('>'))) text.chop(1);
  return text.toUpper();
}

// Further runs while the output still holds "<<": merging takes a run per blank. Bounded,
// since text inside a block may hold "<<" for good.
constexpr int kMaxSettlingRuns = 8;

}  // namespace

VISTREL_FUZZ_ENTRY(formatter)(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t styleNumber = data[0] % kOptions.size();
  const vistrel::Style& style = StyleNumber(styleNumber);
  const vistrel::DecodedText decoded = vistrel::DecodeText(
      QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
  vistrel::RunHooks hooks;
  hooks.progress = [&](qint64 range, qint64 position) {
    FUZZ_CHECK(position >= 0 && position <= range);
  };
  const QString once =
      vistrel::FormatSelection(vistrel::PlainTextEditor(decoded.text), style, hooks);
  FUZZ_CHECK(once.isEmpty() || once.endsWith(QLatin1String("\r\n")));
  QString twice = vistrel::FormatSelection(vistrel::PlainTextEditor(once), style, hooks);
  if (styleNumber == kCommentBreakingStyle) {
    FUZZ_CHECK(twice.count(QLatin1String("<!--~")) <= once.count(QLatin1String("<!--~")) + 64);
    return 0;
  }
  QString thrice = vistrel::FormatSelection(vistrel::PlainTextEditor(twice), style, hooks);
  for (int run = 0; run < kMaxSettlingRuns && thrice != twice && twice.contains(u"<<"); ++run) {
    twice = std::move(thrice);
    thrice = vistrel::FormatSelection(vistrel::PlainTextEditor(twice), style, hooks);
  }
  // Text that opens a generated comment ("<!--~") without closing it on its line is taken out
  // up to the next close by design, so a later run may take out more of it.
  static const QRegularExpression strayComment(QStringLiteral("<!--~(?![^\\n]*?-->)"));
  if (twice.contains(strayComment)) return 0;
  FUZZ_CHECK(Essence(thrice) == Essence(twice));
  return 0;
}
