// libFuzzer: any bytes as a source file. The runs tile the text, the RTF is well formed in
// both encodings, tag spans stay inside the text, and an unchanged file saves byte for byte.
#include <cstdint>
#include <cstdlib>

#include "editor/colour_scanner.h"
#include "editor/coloured_rtf.h"
#include "editor/source_file.h"
#include "editor/tag_span.h"

using namespace vistrel;

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const SourceFile file = DecodeSourceFile(bytes);
  Check(EncodeSourceFile(file.text, file) == bytes);

  const DecodedText decoded = DecodeText(bytes);
  qsizetype next = 0;
  for (const ColourRun& run : ScanColourRuns(decoded.text)) {
    Check(run.start == next && run.length > 0);
    next += run.length;
  }
  Check(next == decoded.text.size());

  for (TextEncoding encoding : {TextEncoding::kLatin1, TextEncoding::kUtf8}) {
    const QByteArray rtf = BuildColouredRtf(decoded.text, ColourScheme(), encoding);
    Check(decoded.text.isEmpty() ? rtf.isEmpty()
                                 : (rtf.startsWith("{\\rtf1") && rtf.endsWith('}')));
  }

  const QString& text = file.text;
  const qsizetype position = size > 0 ? data[0] * static_cast<qsizetype>(text.size()) / 255 : 0;
  const TagSpan span = FindTagAround(
      text.size(),
      [&](qsizetype from, qsizetype length) {
        Check(from >= 0 && length >= 0 && from + length <= text.size());
        return text.mid(from, length);
      },
      position);
  if (span.Found) {
    Check(span.Start < position && span.End > position - 1 && span.End <= text.size());
    Check(span.Text.startsWith(u'<') && span.Text.endsWith(u'>') &&
          span.Text.size() == span.Length);
  }
  return 0;
}
