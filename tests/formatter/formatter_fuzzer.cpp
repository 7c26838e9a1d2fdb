// libFuzzer entry: any bytes through decoding, tokenising, formatting and a second run over
// the result, under a style that switches on every kind of rule.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

#include "core/text_file.h"
#include "formatter/format_driver.h"

namespace {

const char kOptions[] = "[OPTIONS]\nLineSize=12\nSpacing=3\nBreakExcluder=<>\nTagCase=2\n";
const char kTags[] =
    "[table]\nTagOpen=<TABLE>\nTagClose=</TABLE>\nisContentIndent=1\nDoGenerateSComment=1\n"
    "DoGenerateEComment=1\nStartComment=T\nEndComment=E\nCommentSymbol=~\nEnableCounter=1\n"
    "[td]\nTagOpen=<TD>\nTagClose=</TD>\nisSelfIndent=1\nCRLFLeading=2\nDoGenerateSComment=1\n"
    "CommentSymbol=-\nCindent=0\n"
    "[b]\nTagOpen=<B>\nTagClose=</B>\nTreatAsText=1\nCRLFLeading=1\nCRLFFollowed=2\n"
    "DoGenerateSComment=1\nDoGenerateEComment=1\nStartComment=B\nEndComment=-->\n"
    "[h]\nTagOpen=<H1>\nTagClose=</H>\nTreatAsText=1\n"
    "[div]\nTagOpen=<DIV>\nTagClose=</DIV>\nisSelfIndent=1\nisContentIndent=2\n";

const vistrel::Style& FuzzStyle() {
  static const vistrel::Style style = [] {
    QTemporaryDir dir;
    QFile options(dir.filePath(QStringLiteral("options.ini")));
    QFile tags(dir.filePath(QStringLiteral("tag.ini")));
    if (!options.open(QIODevice::WriteOnly) || !tags.open(QIODevice::WriteOnly)) std::abort();
    options.write(kOptions);
    tags.write(kTags);
    options.close();
    tags.close();
    return vistrel::LoadStyleFolder(dir.path());
  }();
  return style;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vistrel::DecodedText decoded = vistrel::DecodeText(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const vistrel::Style& style = FuzzStyle();
  vistrel::RunHooks hooks;
  qint64 range = -1;
  hooks.progress = [&](qint64 r, qint64 position) {
    range = r;
    if (position < 0 || position > r) std::abort();
  };
  const QString once =
      vistrel::FormatSelection(vistrel::PlainTextEditor(decoded.text), style, hooks);
  if (!once.isEmpty() && !once.endsWith(QLatin1String("\r\n"))) std::abort();
  // Formatting the result must work too; its generated comments must not pile up.
  const QString twice = vistrel::FormatSelection(vistrel::PlainTextEditor(once), style, hooks);
  if (twice.count(QLatin1String("<!--~")) > once.count(QLatin1String("<!--~")) + 64) std::abort();
  return 0;
}
