// Any bytes as a tag-hint file and a span around the caret: the key is a tag in brackets,
// the hint found is a trimmed part of a line of the file, never longer than 1000.
#include "core/text_file.h"
#include "fuzz_target.h"
#include "editor/tag_hint.h"

using namespace vistrel;

VISTREL_FUZZ_ENTRY(tag_hint)(const uint8_t* data, size_t size) {
  const QString text =
      DecodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)))
          .text;
  const QStringList lines = text.split(QLatin1Char('\n'));
  const QString span = lines.isEmpty() ? QString() : lines.first();
  const QString key = TagHintKey(span);
  const QString hint = FindTagHint(lines.mid(1), key);
  FUZZ_CHECK(hint.size() <= 1000);
  FUZZ_CHECK(hint == hint.trimmed());
  if (!hint.isEmpty()) {
    bool fromALine = false;
    for (const QString& line : lines.mid(1))
      if (line.startsWith(key, Qt::CaseInsensitive) && line.contains(hint)) fromALine = true;
    FUZZ_CHECK(fromALine);
  }
  return 0;
}
