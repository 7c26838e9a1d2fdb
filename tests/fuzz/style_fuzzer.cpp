// Any bytes as a style's two files (options.ini, a NUL, tag.ini), loaded through the real
// reader and used to format a small page that holds every kind of tag.
#include "formatter/format_driver.h"
#include "fuzz_target.h"
#include "style_source.h"

using namespace vistrel;

namespace {

const QString kPage = QStringLiteral(
    "<html><head><title>t</title><!-- note --></head><body><table><tr><td><b>bold</b> text "
    "that runs on for a while</td></tr></table><div><p>one<br>two</p><pre> kept  </pre>"
    "</div><script>if (a < b) x();</script></body></html>\n");

}  // namespace

VISTREL_FUZZ_ENTRY(style)(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const qsizetype split = bytes.indexOf('\0');
  const Style style = split < 0 ? fuzz::StyleFromFiles(bytes, bytes)
                                : fuzz::StyleFromFiles(bytes.left(split), bytes.mid(split + 1));
  const QString formatted = FormatSelection(PlainTextEditor(kPage), style);
  FUZZ_CHECK(formatted.endsWith(QLatin1String("\r\n")));
  FUZZ_CHECK(formatted.contains(QLatin1String("bold")));
  return 0;
}
