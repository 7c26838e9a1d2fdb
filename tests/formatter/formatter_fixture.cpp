#include "formatter_fixture.h"

#include "formatter/format_driver.h"
#include "formatter/tokeniser.h"
#include "temp_folder.h"

namespace vistrel::testing {

Style StyleFrom(const QByteArray& optionsIni, const QByteArray& tagIni) {
  TempFolder folder;
  if (!optionsIni.isNull()) folder.Write(QStringLiteral("options.ini"), optionsIni);
  if (!tagIni.isNull()) folder.Write(QStringLiteral("tag.ini"), tagIni);
  return LoadStyleFolder(folder.path());
}

QStringList TokensOf(const Style& style, const QString& source) {
  RunHooks hooks;
  RunPacer pacer(hooks);
  const TokenStream tokens = Tokeniser(source, style, pacer).Tokenise();
  QStringList shown;
  for (const TokenLine& line : tokens.lines) {
    if (!line.IsBlockMarker()) {
      shown << tokens.TextOf(line).toString();
      continue;
    }
    const VerbatimBlock& block = tokens.blocks.at(static_cast<size_t>(line.block));
    shown << QLatin1Char('[') + MarkerName(block) + QLatin1Char(']');
    for (const QString& stored : block.lines) shown << QStringLiteral("| ") + stored;
  }
  return shown;
}

QStringList FormattedLines(const Style& style, const QString& source) {
  QStringList lines = FormatSelection(PlainTextEditor(source), style).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace vistrel::testing
